#include "fileops/open_file_win.h"

#include <shellapi.h>

#include <string>

#include "fileops/open_file.h"
#include "fileview/file_view_win.h"
#include "results/file_list_win.h"
#include "search/criteria.h"
#include "settings/settings.h"
#include "ui/app_win.h"

namespace {

// The file being opened, and the context sizes it was prepared with.
FileViewFile g_Opened;
int g_OpenedAbove = kDefaultContextAbove;
int g_OpenedBelow = kDefaultContextBelow;

class ShellLauncher : public LaunchHost {
  public:
    bool FindAssociatedProgram(const std::string& name, const std::string& directory,
                               std::string& program) override {
        return FindProgramFor(name, directory, program);
    }
    // Whether the program started is not examined: a viewer that fails says so itself.
    void StartProgram(const ViewerLaunch& launch) override {
        ShellExecuteA(MainWindowHandle(), nullptr, launch.program.c_str(),
                      launch.parameters.c_str(), launch.directory.c_str(), SW_SHOWNORMAL);
    }
};

class WindowsOpening : public OpeningHost {
  public:
    bool FileViewIsOpen() override { return FileViewHandle() != nullptr; }
    void HandOver(const FileViewFile& file, int above, int below) override {
        g_Opened = file;
        g_OpenedAbove = above;
        g_OpenedBelow = below;
    }
    void RememberDirectory(const std::string& directory) override { SetSearchDirectory(directory); }
    void AskViewerSettings() override { FileViewSettingsDialog(MainWindowHandle()); }
    void OpenFileView() override {
        OpenFileViewWindow(MainWindowHandle(), g_Opened, g_OpenedAbove, g_OpenedBelow);
    }
    void LaunchOutsideViewer(int choice) override { ::LaunchOutsideViewer(choice); }
    void ShowStatus(int stringId) override {
        char text[256] = "";
        LoadStringA(AppInstanceHandle(), static_cast<UINT>(stringId), text, sizeof text);
        SetStatusText(text);
    }
};

}  // namespace

void LaunchOutsideViewer(int choice) {
    ShellLauncher launcher;
    LaunchOutsideViewer(choice, g_Opened, g_Settings.OtherEditor, launcher);
}

const FileViewFile& OpenedFile() {
    return g_Opened;
}

void SetOpenedFile(const FileViewFile& file) {
    g_Opened = file;
}

void OpenFileFromList(int row) {
    const FileInfoItem* item = GetItemRecord(row);
    if (!item) return;
    WindowsOpening host;
    OpenFileItem(*item, g_Settings, LastSearchHadText(), host);
}

void OpenFocusedItem() {
    int row = FocusedItem();
    if (row >= 0) OpenFileFromList(row);
}

bool FindProgramFor(const std::string& file, const std::string& directory, std::string& program) {
    char found[MAX_PATH] = "";
    const auto result =
        reinterpret_cast<INT_PTR>(FindExecutableA(file.c_str(), directory.c_str(), found));
    if (result <= 32 || !found[0]) return false;
    program = found;
    return true;
}
