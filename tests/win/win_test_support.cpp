#include "win_test_support.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "app/main_window_win.h"
#include "app/startup_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/pending.h"
#include "search/criteria.h"
#include "search/dir_lister_win.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/dialog_test_hook_win.h"
#include "ui/message_box_win.h"

namespace {
MessageBoxRecorder* activeRecorder = nullptr;
}

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

std::vector<std::string> MessageBoxRecorder::texts() const {
    std::vector<std::string> all;
    for (const ShownMessage& box : shown_) all.push_back(box.text);
    return all;
}

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    char name[MAX_PATH];
    // A folder left by a run that was stopped may carry this name again (the
    // process ids repeat): it is removed, and when it cannot be, passed over,
    // so every test starts in an empty folder.
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

void TempFolder::RemoveFolder(const std::string& path) {
    std::string from = path + std::string(1, '\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
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

void PressKeys(HWND focus, std::initializer_list<WORD> keys) {
    SetForegroundWindow(GetAncestor(focus, GA_ROOT));
    SetFocus(focus);
    std::vector<INPUT> input;
    for (WORD key : keys) input.push_back({INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        input.push_back({INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}});
    ASSERT_EQ(SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)),
              input.size());
    const WORD last = *keys.begin();
    const DWORD until = GetTickCount() + 5000;
    for (bool released = false; !released && GetTickCount() < until;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if ((msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) && msg.wParam == last)
                released = true;
            ProcessLoopMessage(msg);
        }
    }
    EXPECT_TRUE(GetTickCount() < until) << "the keys never arrived";
}

std::string RowNames() {
    std::string names;
    for (int row = 0; GetItemRecord(row); ++row)
        names += (row ? " " : "") + GetItemRecord(row)->name;
    return names;
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

HWND ProgramTest::Main() const {
    return g_App.MainWindow;
}

std::string ProgramTest::Text(HWND window) const {
    char text[1100] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ProgramTest::Marks() {
    std::string marks;
    int rows = static_cast<int>(SendMessageA(g_Main.FileList, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        marks +=
            "?-*"[SendMessageA(g_Main.FileList, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12];
    return marks;
}

std::string ProgramTest::StatusText(int part) const {
    char text[300] = "";
    SendMessageA(g_Main.StatusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
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
        c(std::begin("-c"), std::end("-c"));
    std::vector<char> body(script.begin(), script.end());
    body.push_back('\0');
    char* argv[] = {sh.data(), c.data(), body.data(), nullptr};
    spawn(argv, 1);
    std::string windowsPath = "Z:" + out;
    for (char& ch : windowsPath)
        if (ch == '/') ch = '\\';
    std::ifstream file(windowsPath, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    file.close();
    DeleteFileA(windowsPath.c_str());
    return text.str();
}
