#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "search/scan.h"
#include "search/search_run.h"

// After a search: offers its list of non-text files, and shows it on Yes.
void ReportNonTextFiles(HWND owner, NonTextList& list);

// The counts of the finished search; only its OK button closes it.
void FindResultsDialog(HWND owner, const SearchStats& stats);
