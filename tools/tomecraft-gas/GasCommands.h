// The commands of tomecraft-gas, callable without a process so that tests can run them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tc::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// `args` excludes the program name.
int RunGasTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace tc::cli
