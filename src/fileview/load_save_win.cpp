#include "fileview/load_save_win.h"

#include <commdlg.h>

#include <memory>
#include <new>

#include "app/message_box_win.h"

namespace {

// The save's steps on the real file system.
class Win32SaveFiles : public SaveFileLayer {
  public:
    ~Win32SaveFiles() override { Close(); }

    Access ProbeTarget(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return GetLastError() == ERROR_FILE_NOT_FOUND ? Access::Missing : Access::Refused;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Access::Refused;
        if (attributes & FILE_ATTRIBUTE_READONLY) return Access::ReadOnly;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return Access::Refused;
        CloseHandle(file);
        return Access::Writable;
    }
    bool CreateTarget(const std::string& path) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    }
    bool CreateTempFile(const std::string& directory, std::string& tempPath) override {
        char path[MAX_PATH];
        if (!GetTempFileNameA(directory.c_str(), TempPrefix, 0, path)) return false;
        tempPath = path;
        return true;
    }
    bool OpenForWriting(const std::string& path) override {
        file_ = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ != INVALID_HANDLE_VALUE;
    }
    bool Write(const char* bytes, size_t count) override {
        DWORD written = 0;
        return WriteFile(file_, bytes, static_cast<DWORD>(count), &written, nullptr) &&
               written == count;
    }
    bool Flush() override { return FlushFileBuffers(file_) != 0; }
    bool Close() override {
        if (file_ == INVALID_HANDLE_VALUE) return true;
        bool closed = CloseHandle(file_) != 0;
        file_ = INVALID_HANDLE_VALUE;
        return closed;
    }
    Replaced Replace(const std::string& from, const std::string& to) override {
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Replaced::Done;
        DWORD error = GetLastError();
        DWORD attributes = GetFileAttributesA(to.c_str());
        bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
        return readOnly || error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION
                   ? Replaced::ReadOnly
                   : Replaced::Failed;
    }
    bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

  private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

SaveFileLayer* testFiles = nullptr;

SaveResult SaveThroughLayer(const char* path, std::string_view text) {
    if (testFiles) return SaveTextToFile(*testFiles, path, text);
    Win32SaveFiles files;
    return SaveTextToFile(files, path, text);
}

bool Reported(SaveResult result) {
    if (const char* text = SaveFailureText(result)) WarningBox(nullptr, "%s", text);
    return result == SaveResult::Saved;
}

}  // namespace

void SetSaveFilesForTesting(SaveFileLayer* files) {
    testFiles = files;
}

std::unique_ptr<SaveFileLayer> RealSaveFiles() {
    return std::make_unique<Win32SaveFiles>();
}

bool SaveTextAsFile(const char* path, std::string_view text) {
    return Reported(SaveThroughLayer(path, text));
}

bool SaveEditToFile(HWND edit, const char* path) {
    size_t length = static_cast<size_t>(GetWindowTextLengthA(edit));
    if (length >= kSaveTextLimit) return Reported(SaveResult::TooLarge);
    std::unique_ptr<char[]> text(new (std::nothrow) char[length + 1]);
    if (!text) return Reported(SaveResult::NoMemory);
    length = static_cast<size_t>(GetWindowTextA(edit, text.get(), static_cast<int>(length + 1)));
    return SaveTextAsFile(path, std::string_view(text.get(), length));
}

int AskSaveAsName(HWND owner, char* fullPath, char* fileName) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Text Files (*.TXT)\0*.TXT\0All Files (*.*)\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fullPath;
    dialog.nMaxFile = MAX_PATH;
    // The name is the last part of a path of at most MAX_PATH, so it never
    // needs more room than that.
    dialog.lpstrFileTitle = fileName;
    dialog.nMaxFileTitle = MAX_PATH;
    dialog.lpstrDefExt = "TXT";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_PATHMUSTEXIST;
    return GetSaveFileNameA(&dialog);
}
