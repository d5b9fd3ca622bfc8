#include "search/file_filter.h"

#include <iterator>

namespace {

const char* const kDefaultExcludedFiles[] = {"*.exe", "*.com", "*.dll", "*.ovr",
                                             "*.ovl", "*.bin", "*.sys", "*.bat"};

std::vector<std::string> g_ExcludedFiles;

}  // namespace

const std::vector<std::string>& ExcludedFilePatterns() {
    return g_ExcludedFiles;
}

void SetExcludedFilePatterns(std::vector<std::string> patterns) {
    g_ExcludedFiles = std::move(patterns);
}

void ResetExcludedFilePatterns() {
    g_ExcludedFiles.assign(std::begin(kDefaultExcludedFiles), std::end(kDefaultExcludedFiles));
}
