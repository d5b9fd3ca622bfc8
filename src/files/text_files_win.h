#pragma once

#include <memory>

#include "files/text_files.h"

// The file layer under every write of a user's file and Replace in Files'
// reads: the real one, or the one a test put there (nullptr: the real one
// again). RealTextFiles gives a real one, for a test to wrap.
TextFileLayer& TextFiles();
void SetTextFilesForTesting(TextFileLayer* files);
std::unique_ptr<TextFileLayer> RealTextFiles();
