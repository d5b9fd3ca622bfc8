#include "fileview/file_view_logic.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "resource_ids.h"
#include "ui/text.h"

namespace {

std::string Format(const char* format, const char* name) {
    char text[512];
    std::snprintf(text, sizeof text, format, name);
    return text;
}

// Copies text into a buffer of `size` bytes, cut to fit.
void CopyBounded(char* out, size_t size, const char* text) {
    const size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
}

int SaveTo(FileViewFile& file, EditTextState& text, FileViewSaveHost& host, const char* okFormat,
           const char* failFormat) {
    TextFileLayer& files = host.Files();
    const std::string target = file.FullPath;
    const std::string refusal = SaveRefusal(text, file, target, files);
    if (!refusal.empty()) {
        host.ShowOwnedMessage(refusal);
        return 0;
    }
    // Only the file the text knows about is checked: any other existing
    // target was asked about by the Save As dialog.
    if (!text.stampedPath.empty() && IsSameFile(files, target, text.stampedPath) &&
        ChangedOnDisk(files, target, text.stamp) &&
        !host.AskYesNo(ChangedOnDiskQuestion(file.FileName)))
        return 0;
    if (!host.SaveText(target.c_str())) {
        host.ShowOwnedMessage(Format(failFormat, file.FileName));
        return 0;
    }
    text.modified = false;
    RememberDiskState(text, files, target);
    host.ShowStatus(Format(okFormat, file.FileName));
    return 1;
}

}  // namespace

bool IsFileViewCommandEnabled(int command, const FileViewSnapshot& s) {
    switch (command) {
        case IDM_FV_SAVE:
        case IDM_FV_SAVE_AS: return s.textLoaded;
        case IDM_FV_UNDO: return s.textLoaded && s.canUndo;
        case IDM_FV_PASTE: return s.textLoaded && s.clipboardHasText;
        case IDM_FV_CUT:
        case IDM_FV_DELETE:
        case IDM_FV_COPY: return s.textLoaded && !s.selectionEmpty;
        case IDM_FV_FIND:
        case IDM_FV_FIND_NEXT:
        case IDM_FV_REPLACE: return s.textLoaded && !s.findBoxOpen;
        case IDM_FV_COPY_LINEVIEW: return s.hasLineView && s.lineViewCount > 0;
        case IDM_FV_CONTEXT_SIZE: return !s.wholeFile;
        case IDM_FV_EDITVIEW: return s.hasEditView;
        case IDM_FV_LINEVIEW: return s.hasLineView;
        case IDM_FV_SELECT_ALL:
        case IDM_FV_TABS:
        case IDM_FV_WRAP_LINES: return s.hasEditView;
        case IDM_FV_DISPLAY_CONTEXT:
        case IDM_FV_SPLIT_WINDOW: return s.hasEditView && s.hasLineView;
    }
    return true;
}

std::vector<int> FileViewPopupCommands(int position) {
    switch (position) {
        case FV_MENU_FILE: return {IDM_FV_SAVE, IDM_FV_SAVE_AS};
        case FV_MENU_EDIT:
            return {IDM_FV_UNDO,          IDM_FV_PASTE,     IDM_FV_CUT,       IDM_FV_DELETE,
                    IDM_FV_COPY,          IDM_FV_FIND,      IDM_FV_FIND_NEXT, IDM_FV_REPLACE,
                    IDM_FV_COPY_LINEVIEW, IDM_FV_SELECT_ALL};
        case FV_MENU_OPTIONS: return {IDM_FV_CONTEXT_SIZE};
        case FV_MENU_WINDOW: return {IDM_FV_EDITVIEW, IDM_FV_LINEVIEW};
    }
    return {};
}

PaneArrangement ArrangeFileViewPanes(bool hasSearchText, bool viewerIsFileView) {
    PaneArrangement panes;
    panes.opens = hasSearchText || viewerIsFileView;
    if (!panes.opens) return panes;
    panes.hasEditView = viewerIsFileView;
    panes.hasLineView = hasSearchText;
    FileViewSnapshot snap;
    snap.hasEditView = panes.hasEditView;
    snap.hasLineView = panes.hasLineView;
    // Only these depend on the panes alone; the menu's popups answer the rest
    // as they open.
    for (int command :
         {IDM_FV_DISPLAY_CONTEXT, IDM_FV_TABS, IDM_FV_WRAP_LINES, IDM_FV_SPLIT_WINDOW})
        if (!IsFileViewCommandEnabled(command, snap)) panes.greyedCommands.push_back(command);
    panes.changeCaseGreyed = !panes.hasEditView;
    return panes;
}

void RememberDiskState(EditTextState& text, TextFileLayer& files, const std::string& path) {
    text.stampedPath = path;
    text.stamp = files.Identify(path);
}

bool IsFileViewCommandRefusedDuringRun(int command) {
    switch (command) {
        case IDM_FV_DISPLAY_CONTEXT:
        case IDM_FV_SAVE:
        case IDM_FV_SAVE_AS:
        case IDM_FV_PRINT:
        case IDM_FV_PRINT_SETUP:
        case IDM_FV_CLOSE:
        case IDM_FV_UNDO:
        case IDM_FV_DELETE:
        case IDM_FV_CUT:
        case IDM_FV_PASTE:
        case IDM_FV_FIND:
        case IDM_FV_FIND_NEXT:
        case IDM_FV_REPLACE:
        case IDM_FV_UPPER_CASE:
        case IDM_FV_LOWER_CASE:
        case IDM_FV_TOGGLE_CASE:
        case IDM_FV_FONT:
        case IDM_FV_TABS:
        case IDM_FV_WRAP_LINES:
        case IDM_FV_CONTEXT_SIZE: return true;
    }
    return false;
}

std::string SaveRefusal(const EditTextState& text, const FileViewFile& file,
                        const std::string& target, TextFileLayer& files) {
    if (!text.wholeFile)
        return Format("Only some lines of %s are shown; they are not saved over the file.",
                      file.FileName);
    if (!text.textLoaded)
        return Format("The text of %s is not loaded; there is nothing to save.", file.FileName);
    // The same file by any spelling of its path: another drive letter leads
    // to it as surely as its own.
    if (text.partialText && IsSameFile(files, target, text.loadedFrom))
        return Format(
            "Only the first part of %s is shown (its text stops at a zero byte or the file has "
            "grown); it is not saved over the file. Use Save As to save it under another name.",
            file.FileName);
    return {};
}

int SaveShownFile(FileViewFile& file, EditTextState& text, FileViewSaveHost& host) {
    if (file.FullPath[0] == '\0') return SaveShownFileAs(file, text, host);
    return SaveTo(file, text, host, "%s saved", "Could not save file %s");
}

int SaveShownFileAs(FileViewFile& file, EditTextState& text, FileViewSaveHost& host) {
    // Refused before the dialog: it could only lead to a refusal.
    if (!text.wholeFile || !text.textLoaded) {
        host.ShowOwnedMessage(SaveRefusal(text, file, file.FullPath, host.Files()));
        return 0;
    }
    char fullPath[sizeof file.FullPath];
    char fileName[512];
    CopyBounded(fullPath, sizeof fullPath, file.FullPath);
    CopyBounded(fileName, sizeof fileName, file.FileName);
    if (host.AskSaveAsName(fullPath, fileName) == 0) return 0;
    CopyBounded(file.FullPath, sizeof file.FullPath, fullPath);
    CopyBounded(file.FileName, sizeof file.FileName, fileName);
    return SaveTo(file, text, host, "File saved as %s", "Could not save file in %s");
}

int AskSaveChanges(FileViewFile& file, EditTextState& text, FileViewSaveHost& host) {
    const int answer = host.AskYesNoCancel(Format("Save current changes in %s?", file.FileName));
    if (answer != kAnswerYes) return answer;
    return SaveShownFile(file, text, host) == 1 ? kAnswerYes : kAnswerCancel;
}

bool MayCloseFileView(FileViewFile& file, EditTextState& text, bool& asking,
                      FileViewSaveHost& host) {
    if (!text.modified) return true;
    if (asking) return false;
    asking = true;
    const bool mayClose = AskSaveChanges(file, text, host) != kAnswerCancel;
    asking = false;
    return mayClose;
}

ContextLines ContextAround(uint32_t entryLine0, int above, int below) {
    ContextLines lines;
    lines.entryLine = entryLine0 + 1;
    const uint32_t up = above > 0 ? static_cast<uint32_t>(above) : 0;
    const uint32_t down = below > 0 ? static_cast<uint32_t>(below) : 0;
    lines.firstLine = lines.entryLine > up ? lines.entryLine - up : 1;
    lines.linesLoaded = up + down + 1;
    return lines;
}

std::string CaretLineText(uint64_t line) {
    char text[32];
    std::snprintf(text, sizeof text, "%05llu", static_cast<unsigned long long>(line));
    return text;
}

std::string CaretColumnText(uint32_t column) {
    char text[16];
    std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(column));
    return text;
}
