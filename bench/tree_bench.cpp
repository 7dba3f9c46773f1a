// Time from the Open dialog's OK to a filled tree, through the real main window. Needs a display:
// xvfb-run build/bench/tomecraft_tree_bench
#include "PairGenerator.h"

#include "app/CMainFrame.h"
#include "document/CTomecraftDoc.h"
#include "platform/MemorySettings.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

#include <filesystem>

namespace {

struct QuietUi : tc::UserInterface {
    tc::MsgAnswer MessageBox(const std::string&, tc::MsgButtons, tc::MsgIcon) override {
        return tc::MsgAnswer::Ok;
    }
};

// Every Open picks the generated pair, as if the user had pressed OK on it.
struct PairHost : tc::DocumentHost {
    tc::OpenPaths paths;
    std::optional<tc::OpenPaths> RunOpenDialog() override { return paths; }
    std::optional<std::string> RunNewNodeDialog(const std::string&, const tc::LoreData&) override {
        return std::nullopt;
    }
    std::optional<std::string> RunBackupLocationDialog() override { return std::nullopt; }
    void SendExit() override {}
};

void BM_OpenToFilledTree(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto folder =
        std::filesystem::temp_directory_path() / ("tomecraft-tree-bench-" + std::to_string(count));
    const tc::bench::GeneratedPair pair = tc::bench::GeneratePair(folder.string(), count, count);
    QuietUi ui;
    PairHost host;
    host.paths = {pair.lorePath, pair.templatePath};
    const tc::MemorySettings settings;
    tc::CTomecraftDoc doc(ui, host, settings);
    auto* frame = new tc::CMainFrame(doc);
    frame->Show();
    for (auto _ : state) {
        doc.OnFileOpen();
        benchmark::DoNotOptimize(frame->Tree()->GetCount());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(2 * count));
    frame->Destroy();
    wxTheApp->ProcessIdle();
}

BENCHMARK(BM_OpenToFilledTree)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
