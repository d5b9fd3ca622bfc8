#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "search/scan.h"
#include "search/search_run.h"

// The non-text files of a search: the question whether to see them (true
// unless No), and their dialog.
bool AskShowNonTextFiles(int32_t count);
void NonTextFilesDialog(HWND owner, const NonTextList& list);

// The counts of the finished search; only its OK button closes it.
void FindResultsDialog(HWND owner, const SearchStats& stats);
