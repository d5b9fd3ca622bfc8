#include "files/text_files_win.h"

#include <windows.h>

#include "ui/temp_prefix.h"

namespace {

// Every step of a write, and Replace in Files' reads, on the real file system.
class Win32TextFiles : public TextFileLayer {
  public:
    ~Win32TextFiles() override { Close(); }

    Access ProbeTarget(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return Fail() == ERROR_FILE_NOT_FOUND ? Access::Missing : Access::Refused;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Access::Refused;
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            lastError_ = ERROR_ACCESS_DENIED;
            return Access::ReadOnly;
        }
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return Fail(), Access::Refused;
        CloseHandle(file);
        return Access::Writable;
    }
    bool CreateTarget(const std::string& path) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return Fail(), false;
        CloseHandle(file);
        return true;
    }
    bool CreateTempFile(const std::string& directory, std::string& tempPath) override {
        char path[MAX_PATH] = "";
        if (!GetTempFileNameA(directory.c_str(), TempPrefix, 0, path)) return Fail(), false;
        tempPath = path;
        return true;
    }
    bool OpenForWriting(const std::string& path) override {
        Close();
        file_ = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ != INVALID_HANDLE_VALUE || (Fail(), false);
    }
    bool Write(const char* bytes, size_t count) override {
        DWORD written = 0;
        if (count == 0) return true;
        return (WriteFile(file_, bytes, static_cast<DWORD>(count), &written, nullptr) &&
                written == count) ||
               (Fail(), false);
    }
    bool Flush() override { return FlushFileBuffers(file_) || (Fail(), false); }
    bool Close() override {
        if (file_ == INVALID_HANDLE_VALUE) return true;
        HANDLE file = file_;
        file_ = INVALID_HANDLE_VALUE;
        return CloseHandle(file) || (Fail(), false);
    }
    Replaced Replace(const std::string& from, const std::string& to) override {
        // Wine moves over a read-only file where Windows refuses; refuse on both.
        DWORD attributes = GetFileAttributesA(to.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            lastError_ = ERROR_ACCESS_DENIED;
            return Replaced::ReadOnly;
        }
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Replaced::Done;
        DWORD error = Fail();
        return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? Replaced::ReadOnly
                                                                                : Replaced::Failed;
    }
    bool Remove(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
    bool Exists(const std::string& path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    Read ReadWhole(const std::string& path, size_t limit, std::string& text) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return Fail(), Read::Failed;
        LARGE_INTEGER size = {};
        Read result = Read::Loaded;
        if (!GetFileSizeEx(file, &size)) {
            Fail(), result = Read::Failed;
        } else if (static_cast<uint64_t>(size.QuadPart) >= limit) {
            result = Read::TooLarge;
        } else {
            text.assign(static_cast<size_t>(size.QuadPart), '\0');
            DWORD read = 0;
            if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
                read != text.size())
                Fail(), result = Read::Failed;
            else if (text.find('\0') != std::string::npos)
                result = Read::ZeroByte;
        }
        CloseHandle(file);
        return result;
    }
    FileStamp Identify(const std::string& path) override {
        FileStamp stamp;
        // No access asked for: a file open for writing elsewhere is looked at too.
        HANDLE file =
            CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return stamp;
        BY_HANDLE_FILE_INFORMATION info = {};
        if (GetFileInformationByHandle(file, &info)) {
            stamp.known = true;
            stamp.volume = info.dwVolumeSerialNumber;
            stamp.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
            stamp.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
            stamp.lastWrite = (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                              info.ftLastWriteTime.dwLowDateTime;
        }
        CloseHandle(file);
        return stamp;
    }
    int LastError() override { return static_cast<int>(lastError_); }

  private:
    DWORD Fail() { return lastError_ = GetLastError(); }
    HANDLE file_ = INVALID_HANDLE_VALUE;
    DWORD lastError_ = 0;
};

TextFileLayer* g_TestFiles = nullptr;

}  // namespace

void SetTextFilesForTesting(TextFileLayer* files) {
    g_TestFiles = files;
}

std::unique_ptr<TextFileLayer> RealTextFiles() {
    return std::make_unique<Win32TextFiles>();
}

TextFileLayer& TextFiles() {
    static Win32TextFiles real;
    return g_TestFiles ? *g_TestFiles : real;
}
