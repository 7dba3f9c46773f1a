// A host for running the document without a window: every dialog is cancelled and there is no
// window to close. The command-line tool and the benchmarks use it.
#pragma once

#include "document/DocumentHost.h"

namespace tc {

class HeadlessHost : public DocumentHost {
public:
    std::optional<OpenPaths> RunOpenDialog() override { return std::nullopt; }
    std::optional<std::string> RunNewNodeDialog(const std::string&, const LoreData&) override {
        return std::nullopt;
    }
    std::optional<std::string> RunBackupLocationDialog() override { return std::nullopt; }
    std::optional<std::string> RunFindDialog(const std::string&) override { return std::nullopt; }
    void ShowStatus(const std::string&) override {}
    void SendExit() override {}
};

} // namespace tc
