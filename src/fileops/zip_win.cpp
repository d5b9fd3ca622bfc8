// Add to Zip on the real system: the archive's association, the parameter
// file in the temporary folder and the start of the zip program. The order of
// the steps and messages is in zip.cpp.

#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "fileops/file_operations_win.h"
#include "fileops/open_file_win.h"
#include "files/text_files_win.h"
#include "fileops/zip.h"
#include "results/file_list_win.h"
#include "settings/settings.h"
#include "ui/app_win.h"
#include "ui/handle_win.h"
#include "ui/message_box_win.h"

namespace {

// One parameter file per run: named the first time Add to Zip needs it, then
// truncated and rewritten by every later one.
std::string parameterFileName;

int LastError() {
    return static_cast<int>(GetLastError());
}

struct SystemZip : ZipHost {
    FileHandle archive;
    FileHandle parameters;

    std::vector<std::string> SelectedPaths() override { return SelectedItemPaths(); }
    bool AskArchiveName(int count, std::string& name) override {
        return AskTargetDirectory("Zip", count, name);
    }
    Hold HoldArchive(const std::string& name) override {
        // An existing archive is opened, never truncated; others may read it meanwhile.
        archive = OwnedHandle(CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (archive) return Hold::Opened;
        archive = OwnedHandle(CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        return archive ? Hold::Created : Hold::Failed;
    }
    void ReleaseArchive() override { archive.reset(); }
    void RemoveCreatedArchive(const std::string& name) override {
        // Whatever another program has put into it since is not ours to remove.
        TextFileLayer& files = TextFiles();
        const FileStamp stamp = files.Identify(name);
        if (stamp.known && stamp.size == 0) files.Remove(name);
    }
    bool FindAssociatedProgram(const std::string& name, std::string& program) override {
        return FindProgramFor(name, g_Settings.Directory, program);
    }
    std::string ShortPath(const std::string& path) override {
        char shortPath[kShortPathSize];
        DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
        if (length == 0 || length >= sizeof shortPath) return std::string();
        return shortPath;
    }
    int ParameterFileName(std::string& name) override {
        if (parameterFileName.empty()) {
            char directory[MAX_PATH];
            DWORD length = GetTempPathA(MAX_PATH, directory);
            if (length == 0 || length >= MAX_PATH) return LastError();
            char unique[MAX_PATH];
            if (!GetTempFileNameA(directory, TempPrefix, 0, unique)) return LastError();
            parameterFileName = unique;
        }
        name = parameterFileName;
        return 0;
    }
    int CreateParameterFile(const std::string& name) override {
        // Nobody else writes the list while it is being filled.
        parameters = OwnedHandle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        return parameters ? 0 : LastError();
    }
    int WriteParameterFile(const std::string& bytes) override {
        DWORD written = 0;
        if (!WriteFile(parameters.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr))
            return LastError();
        return written == bytes.size() ? 0 : ERROR_WRITE_FAULT;
    }
    int EndParameterFile() override {
        if (!SetEndOfFile(parameters.get())) {
            int error = LastError();
            parameters.reset();
            return error;
        }
        HANDLE handle = parameters.release();
        return CloseHandle(handle) ? 0 : LastError();
    }
    void CloseParameterFile() override { parameters.reset(); }
    int Launch(const std::string& program, const std::string& parameterText,
               const std::string& directory) override {
        auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteA(MainWindowHandle(), nullptr, program.c_str(), parameterText.c_str(),
                          directory.empty() ? nullptr : directory.c_str(), SW_SHOWMINNOACTIVE));
        return static_cast<int>(result);
    }
    void ShowWarning(const std::string& text) override { WarningBox(nullptr, "%s", text.c_str()); }
    void Trace(const std::string& text) override { OutputDebugStringA(text.c_str()); }
    void Launched() override {
        SetFocus(MainWindowHandle());
        SetStatusText("Ready");
    }
};

}  // namespace

int AddSelectedToZip() {
    SystemZip zip;
    return AddSelectedToZip(zip, g_Settings.ZipOptions, g_Settings.Directory);
}
