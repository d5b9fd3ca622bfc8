#pragma once

#include <string>
#include <vector>

#include "search/criteria.h"
#include "settings/settings.h"

// The main window's criteria controls as they stand when a search starts,
// read once, texts unchanged.
struct CriteriaInput {
    std::string Directory;
    std::string FileNames;
    std::string Level;  // the level box beside the Sub-Directory buttons
    std::string DateFrom;
    std::string DateTo;
    std::string SizeLess;
    std::string SizeMore;
    int LessUnitIndex = 1;  // the unit boxes' selections: 0 b, 1 kb, 2 mb
    int MoreUnitIndex = 1;
    std::string SearchText;
    std::vector<std::string> ExcludedFiles;  // the File Filter's patterns
    int DateOrder = 0;                       // the system's "iDate"
    DateTriple Today;
};

// The control a refusal puts the focus on.
enum class CriteriaField { None, Directory, FileNames, Level, SizeLess, SizeMore };

// The criteria of one search, or why it is refused. The checks run in order
// and stop at the first refusal; what the checks passed before it hand over
// to the window stays handed over.
struct CriteriaCheck {
    bool accepted = false;
    SearchCriteria criteria;
    CriteriaField focus = CriteriaField::None;
    const char* refusal = nullptr;  // the warning's text when refused
    // Handed to the window, in this order: the new base directory (now
    // current) for the settings, its label and history; the default type,
    // the File Name(s) text and the search text for their histories; the
    // level for the settings, with the old rows cleared.
    bool baseDirectoryChanged = false;
    bool fileTypeTaken = false;
    bool fileNamesTaken = false;
    bool depthTaken = false;
    bool searchTextTaken = false;
};

// Find Files checks the base directory, the default type, the File Name(s)
// list and the depth, the dates, the sizes, and takes the search text; Find in
// Selected and Find in Marked skip the list and walk each row's directory
// only. What a check does not set comes from the last search. The resolver
// resolves the Directory box and makes a new base directory current.
CriteriaCheck CheckSearchCriteria(const CriteriaInput& input, const Settings& settings,
                                  const SearchCriteria& last, bool findFiles,
                                  TargetResolver& resolver);

// Which rows Find in Selected (selected) or Find in Marked (marked) searches,
// top to bottom, from one state per row of the File Info List.
struct RowState {
    bool selected = false;
    bool marked = false;
};
std::vector<int> TargetRowsOf(bool marked, const std::vector<RowState>& rows);

// A row's file as a target: its own name in its own directory, resolved
// when the platform can (else as listed), lower-cased.
SearchTarget RowSearchTarget(TargetResolver& resolver, const std::string& directory,
                             const std::string& name);
