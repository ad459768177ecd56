#pragma once
// The commands of quillora-cli. Each returns its exit status (ExitStatus.h); messages go to
// standard error as the workstation shows them, results to standard output.
#include <string>
#include <vector>

namespace quillora::cli {

int RunSave(const std::vector<std::string>& words);
int RunPath(const std::vector<std::string>& words);
int RunLookup(const std::vector<std::string>& words);
int RunSettings(const std::vector<std::string>& words);
void PrintHelp();

} // namespace quillora::cli
