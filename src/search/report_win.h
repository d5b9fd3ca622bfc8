#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "search/scan.h"

// The files the last search found not to be text.
extern NonTextList gNonTextList;

// After a search: offers the list of non-text files, and shows it on Yes.
void ReportNonTextFiles(HWND owner);
void NonTextFilesDialog(HWND owner, const NonTextList& list);

// The counts of the finished search; only its OK button closes it.
void FindResultsDialog(HWND owner, int32_t filesFound, int32_t directoriesWithFinds,
                       int32_t directoriesSearched, int32_t deepestLevel, uint64_t totalSize);
