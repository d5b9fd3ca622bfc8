#include "search/criteria_check.h"

#include "search/report.h"

namespace {

bool Refuse(CriteriaCheck& check, CriteriaField focus, const char* text) {
    check.focus = focus;
    check.refusal = text;
    return false;
}

bool CheckBaseDirectory(CriteriaCheck& check, const std::string& box, const SearchCriteria& last,
                        TargetResolver& resolver) {
    std::string piece = DirectoryBoxPiece(box);
    std::string fullPath;
    if (!resolver.FullPath(piece.empty() ? "." : piece, fullPath))
        return Refuse(check, CriteriaField::Directory, kBadDirectoryText);
    fullPath = LowerText(fullPath);
    // The same base again is neither entered nor remembered again.
    if (SameTextIgnoringCase(fullPath, last.BaseDirectory)) return true;
    if (!resolver.EnterDirectory(fullPath))
        return Refuse(check, CriteriaField::Directory, kBadDirectoryText);
    check.criteria.BaseDirectory = fullPath;
    check.baseDirectoryChanged = true;
    return true;
}

bool CheckNamesAndDepth(CriteriaCheck& check, const CriteriaInput& input,
                        const Settings& settings) {
    SearchCriteria& criteria = check.criteria;
    if (input.FileNames.empty()) return Refuse(check, CriteriaField::FileNames, kNoFileNameText);
    criteria.FileNameList = LowerText(input.FileNames);
    check.fileNamesTaken = true;
    criteria.SubDirMode = settings.SubDirMode;
    criteria.SubDirLevel = settings.SubDirLevel;
    if (criteria.SubDirMode == 2 && !ParseUnsignedField(input.Level, criteria.SubDirLevel))
        return Refuse(check, CriteriaField::Level, kBadLevelText);
    criteria.WalkDepth = WalkDepthFor(criteria.SubDirMode, criteria.SubDirLevel);
    check.depthTaken = true;
    return true;
}

int UnitIndex(int index) {
    return index >= 0 && index <= 2 ? index : 1;
}

bool CheckDatesAndSizes(CriteriaCheck& check, const CriteriaInput& input) {
    SearchCriteria& criteria = check.criteria;
    if (CheckDateCriteria(criteria, input.DateFrom, input.DateTo, input.DateOrder, input.Today) !=
        1)
        return Refuse(check, CriteriaField::None, kBadDatesText);
    switch (SetSizeBounds(criteria, input.SizeLess, input.SizeMore)) {
        case -1: return Refuse(check, CriteriaField::SizeLess, kBadLessText);
        case -2: return Refuse(check, CriteriaField::SizeMore, kBadMoreText);
    }
    criteria.SizeLessUnit = SizeUnitFromIndex(UnitIndex(input.LessUnitIndex));
    criteria.SizeMoreUnit = SizeUnitFromIndex(UnitIndex(input.MoreUnitIndex));
    return true;
}

bool RunChecks(CriteriaCheck& check, const CriteriaInput& input, const Settings& settings,
               const SearchCriteria& last, bool findFiles, TargetResolver& resolver) {
    SearchCriteria& criteria = check.criteria;
    if (!CheckBaseDirectory(check, input.Directory, last, resolver)) return false;
    criteria.DefaultFileType = settings.DefaultFileType;
    if (criteria.DefaultFileType.empty())
        return Refuse(check, CriteriaField::None, kNoFileTypeText);
    check.fileTypeTaken = true;
    if (findFiles) {
        if (!CheckNamesAndDepth(check, input, settings)) return false;
    } else {
        criteria.WalkDepth = 0;
    }
    if (!CheckDatesAndSizes(check, input)) return false;
    criteria.SearchText = input.SearchText;
    check.searchTextTaken = !criteria.SearchText.empty();
    criteria.ExcludedFiles = input.ExcludedFiles;
    criteria.EnableExcludeFiles = settings.EnableExcludeFiles != 0;
    criteria.TextOptions = settings.TextOptions;
    return true;
}

}  // namespace

CriteriaCheck CheckSearchCriteria(const CriteriaInput& input, const Settings& settings,
                                  const SearchCriteria& last, bool findFiles,
                                  TargetResolver& resolver) {
    CriteriaCheck check;
    check.criteria = last;
    check.accepted = RunChecks(check, input, settings, last, findFiles, resolver);
    return check;
}

std::vector<int> TargetRowsOf(bool marked, const std::vector<RowState>& rows) {
    std::vector<int> targets;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (marked ? rows[row].marked : rows[row].selected)
            targets.push_back(static_cast<int>(row));
    }
    return targets;
}

SearchTarget RowSearchTarget(TargetResolver& resolver, const std::string& directory,
                             const std::string& name) {
    std::string fullPath;
    if (!resolver.FullPath(directory, fullPath)) fullPath = directory;
    return SearchTarget{TrimTargetDirectory(LowerText(fullPath)), name};
}
