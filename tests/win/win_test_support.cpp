#include "win_test_support.h"

#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "app/startup_win.h"
#include "results/pending.h"
#include "search/criteria.h"
#include "search/dir_lister_win.h"
#include "ui/dialog_test_hook_win.h"
#include "ui/message_box_win.h"

namespace {

MessageBoxRecorder* activeRecorder = nullptr;

void RemoveFolder(const std::string& path) {
    std::string from = path + std::string(1, '\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() {
    activeRecorder = this;
    SetMessageBoxHook(&MessageBoxRecorder::Hook);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxHook(nullptr);
    activeRecorder = nullptr;
}

int MessageBoxRecorder::Hook(HWND, const char* text, const char* caption, UINT type) {
    MessageBoxRecorder& self = *activeRecorder;
    self.shown_.push_back({caption ? caption : "", text ? text : "", type});
    if (self.whileShown) {
        const ShownMessage box = self.shown_.back();
        if (int reply = self.whileShown(box)) return reply;
    }
    if (self.nextReply_ < self.replies_.size()) return self.replies_[self.nextReply_++];
    if ((type & MB_TYPEMASK) == MB_YESNO) return IDNO;
    if ((type & MB_TYPEMASK) == MB_ABORTRETRYIGNORE) return IDABORT;
    return IDOK;
}

Texts MessageBoxRecorder::texts() const {
    Texts all;
    for (const ShownMessage& box : shown_) all.push_back(box.text);
    return all;
}

int YesToQuestions(const ShownMessage& box) {
    const UINT buttons = box.type & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : 0;
}

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    char name[MAX_PATH];
    // A folder left by a run that was stopped may carry this name again (the
    // process ids repeat): it is removed, and when it cannot be, passed over.
    for (int tries = 0; tries < 100; ++tries) {
        snprintf(name, sizeof name, "%squarry-test-%lu-%u", base, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(name, nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) continue;
        RemoveFolder(name);
        if (CreateDirectoryA(name, nullptr)) break;
    }
    path_ = name;
}

TempFolder::~TempFolder() {
    RemoveFolder(path_);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool TempFolder::Has(const std::string& name) const {
    return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int TempFolder::TempFiles() const {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(File("qry*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

void ShowRows(const std::string& directory, const std::vector<DirEntry>& entries) {
    PendingTable table;
    for (const DirEntry& entry : entries)
        ASSERT_EQ(AddFileInfoItem(table, directory, entry), AddResult::Added) << entry.name;
    ShowPendingItems(TakePendingItems(table), static_cast<int>(entries.size()));
}

void ShowRealFiles(const std::string& directory, const Files& files) {
    std::vector<DirEntry> entries;
    for (const auto& [name, bytes] : files) {
        std::string path = directory + "\\" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
        DirEntry entry;
        entry.name = name;
        entry.size = data.nFileSizeLow;
        entry.modified = UnixTimeFromFileTime(data.ftLastWriteTime.dwLowDateTime,
                                              data.ftLastWriteTime.dwHighDateTime);
        entries.push_back(entry);
    }
    ShowRows(directory, entries);
}

std::string ListCell(int row, int column) {
    char text[300] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(g_Main.FileList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void SetRowState(int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(g_Main.FileList, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void SelectRows(std::initializer_list<int> rows) {
    SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows) SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
}

std::string RowNames() {
    std::string names;
    for (int row = 0; GetItemRecord(row); ++row)
        names += (row ? " " : "") + GetItemRecord(row)->name;
    return names;
}

std::string Marks() {
    std::string marks;
    int rows = static_cast<int>(SendMessageA(g_Main.FileList, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        marks +=
            "?-*"[SendMessageA(g_Main.FileList, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12];
    return marks;
}

std::string ClipboardText() {
    std::string text = "(none)";
    if (!OpenClipboard(nullptr)) return "(not opened)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool RunLoop(WORD untilReleased) {
    const DWORD limit = GetTickCount() + 5000;
    bool released = untilReleased == 0;
    for (int idle = 0; (idle < 3 || !released) && GetTickCount() < limit;) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            idle += MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT) == WAIT_TIMEOUT;
            continue;
        }
        idle = 0;
        released |=
            (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) && msg.wParam == untilReleased;
        ProcessLoopMessage(msg);
    }
    return released;
}

void PressKeys(std::initializer_list<WORD> keys, HWND focus) {
    if (focus) {
        SetForegroundWindow(GetAncestor(focus, GA_ROOT));
        SetFocus(focus);
    }
    std::vector<INPUT> input;
    auto add = [&](WORD key, DWORD flags) {
        INPUT one = {};
        one.type = INPUT_KEYBOARD;
        one.ki = {key, static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), flags, 0, 0};
        input.push_back(one);
    };
    for (WORD key : keys) add(key, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
    ASSERT_EQ(SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)),
              input.size());
    EXPECT_TRUE(RunLoop(*keys.begin())) << "the keys never arrived";
}

void ExpectPartsHold(HWND bar, const Texts& texts) {
    HDC dc = GetDC(bar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(bar, WM_GETFONT, 0, 0)));
    int borders[3] = {};
    SendMessageA(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    RECT client;
    GetClientRect(bar, &client);
    for (size_t part = 0; part < texts.size(); ++part) {
        SIZE extent = {};
        GetTextExtentPoint32A(dc, texts[part].c_str(), static_cast<int>(texts[part].size()),
                              &extent);
        RECT rect = {};
        SendMessageA(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&rect));
        EXPECT_GE(rect.right - rect.left - 2 * borders[0] - 2, extent.cx) << texts[part];
        EXPECT_LE(rect.right, client.right - GetSystemMetrics(SM_CXVSCROLL)) << part;
    }
    SelectObject(dc, old);
    ReleaseDC(bar, dc);
}

void EndSearchDialogs(HWND dialog, int templateId) {
    EndDialog(dialog, templateId == IDD_SUBDIR_LEVEL ? -1 : IDOK);
}

void ProgramTest::SetUp() {
    SetDialogTestHook(&EndSearchDialogs);
    // Each test is a fresh start of the program: no criteria, no rows.
    ReplaceSettings(Settings{});
    RememberSearchCriteria(SearchCriteria{});
    SetProgramDirectoryForTesting(folder.path().c_str());
}

void ProgramTest::TearDown() {
    if (g_App.MainWindow) DestroyWindow(g_App.MainWindow);
    DrainMessages();
    SetProgramDirectoryForTesting(nullptr);
    SetDialogTestHook(nullptr);
    // A search leaves its base directory current, and the test's folder can
    // only be removed once it is not.
    char temp[MAX_PATH];
    if (GetTempPathA(MAX_PATH, temp)) SetCurrentDirectoryA(temp);
    ReplaceSettings(Settings{});
    RememberSearchCriteria(SearchCriteria{});
}

void ProgramTest::Start(const std::string& ini, bool withHelp) {
    folder.Write("Quarry32.ini", ini);
    if (withHelp) folder.Write("Quarry32.hlp", "@@ 0 Contents\r\n");
    ASSERT_TRUE(InitInstance(g_App.AppInstance, SW_SHOWNORMAL));
}

int ProgramTest::DrainMessages() {
    MSG msg;
    int code = -1;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            code = static_cast<int>(msg.wParam);
        else
            DispatchMessageA(&msg);
    }
    return code;
}

std::string ProgramTest::StatusText(int part) const {
    char text[300] = "";
    SendMessageA(g_Main.StatusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

void ProgramTest::Find(const std::string& directory, const std::string& names,
                       const std::string& text, int command) {
    SetWindowTextA(g_Main.DirectoryCombo, directory.c_str());
    SetWindowTextA(g_Main.FileNameCombo, names.c_str());
    SetWindowTextA(g_Main.SearchTextCombo, text.c_str());
    SendMessageA(Control(IDC_SUBDIR_ALL), BM_CLICK, 0, 0);
    Command(command);
}

std::string HostShell(const std::string& command) {
    using Spawn = LONG(CDECL*)(char* const argv[], int wait);
    auto spawn = reinterpret_cast<Spawn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (!spawn) return "cannot start host programs from this Wine";
    // Wine numbers processes afresh in each prefix: the id alone could be
    // another test run's on the same host.
    static const unsigned run = std::random_device{}();
    static int runs = 0;
    std::string out =
        "/tmp/quarry-host-shell-" + std::to_string(run) + "-" + std::to_string(++runs) + ".txt";
    // The shell lets go of the test program's own output at once, so a run
    // that is stopped leaves nothing holding its pipes.
    std::string script = "exec </dev/null >" + out + " 2>&1; " + command;
    std::vector<char> sh(std::begin("/bin/sh"), std::end("/bin/sh")),
        c(std::begin("-c"), std::end("-c")), body(script.begin(), script.end());
    body.push_back('\0');
    char* argv[] = {sh.data(), c.data(), body.data(), nullptr};
    spawn(argv, 1);
    std::string windowsPath = "Z:" + out;
    for (char& ch : windowsPath)
        if (ch == '/') ch = '\\';
    std::string text;
    {
        std::ifstream file(windowsPath, std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        text = bytes.str();
    }
    DeleteFileA(windowsPath.c_str());
    return text;
}
