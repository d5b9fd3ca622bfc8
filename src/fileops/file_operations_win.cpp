// Rename, delete, copy and move on the real disk through the shell, the target
// dialog and the folder browser. The decisions are in file_operations.cpp.

#include "fileops/file_operations_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "fileops/file_operations.h"
#include "help/help_win.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "results/presentation_win.h"
#include "ui/app_win.h"
#include "ui/bounded_format.h"
#include "ui/controls_win.h"
#include "ui/message_box_win.h"
#include "ui/modal_dialog_win.h"

namespace {

void ShowWarningText(const std::string& text) {
    WarningBox(nullptr, "%s", text.c_str());
}

struct ShellFileOperations : FileOperationHost {
    std::vector<SelectedFile> SelectedFiles() override {
        std::vector<SelectedFile> files;
        std::string path;
        for (int row = NextSelectedItem(-1, &path); row >= 0; row = NextSelectedItem(row, &path))
            files.push_back({row, path});
        return files;
    }
    bool AskTargetDirectory(const char* verb, int count, std::string& target) override {
        return ::AskTargetDirectory(verb, count, target);
    }
    void RunShellOperation(ShellFunction function, const std::string& sources,
                           const std::string& destinations, bool onePerSource,
                           bool confirmed) override {
        SHFILEOPSTRUCTA op = {};
        op.hwnd = MainWindowHandle();
        op.wFunc = static_cast<UINT>(function);
        op.pFrom = sources.c_str();
        op.pTo = destinations.empty() ? nullptr : destinations.c_str();
        op.fFlags = static_cast<FILEOP_FLAGS>((onePerSource ? FOF_MULTIDESTFILES : 0) |
                                              (confirmed ? FOF_NOCONFIRMATION : 0));
        SHFileOperationA(&op);
    }
    bool FileExists(const std::string& path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    FileStamp StampOf(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
        return {true, (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                static_cast<int64_t>((uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                     data.ftLastWriteTime.dwLowDateTime)};
    }
    bool AskYesNo(const std::string& text) override {
        return YesNoBox(nullptr, "%s", text.c_str()) == IDYES;
    }
    void RemoveRows(const std::vector<int>& rows) override { DeleteItemRows(rows); }
    void ShowStatus(const std::string& text) override { SetStatusText(text.c_str()); }
    void ShowWarning(const std::string& text) override { ShowWarningText(text); }
};

struct DiskRename : RenameHost {
    int RenameFile(const std::string& from, const std::string& to) override {
        if (MoveFileA(from.c_str(), to.c_str())) return 0;
        return static_cast<int>(GetLastError());
    }
    void ShowWarning(const std::string& text) override { ShowWarningText(text); }
};

// The target dialog.

constexpr int kTargetTextMax = MAX_PATH - 1;

class TargetDialog : public HelpedDialog {
  public:
    TargetDialog(const char* verb, int count) : verb_(verb), count_(count) {}
    std::string entered;

  private:
    bool OnInit() override {
        CenterWindow(Dialog(), 0);
        SetWindowTextA(Dialog(), verb_);
        char current[MAX_PATH] = "";
        DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
        if (length == 0 || length >= MAX_PATH) current[0] = '\0';
        CharLowerA(current);
        SetDlgItemTextA(Dialog(), IDC_CURRENT_DIR, current);
        HWND edit = Item(IDC_TARGET_DIR);
        SendMessageA(edit, EM_LIMITTEXT, kTargetTextMax, 0);
        SetWindowTextA(edit, TargetDirectoryPreset(current).c_str());
        SetWindowTextF(Item(IDC_TARGET_LABEL), "%s %d file(s) to:", verb_, count_);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return false;
    }
    bool OnCommand(int id, int, HWND) override {
        if (id != IDC_TARGET_BROWSE) return false;
        BrowseForDirectory(Dialog(), Item(IDC_TARGET_DIR));
        return true;
    }
    void OnOk() override {
        char text[MAX_PATH] = "";
        GetDlgItemTextA(Dialog(), IDC_TARGET_DIR, text, kTargetTextMax + 1);
        entered = text;
        End(IDOK);
    }

    const char* verb_;
    int count_;
};

}  // namespace

void RenameFocusedItem() {
    int row = FocusedItem();
    if (row < 0) return;
    std::string path = GetItemFullPath(row);
    EditItemLabel(row);
    SetStatusText(BoundedFormat(kMessageTextSize, "%s renamed.", path.c_str()).c_str());
}

bool RenameFromLabelEdit(int row, const char* newName) {
    DiskRename disk;
    if (!EndRename(disk, GetItemRecord(row), newName)) return false;
    RedrawItems();
    return true;
}

int DeleteSelectedFiles() {
    ShellFileOperations shell;
    return DeleteSelectedFiles(shell);
}

int CopySelectedFiles() {
    ShellFileOperations shell;
    return CopySelectedFiles(shell);
}

int MoveSelectedFiles() {
    ShellFileOperations shell;
    return MoveSelectedFiles(shell);
}

bool AskTargetDirectory(const char* verb, int count, std::string& target) {
    TargetDialog dialog(verb, count);
    if (dialog.Run(MainWindowHandle(), IDD_COPY_MOVE) != IDOK) return false;
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(dialog.entered.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return false;
    target = full;
    return true;
}

void BrowseForDirectory(HWND owner, HWND control) {
    LPITEMIDLIST root = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &root))) {
        WarningBox(nullptr, "Can't find Programs folder!");
        return;
    }
    char picked[MAX_PATH];
    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.pidlRoot = root;
    browse.pszDisplayName = picked;
    browse.lpszTitle = "Select a directory";
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    // The shell's item lists come from the task allocator.
    if (LPITEMIDLIST item = SHBrowseForFolderA(&browse)) {
        if (SHGetPathFromIDListA(item, picked))
            SetWindowTextA(control, NormalizePathForDisplay(std::string(picked)).c_str());
        CoTaskMemFree(item);
    }
    CoTaskMemFree(root);
}
