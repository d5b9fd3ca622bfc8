// Find Files, Find in Selected and Find in Marked: reading the criteria from
// the main window, driving the walk target by target while the window stays
// live, and handing the finds to the File Info List and the reports.

#include "search/search_win.h"

#include <commctrl.h>

#include <string>

#include "help/help.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/pending.h"
#include "search/chunk_reader_win.h"
#include "search/criteria.h"
#include "search/dir_lister_win.h"
#include "search/file_filter.h"
#include "search/report.h"
#include "search/report_win.h"
#include "search/scan.h"
#include "search/search_driver.h"
#include "search/walk.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/controls_win.h"
#include "ui/message_box_win.h"
#include "ui/modal_dialog_win.h"
#include "ui/text.h"

namespace {

constexpr int kDirectoryBoxChars = 255;
constexpr int kFileNameBoxChars = 1024;
constexpr int kSearchTextCapacity = 1024;  // terminator included
constexpr int kDateBoxChars = 31;
constexpr int kSizeBoxChars = 31;

RefusalBeepHook g_RefusalBeepHook = nullptr;

std::string CurrentDirectory() {
    char directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    return length > 0 && length < MAX_PATH ? std::string(directory) : std::string();
}

void RefuseField(HWND field, const char* text) {
    WarningBox(nullptr, "%s", text);
    if (field) SetFocus(field);
}

HCURSOR WaitCursor() {
    return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
}

class Win32TargetResolver : public TargetResolver {
  public:
    bool FullPath(const std::string& path, std::string& fullPath) override {
        // A path the system cannot hold is no path: refused before it is asked.
        if (path.size() >= MAX_PATH) return false;
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
    explicit ProgressPainter(HWND statusBar) : bar_(statusBar) {
        HDC screen = GetDC(bar_);
        dc_ = CreateCompatibleDC(screen);
        ReleaseDC(bar_, screen);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(bar_, WM_GETFONT, 0, 0));
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

    void Show(const std::string& directory, const std::string& fullPath, int partWidth) {
        std::string text = FormatProgressText(directory);
        SIZE extent = {};
        if (dc_) GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
        if (extent.cx > partWidth)
            text = ShortenProgressText(fullPath, extent.cx, partWidth, averageCharWidth_);
        // The same text again would only cost a repaint.
        if (text == shown_) return;
        shown_ = text;
        SendMessageA(bar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

  private:
    HWND bar_;
    HDC dc_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    int averageCharWidth_ = 1;
    std::string shown_;
};

// The walk's and the scan's window side for one target of a run.
class SearchWalkHost : public WalkHost, public ScanHost {
  public:
    SearchWalkHost(SearchRun& run, ProgressPainter& progress, Win32ChunkReader& reader)
        : run_(run), progress_(progress), reader_(reader) {}

    void ShowWarning(const std::string& text) override { WarningBox(nullptr, "%s", text.c_str()); }

    // Esc for any window and a quit abort; everything else is dispatched so
    // the windows stay live. The queue is looked at only every few
    // milliseconds: each look is a round trip to the system.
    // Each target's walk looks at the queue at its first entry.
    bool PumpMessages() override {
        DWORD now = GetTickCount();
        if (!PumpIsDue(now, lastPump_, pumpedYet_)) return false;
        pumpedYet_ = true;
        lastPump_ = now;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                run_.QuitReceived = true;
                run_.QuitCode = static_cast<int>(msg.wParam);
                return true;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (run_.CloseRequested) return true;
        }
        return false;
    }

    void ShowProgress(const std::string& directory, const std::string& fullPath) override {
        progress_.Show(directory, fullPath, run_.Stats.StatusPartWidth);
    }

    DateTriple LocalDate(int64_t modified) override { return LocalDateOf(modified); }

    bool FileContainsText(const std::string& fullPath, const std::string& searchText,
                          uint8_t textOptions) override {
        return ::FileContainsText(reader_, *this, fullPath, searchText.c_str(), textOptions);
    }

    void ScanWarning(const std::string& text) override { WarningBox(nullptr, "%s", text.c_str()); }
    void NonTextFile(const std::string& path) override { AddNonTextFile(run_.NonText, path); }

  private:
    SearchRun& run_;
    ProgressPainter& progress_;
    Win32ChunkReader& reader_;
    DWORD lastPump_ = 0;
    bool pumpedYet_ = false;
};

// The window side of one search: reads the main window's controls, asks the
// user, walks the targets and hands the finds over.
class WindowSearchHost : public SearchHost {
  public:
    explicit WindowSearchHost(HWND mainWindow)
        : main_(mainWindow),
          directoryBox_(GetDlgItem(mainWindow, IDC_DIRECTORY)),
          fileNameBox_(GetDlgItem(mainWindow, IDC_FILE_NAMES)),
          searchTextBox_(GetDlgItem(mainWindow, IDC_SEARCH_TEXT)),
          typeBox_(GetDlgItem(GetDlgItem(mainWindow, IDC_MAIN_TOOLBAR), IDC_TOOLBAR_COMBO)),
          statusBar_(GetDlgItem(mainWindow, IDC_MAIN_STATUS)),
          list_(GetDlgItem(mainWindow, IDC_FILE_LIST)) {}

    CriteriaInput ReadCriteria() override {
        CriteriaInput input;
        input.Directory = FieldText(directoryBox_, kDirectoryBoxChars + 1);
        input.FileNames = FieldText(fileNameBox_, kFileNameBoxChars + 1);
        input.Level = FieldText(GetDlgItem(main_, IDC_LEVEL), kSizeBoxChars + 1);
        input.DateFrom = FieldText(GetDlgItem(main_, IDC_DATE_FROM), kDateBoxChars + 1);
        input.DateTo = FieldText(GetDlgItem(main_, IDC_DATE_TO), kDateBoxChars + 1);
        input.SizeLess = FieldText(GetDlgItem(main_, IDC_SIZE_LESS), kSizeBoxChars + 1);
        input.SizeMore = FieldText(GetDlgItem(main_, IDC_SIZE_MORE), kSizeBoxChars + 1);
        input.LessUnitIndex =
            static_cast<int>(SendDlgItemMessageA(main_, IDC_LESS_UNIT, CB_GETCURSEL, 0, 0));
        input.MoreUnitIndex =
            static_cast<int>(SendDlgItemMessageA(main_, IDC_MORE_UNIT, CB_GETCURSEL, 0, 0));
        input.SearchText = FieldText(searchTextBox_, kSearchTextCapacity);
        input.ExcludedFiles = ExcludedFilePatterns();
        input.DateOrder = static_cast<int>(GetProfileIntA("intl", "iDate", 0));
        input.Today = LocalToday();
        return input;
    }

    void ShowBaseDirectory(const std::string& directory) override {
        SetDlgItemTextA(main_, IDC_CURRENT_DIR, directory.c_str());
        ::AddToHistory(directoryBox_, directory.c_str());
    }

    void AddToHistory(CriteriaHistory history, const std::string& text) override {
        HWND box = history == CriteriaHistory::FileType    ? typeBox_
                   : history == CriteriaHistory::FileNames ? fileNameBox_
                                                           : searchTextBox_;
        ::AddToHistory(box, text.c_str());
    }

    void ClearRows() override {
        if (ShownItemCount() > 0 || SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0) > 0)
            ClearFileInfoList();
    }

    void RefuseCriteria(CriteriaField focus, const char* text) override {
        WarningBox(nullptr, "%s", text);
        if (HWND field = FieldWindow(focus)) SetFocus(field);
    }

    int ProgressWidth() override {
        RECT part = {};
        SendMessageA(statusBar_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
        return part.right - part.left;
    }

    std::vector<RowState> RowStates() override {
        std::vector<RowState> rows(
            static_cast<size_t>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)));
        for (size_t row = 0; row < rows.size(); ++row) {
            UINT state = static_cast<UINT>(
                SendMessageA(list_, LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_STATEIMAGEMASK));
            rows[row].selected = (state & LVIS_SELECTED) != 0;
            rows[row].marked = (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(kStateMarked);
        }
        return rows;
    }

    bool RowFile(int row, std::string& directory, std::string& name) override {
        const FileInfoItem* item = GetItemRecord(row);
        if (!item) return false;
        directory = item->directory;
        name = item->name;
        DebugTraceF("Item %d: %s", row, JoinPath(directory, name).c_str());
        return true;
    }

    TargetResolver& Resolver() override { return resolver_; }

    void RefuseFirstPath(const std::string& directory) override {
        RefuseField(fileNameBox_, BadFirstPathText(directory).c_str());
    }

    bool AskSkipBadPath(const std::string& directory) override {
        MessageBeep(MB_ICONHAND);
        std::string text = BadLaterPathText(LowerText(directory));
        return ShowMessageBox(GetActiveWindow(), text.c_str(), g_App.AppTitle,
                              MB_ICONHAND | MB_YESNO) == IDYES;
    }

    int32_t AskLevel(int subDirMode, uint32_t subDirLevel, bool& useForRest) override {
        return SubDirLevelDialog(main_, subDirMode, subDirLevel, &useForRest);
    }

    void BeginWalk() override { SetCursor(WaitCursor()); }

    int WalkTarget(SearchRun& run, const SearchCriteria& criteria, const SearchTarget& target,
                   int32_t depth) override {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SearchWalkHost walkHost(run, progress_, reader_);
        return WalkDirectory(walkHost, lister_, run, criteria, target, depth);
    }

    void MarkRow(int row, bool found) override { SetItemMark(row, found); }

    void ReturnToBase(const std::string& base) override {
        if (!SameTextIgnoringCase(CurrentDirectory(), base)) SetCurrentDirectoryA(base.c_str());
    }

    void ShowFinds(SearchRun& run) override {
        ShowPendingItems(TakePendingItems(run.Pending), run.Stats.FilesFound);
        SortFileInfoList();
    }

    void EndWalk() override {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    }

    bool AskShowNonTextFiles(int32_t count) override { return ::AskShowNonTextFiles(count); }
    void ShowNonTextFiles(const NonTextList& list) override { NonTextFilesDialog(main_, list); }

    void ShowFindResults(const SearchStats& stats) override { FindResultsDialog(main_, stats); }

    void ShowReady() override {
        ShowStatusWithCounts(IDS_READY, 0, static_cast<unsigned>(ShownItemCount()));
        UpdateListToolbarButtons();
        SetFocus(list_);
    }

  private:
    HWND FieldWindow(CriteriaField field) {
        switch (field) {
            case CriteriaField::Directory: return directoryBox_;
            case CriteriaField::FileNames: return fileNameBox_;
            case CriteriaField::Level: return GetDlgItem(main_, IDC_LEVEL);
            case CriteriaField::SizeLess: return GetDlgItem(main_, IDC_SIZE_LESS);
            case CriteriaField::SizeMore: return GetDlgItem(main_, IDC_SIZE_MORE);
            case CriteriaField::None: break;
        }
        return nullptr;
    }

    HWND main_;
    HWND directoryBox_;
    HWND fileNameBox_;
    HWND searchTextBox_;
    HWND typeBox_;
    HWND statusBar_;
    HWND list_;
    Win32TargetResolver resolver_;
    Win32DirLister lister_;
    ProgressPainter progress_{statusBar_};
    Win32ChunkReader reader_;
};

SearchKind KindOf(int command) {
    if (command == IDM_FIND_IN_SELECTED) return SearchKind::InSelected;
    if (command == IDM_FIND_IN_MARKED) return SearchKind::InMarked;
    return SearchKind::FindFiles;
}

}  // namespace

void StartSearch(HWND mainWindow, int command) {
    WindowSearchHost host(mainWindow);
    SearchOutcome outcome = DriveSearch(host, KindOf(command));
    if (!outcome.started) {
        MessageBeep(MB_OK);
        return;
    }
    if (outcome.quitOwed) PostQuitMessage(outcome.quitCode);
    // A close asked for during the walk is carried out now that it has ended.
    if (outcome.closeOwed) PostMessageA(mainWindow, WM_CLOSE, 0, 0);
}

void AbortSearch() {
    RequestSearchClose();
}

bool RefuseDuringSearch(int command) {
    if (!IsRefusedWhileSearching(command)) return false;
    if (g_RefusalBeepHook)
        g_RefusalBeepHook(command);
    else
        MessageBeep(MB_OK);
    return true;
}

void SetRefusalBeepHook(RefusalBeepHook hook) {
    g_RefusalBeepHook = hook;
}

bool KeepSearchCursor() {
    if (!SearchIsRunning()) return false;
    SetCursor(WaitCursor());
    return true;
}

// The Sub-Directory Level dialog.

namespace {

class LevelDialog : public HelpedDialog {
  public:
    LevelDialog(int mode, uint32_t level) : mode_(mode), level_(level) {}
    bool useForRest = false;

  private:
    bool OnInit() override {
        CenterWindow(Dialog(), 0);
        const int radio = IDC_SUBDIR_NONE + mode_;
        CheckRadioButton(Dialog(), IDC_SUBDIR_NONE, IDC_SUBDIR_LEVEL, radio);
        SetDlgItemInt(Dialog(), IDC_LEVEL, level_, FALSE);
        SetFocus(Item(radio));
        return false;
    }
    bool OnCommand(int id, int, HWND) override {
        if (id < IDC_SUBDIR_NONE || id > IDC_SUBDIR_LEVEL) return false;
        mode_ = id - IDC_SUBDIR_NONE;
        return true;
    }
    void OnOk() override {
        uint32_t level = 0;
        HWND levelBox = Item(IDC_LEVEL);
        if (mode_ == 2 && !ParseUnsignedField(FieldText(levelBox, kSizeBoxChars + 1), level))
            return RefuseField(levelBox, kBadLevelText);
        useForRest = Checked(IDC_LEVEL_FOR_REST);
        End(WalkDepthFor(mode_, level));
    }
    void OnCancel() override { End(-1); }

    int mode_;
    uint32_t level_;
};

}  // namespace

int32_t SubDirLevelDialog(HWND owner, int subDirMode, uint32_t subDirLevel, bool* useForRest) {
    LevelDialog dialog(subDirMode, subDirLevel);
    const INT_PTR result = dialog.Run(owner, IDD_SUBDIR_LEVEL);
    if (useForRest) *useForRest = result != -1 && dialog.useForRest;
    return static_cast<int32_t>(result);
}
