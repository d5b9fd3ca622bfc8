// Find Files, Find in Selected and Find in Marked: reading the criteria from
// the main window, driving the walk target by target while the window stays
// live, and handing the finds to the File Info List and the reports.

#include "search/search_win.h"

#include <commctrl.h>

#include <string>

#include "app/app_win.h"
#include "app/help.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/message_box_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/pending.h"
#include "search/chunk_reader_win.h"
#include "search/criteria.h"
#include "search/dir_lister_win.h"
#include "search/report.h"
#include "search/report_win.h"
#include "search/scan.h"
#include "search/walk.h"
#include "settings/settings.h"

namespace {

constexpr size_t kHistoryLimit = 8;
constexpr int kDirectoryBoxChars = 255;
constexpr int kFileNameBoxChars = 1024;
constexpr int kSearchTextCapacity = 1024;  // terminator included
constexpr int kDateBoxChars = 31;
constexpr int kSizeBoxChars = 31;

enum class LevelPromptState { NotYet, Ask, UseForRest };

// The state of the one search in progress.
struct SearchRun {
    bool running = false;
    LevelPromptState levelPrompt = LevelPromptState::NotYet;
    size_t listPosition = 0;  // NextListEntry's place in FileNameList
    // The close box asked the search to stop: it ends without its reports.
    bool closeRequested = false;
    // A quit taken off the queue by the walk is posted again after the search.
    bool quitReceived = false;
    int quitCode = 0;
};

SearchRun gSearchRun;
DialogTestHook dialogTestHook = nullptr;

std::string WindowText(HWND window, int capacityChars) {
    std::string text(static_cast<size_t>(capacityChars) + 1, '\0');
    int length = GetWindowTextA(window, text.data(), capacityChars + 1);
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

std::string CurrentDirectory() {
    char directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    return length > 0 && length < MAX_PATH ? std::string(directory) : std::string();
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return LowerText(a) == LowerText(b);
}

void RefuseField(HWND field, const char* text) {
    WarningBox(nullptr, "%s", text);
    if (field) SetFocus(field);
}

class Win32TargetResolver : public TargetResolver {
  public:
    bool FullPath(const std::string& path, std::string& fullPath) override {
        char buffer[MAX_PATH];
        DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
        if (length == 0 || length >= MAX_PATH) return false;
        fullPath = buffer;
        return true;
    }
    bool EnterDirectory(const std::string& directory) override {
        return SetCurrentDirectoryA(directory.c_str()) != FALSE;
    }
};

// Measures progress texts with the status bar's font on a memory device
// context of its own, so no window DC is held while the walk dispatches.
class ProgressPainter {
  public:
    ProgressPainter() {
        HDC screen = GetDC(g_Main.StatusBar);
        dc_ = CreateCompatibleDC(screen);
        ReleaseDC(g_Main.StatusBar, screen);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(g_Main.StatusBar, WM_GETFONT, 0, 0));
        if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        if (dc_) oldFont_ = SelectObject(dc_, font);
        TEXTMETRICA metrics = {};
        if (dc_ && GetTextMetricsA(dc_, &metrics)) averageCharWidth_ = metrics.tmAveCharWidth;
    }
    ~ProgressPainter() {
        if (!dc_) return;
        SelectObject(dc_, oldFont_);
        DeleteDC(dc_);
    }
    ProgressPainter(const ProgressPainter&) = delete;
    ProgressPainter& operator=(const ProgressPainter&) = delete;

    void Show(const std::string& directory, const std::string& fullPath) {
        std::string text = FormatProgressText(directory);
        SIZE extent = {};
        if (dc_) GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
        int partWidth = gSearchStats.StatusPartWidth;
        if (extent.cx > partWidth)
            text = ShortenProgressText(fullPath, extent.cx, partWidth, averageCharWidth_);
        // The same text again would only cost a repaint.
        if (text == shown_) return;
        shown_ = text;
        SendMessageA(g_Main.StatusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

  private:
    HDC dc_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    int averageCharWidth_ = 1;
    std::string shown_;
};

class SearchWalkHost : public WalkHost, public ScanHost {
  public:
    void ShowWarning(const std::string& text) override {
        // Closing the window during a search stops it without a word.
        if (gSearchRun.closeRequested && text == kSearchAbortedText) return;
        WarningBox(nullptr, "%s", text.c_str());
    }

    // Esc for any window and a quit abort; everything else is dispatched so
    // the windows stay live. The queue is looked at only every few
    // milliseconds: each look is a round trip to the system.
    bool PumpMessages() override {
        DWORD now = GetTickCount();
        if (!PumpIsDue(now, lastPump_, pumpedYet_)) return false;
        pumpedYet_ = true;
        lastPump_ = now;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                gSearchRun.quitReceived = true;
                gSearchRun.quitCode = static_cast<int>(msg.wParam);
                return true;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (gSearchRun.closeRequested) return true;
        }
        return false;
    }

    // Each target's walk looks at the queue at its first entry.
    void StartTarget() { pumpedYet_ = false; }

    void ShowProgress(const std::string& directory, const std::string& fullPath) override {
        progress_.Show(directory, fullPath);
    }

    DateTriple LocalDate(int64_t modified) override { return LocalDateOf(modified); }

    bool FileContainsText(const std::string& fullPath, const std::string& searchText,
                          uint8_t textOptions) override {
        return ::FileContainsText(reader_, *this, fullPath, searchText.c_str(), textOptions);
    }

    void ScanWarning(const std::string& text) override { WarningBox(nullptr, "%s", text.c_str()); }
    void NonTextFile(const std::string& path) override { AddNonTextFile(gNonTextList, path); }

    int AddFileInfoItem(const std::string& directory, const DirEntry& entry,
                        int countSoFar) override {
        return ::AddFileInfoItem(*this, directory, entry, countSoFar);
    }

  private:
    ProgressPainter progress_;
    Win32ChunkReader reader_;
    DWORD lastPump_ = 0;
    bool pumpedYet_ = false;
};

// Step 1: the Directory box becomes the base directory and the current one.
bool TakeBaseDirectory(HWND mainWindow) {
    std::string piece = DirectoryBoxPiece(WindowText(g_Main.DirectoryCombo, kDirectoryBoxChars));
    std::string fullPath;
    Win32TargetResolver resolver;
    if (!resolver.FullPath(piece.empty() ? "." : piece, fullPath)) {
        RefuseField(g_Main.DirectoryCombo, kBadDirectoryText);
        return false;
    }
    fullPath = LowerText(fullPath);
    SearchCriteria& criteria = gSearchCriteria;
    if (SameTextIgnoringCase(fullPath, criteria.BaseDirectory)) return true;
    if (!resolver.EnterDirectory(fullPath)) {
        RefuseField(g_Main.DirectoryCombo, kBadDirectoryText);
        return false;
    }
    criteria.BaseDirectory = fullPath;
    g_Settings.Directory = fullPath;
    SetDlgItemTextA(mainWindow, IDC_CURRENT_DIR, fullPath.c_str());
    AddToHistory(g_Main.DirectoryCombo, kHistoryLimit, fullPath.c_str());
    return true;
}

// Step 3, Find Files only: the File Name(s) list, the depth, an empty list.
bool TakeFileNamesAndDepth(HWND mainWindow) {
    std::string names = WindowText(g_Main.FileNameCombo, kFileNameBoxChars);
    if (names.empty()) {
        RefuseField(g_Main.FileNameCombo, kNoFileNameText);
        return false;
    }
    SearchCriteria& criteria = gSearchCriteria;
    criteria.FileNameList = LowerText(names);
    AddToHistory(g_Main.FileNameCombo, kHistoryLimit, criteria.FileNameList.c_str());

    criteria.SubDirMode = g_Settings.SubDirMode;
    criteria.SubDirLevel = g_Settings.SubDirLevel;
    if (criteria.SubDirMode == 2) {
        BOOL ok = FALSE;
        UINT level = GetDlgItemInt(mainWindow, IDC_LEVEL, &ok, FALSE);
        if (!ok) {
            RefuseField(GetDlgItem(mainWindow, IDC_LEVEL), kBadLevelText);
            return false;
        }
        criteria.SubDirLevel = level;
        g_Settings.SubDirLevel = level;
    }
    criteria.WalkDepth = WalkDepthFor(criteria.SubDirMode, criteria.SubDirLevel);

    if (ShownItemCount() > 0 || SendMessageA(g_Main.FileList, LVM_GETITEMCOUNT, 0, 0) > 0)
        ClearFileInfoList();
    gSearchStats.FilesFound = 0;
    return true;
}

// Steps 4 and 5: the date range and the size bounds.
bool TakeDatesAndSizes(HWND mainWindow) {
    std::string from = WindowText(GetDlgItem(mainWindow, IDC_DATE_FROM), kDateBoxChars);
    std::string to = WindowText(GetDlgItem(mainWindow, IDC_DATE_TO), kDateBoxChars);
    int dateOrder = static_cast<int>(GetProfileIntA("intl", "iDate", 0));
    if (CheckDateCriteria(from, to, dateOrder, LocalToday()) != 1) {
        WarningBox(nullptr, "%s", kBadDatesText);
        return false;
    }
    HWND lessBox = GetDlgItem(mainWindow, IDC_SIZE_LESS);
    HWND moreBox = GetDlgItem(mainWindow, IDC_SIZE_MORE);
    switch (SetSizeBounds(WindowText(lessBox, kSizeBoxChars), WindowText(moreBox, kSizeBoxChars))) {
        case -1: RefuseField(lessBox, kBadLessText); return false;
        case -2: RefuseField(moreBox, kBadMoreText); return false;
    }
    gSearchCriteria.SizeLessUnit = g_Main.LessMultiplier;
    gSearchCriteria.SizeMoreUnit = g_Main.MoreMultiplier;
    return true;
}

int StatusPartWidth() {
    RECT part = {};
    SendMessageA(g_Main.StatusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
    return part.right - part.left;
}

// The target of a row: its own file, in its own directory.
int RowTarget(int row, SearchTarget& target) {
    const FileInfoItem* item = GetItemRecord(row);
    if (!item) return -1;
    Win32TargetResolver resolver;
    std::string directory;
    if (!resolver.FullPath(item->directory, directory)) directory = item->directory;
    target.directory = TrimTargetDirectory(LowerText(directory));
    target.pattern = item->name;
    DebugTraceF("Item %d: %s", row, JoinPath(item->directory, item->name).c_str());
    return row;
}

// 1 (Find Files) or the row index of the next target; -1 when there is none,
// -2 when a File Name(s) entry names a bad directory.
int NextSearchTarget(int command, int previousRow, SearchTarget& target) {
    if (command == IDM_FIND_FILES) {
        std::string entry;
        if (!NextListEntry(gSearchCriteria.FileNameList, gSearchRun.listPosition, entry)) return -1;
        Win32TargetResolver resolver;
        return ResolveTarget(entry, gSearchCriteria.DefaultFileType, resolver, target);
    }
    int row = command == IDM_FIND_IN_SELECTED ? NextSelectedItem(previousRow)
                                              : NextMarkedItem(previousRow);
    // The marked rows are searched round from the top; each is visited once.
    if (command == IDM_FIND_IN_MARKED && row <= previousRow) row = -1;
    if (row < 0) return -1;
    return RowTarget(row, target);
}

// A later entry with a bad directory: skip it (and any bad ones after it)
// or end the search. False when the user ends it.
bool NextTargetAfterBadPaths(int command, int& result, SearchTarget& target) {
    while (result == -2) {
        MessageBeep(MB_ICONHAND);
        std::string text = BadLaterPathText(LowerText(target.directory));
        if (ShowMessageBox(GetActiveWindow(), text.c_str(), g_App.AppTitle,
                           MB_ICONHAND | MB_YESNO) != IDYES) {
            return false;
        }
        result = NextSearchTarget(command, -1, target);
    }
    return true;
}

void EnterBaseDirectory() {
    const std::string& base = gSearchCriteria.BaseDirectory;
    if (!SameTextIgnoringCase(CurrentDirectory(), base)) SetCurrentDirectoryA(base.c_str());
}

// Step 11: walks every target, asking for the level between targets.
void WalkTargets(HWND mainWindow, int command, int result, SearchTarget& target) {
    SearchCriteria& criteria = gSearchCriteria;
    SearchWalkHost host;
    Win32DirLister lister;
    while (result >= 0) {
        if (AbortFlag) break;
        SendMessageA(g_Main.FileList, WM_SETREDRAW, FALSE, 0);
        if (gSearchRun.levelPrompt == LevelPromptState::Ask) {
            int32_t depth =
                SubDirLevelDialog(mainWindow, criteria.SubDirMode, criteria.SubDirLevel);
            if (depth == -1) break;
            gPendingTable.skipDuplicates = true;
            criteria.WalkDepth = depth;
        }
        host.StartTarget();
        int found =
            WalkDirectory(host, lister, target.directory, criteria.WalkDepth, target.pattern);
        if (command == IDM_FIND_FILES) {
            if (gSearchRun.levelPrompt != LevelPromptState::UseForRest)
                gSearchRun.levelPrompt = LevelPromptState::Ask;
        } else {
            SetItemMark(result, found > 0);
        }
        gSearchStats.FilesFound += found;
        if (!SameTextIgnoringCase(target.directory, criteria.BaseDirectory))
            SetCurrentDirectoryA(criteria.BaseDirectory.c_str());
        int row = command == IDM_FIND_FILES ? -1 : result;
        result = NextSearchTarget(command, row, target);
        if (!NextTargetAfterBadPaths(command, result, target)) break;
    }
}

// Step 12: the finds become rows, then the reports.
void FinishSearch(HWND mainWindow, int command) {
    EnterBaseDirectory();
    int found = gSearchStats.FilesFound;
    if (command == IDM_FIND_FILES && found >= 1) {
        int pending = static_cast<int>(gPendingTable.items.size());
        ShowPendingItems(found < pending ? found : pending);
        SortFileInfoList();
    }
    SendMessageA(g_Main.FileList, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(g_Main.FileList, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));

    // A window about to close, or a program about to end, skips the reports.
    if (!gSearchRun.closeRequested && !gSearchRun.quitReceived) {
        ReportNonTextFiles(mainWindow);
        const SearchStats& stats = gSearchStats;
        FindResultsDialog(mainWindow, stats.FilesFound, stats.DirectoriesWithFinds,
                          stats.DirectoriesSearched, stats.DeepestLevel, stats.TotalSize);
    }
    ShowStatusWithCounts(IDS_READY, 0, static_cast<unsigned>(ShownItemCount()));
    UpdateListToolbarButtons();
    SetFocus(g_Main.FileList);
}

void RunSearch(HWND mainWindow, int command) {
    SearchCriteria& criteria = gSearchCriteria;
    if (!TakeBaseDirectory(mainWindow)) return;

    criteria.DefaultFileType = g_Settings.DefaultFileType;
    if (criteria.DefaultFileType.empty()) {
        WarningBox(nullptr, "%s", kNoFileTypeText);
        return;
    }
    AddToHistory(g_Main.ToolbarCombo, kHistoryLimit, criteria.DefaultFileType.c_str());

    if (command == IDM_FIND_FILES) {
        if (!TakeFileNamesAndDepth(mainWindow)) return;
    } else {
        criteria.WalkDepth = 0;
    }
    if (!TakeDatesAndSizes(mainWindow)) return;

    criteria.SearchText = WindowText(g_Main.SearchTextCombo, kSearchTextCapacity - 1);
    if (!criteria.SearchText.empty())
        AddToHistory(g_Main.SearchTextCombo, kHistoryLimit, criteria.SearchText.c_str());

    ResetSearchStats(StatusPartWidth());
    criteria.ExcludedFiles = g_Main.ExcludedFiles;
    criteria.EnableExcludeFiles = g_Settings.EnableExcludeFiles != 0;
    // Find in Selected and Find in Marked only count files already listed.
    gPendingTable.listHasRows = command != IDM_FIND_FILES;

    gSearchRun.listPosition = 0;
    SearchTarget target;
    int result = NextSearchTarget(command, -1, target);
    if (result == -2) {
        RefuseField(g_Main.FileNameCombo, BadFirstPathText(target.directory).c_str());
        EnterBaseDirectory();
        return;
    }

    criteria.TextOptions = g_Settings.TextOptions;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    AbortFlag = false;
    gSearchRun.levelPrompt = LevelPromptState::NotYet;
    gPendingTable.skipDuplicates = false;
    gSearchStats.FilesFound = 0;
    ResetNonTextList(gNonTextList);

    if (result >= 0) WalkTargets(mainWindow, command, result, target);
    FinishSearch(mainWindow, command);
}

}  // namespace

void StartSearch(HWND mainWindow, int command) {
    if (gSearchRun.running) {
        MessageBeep(MB_OK);
        return;
    }
    gSearchRun = SearchRun{};
    gSearchRun.running = true;
    RunSearch(mainWindow, command);
    gSearchRun.running = false;
    if (gSearchRun.quitReceived) PostQuitMessage(gSearchRun.quitCode);
}

bool SearchIsRunning() {
    return gSearchRun.running;
}

void AbortSearch() {
    if (!gSearchRun.running) return;
    gSearchRun.closeRequested = true;
    AbortFlag = true;
}

void SetDialogTestHook(DialogTestHook hook) {
    dialogTestHook = hook;
}

void CallDialogTestHook(HWND dialog, int templateId) {
    if (dialogTestHook) dialogTestHook(dialog, templateId);
}

void ShowDialogContextHelp(HWND clicked) {
    QuarryHelp(clicked, g_App.HelpFilePath, HELP_CONTEXTMENU,
               reinterpret_cast<ULONG_PTR>(kContextHelpIds));
}

// The Sub-Directory Level dialog.

namespace {

struct LevelDialogState {
    int mode = 0;
    uint32_t level = 0;
};

BOOL OnLevelDialogInit(HWND dialog, LevelDialogState* state) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    CenterWindow(dialog, 0);
    int radio = IDC_SUBDIR_NONE + state->mode;
    CheckRadioButton(dialog, IDC_SUBDIR_NONE, IDC_SUBDIR_LEVEL, radio);
    SetDlgItemInt(dialog, IDC_LEVEL, state->level, FALSE);
    SetFocus(GetDlgItem(dialog, radio));
    CallDialogTestHook(dialog, IDD_SUBDIR_LEVEL);
    return FALSE;  // the focus is set
}

void OnLevelDialogOk(HWND dialog, const LevelDialogState& state) {
    uint32_t level = 0;
    if (state.mode == 2) {
        BOOL ok = FALSE;
        level = GetDlgItemInt(dialog, IDC_LEVEL, &ok, FALSE);
        if (!ok) {
            RefuseField(GetDlgItem(dialog, IDC_LEVEL), kBadLevelText);
            return;
        }
    }
    if (IsDlgButtonChecked(dialog, IDC_LEVEL_FOR_REST) == BST_CHECKED)
        gSearchRun.levelPrompt = LevelPromptState::UseForRest;
    EndDialog(dialog, WalkDepthFor(state.mode, level));
}

INT_PTR CALLBACK LevelDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<LevelDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            return OnLevelDialogInit(dialog, reinterpret_cast<LevelDialogState*>(lp));
        case WM_CONTEXTMENU: ShowDialogContextHelp(reinterpret_cast<HWND>(wp)); return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDC_SUBDIR_NONE:
                case IDC_SUBDIR_ALL:
                case IDC_SUBDIR_LEVEL: state->mode = LOWORD(wp) - IDC_SUBDIR_NONE; return TRUE;
                case IDOK: OnLevelDialogOk(dialog, *state); return TRUE;
                case IDCANCEL: EndDialog(dialog, -1); return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

int32_t SubDirLevelDialog(HWND owner, int subDirMode, uint32_t subDirLevel) {
    LevelDialogState state{subDirMode, subDirLevel};
    INT_PTR result = DialogBoxParamA(g_App.AppInstance, MAKEINTRESOURCEA(IDD_SUBDIR_LEVEL), owner,
                                     LevelDialogProc, reinterpret_cast<LPARAM>(&state));
    return static_cast<int32_t>(result);
}
