#pragma once

#include <string>
#include <vector>

// The File Filter's excluded-name patterns as they stand (at most 32, in list
// order); a search copies them into its criteria when it starts.
const std::vector<std::string>& ExcludedFilePatterns();
void SetExcludedFilePatterns(std::vector<std::string> patterns);
// The patterns a new main window starts with.
void ResetExcludedFilePatterns();
