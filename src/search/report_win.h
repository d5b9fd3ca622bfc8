#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Stand-in for the file scan's list of non-text files, in its shape, until
// the scan arrives.
constexpr int32_t kNonTextShowLimit = 256;
struct NonTextList {
    int32_t NonTextCount = 0;
    bool NonTextListFull = false;
    int32_t NonTextShowLimit = kNonTextShowLimit;
    std::string NonTextNames;  // each path followed by "\r\n"
    uint32_t NonTextNamesSize = 0;
};
void ResetNonTextList(NonTextList& list);

// The files the last search found not to be text.
extern NonTextList gNonTextList;

// After a search: offers the list of non-text files, and shows it on Yes.
void ReportNonTextFiles(HWND owner);
void NonTextFilesDialog(HWND owner, const NonTextList& list);

// The counts of the finished search; only its OK button closes it.
void FindResultsDialog(HWND owner, int32_t filesFound, int32_t directoriesWithFinds,
                       int32_t directoriesSearched, int32_t deepestLevel, uint64_t totalSize);
