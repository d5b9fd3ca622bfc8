#include "search/dir_lister_win.h"

#include <windows.h>

#include <cstdio>

#include "results/file_time.h"

namespace {

class FindEnumeration : public DirEnumeration {
  public:
    FindEnumeration(HANDLE find, const WIN32_FIND_DATAA& first) : find_(find), data_(first) {}
    ~FindEnumeration() override { FindClose(find_); }
    FindEnumeration(const FindEnumeration&) = delete;
    FindEnumeration& operator=(const FindEnumeration&) = delete;

    bool Next(DirEntry& entry) override {
        if (ended_) return false;
        entry.name = data_.cFileName;
        entry.isDirectory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isReparsePoint = (data_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry.size = (static_cast<uint64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
        entry.modified = UnixTimeFromFileTime(data_.ftLastWriteTime.dwLowDateTime,
                                              data_.ftLastWriteTime.dwHighDateTime);
        // Read one ahead, so the handle's end is known before the caller asks again.
        ended_ = !FindNextFileA(find_, &data_);
        return true;
    }

  private:
    HANDLE find_;
    WIN32_FIND_DATAA data_;
    bool ended_ = false;
};

}  // namespace

std::unique_ptr<DirEnumeration> Win32DirLister::Open(const std::string& enumPattern) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(enumPattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<FindEnumeration>(find, data);
}

// The volume and the file index name a directory whatever link leads to it.
std::string Win32DirLister::DirectoryIdentity(const std::string& directory) {
    HANDLE handle =
        CreateFileA(directory.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info;
    BOOL known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!known) return {};
    char identity[32];
    snprintf(identity, sizeof identity, "%08lx:%08lx%08lx", info.dwVolumeSerialNumber,
             info.nFileIndexHigh, info.nFileIndexLow);
    return identity;
}

int64_t UnixTimeFromFileTime(uint32_t low, uint32_t high) {
    return UnixTimeFromFileTicks((static_cast<uint64_t>(high) << 32) | low);
}

DateTriple LocalDateOf(int64_t modified) {
    uint64_t ticks = 0;
    if (!FileTicksFromUnixTime(modified, ticks)) return {};
    FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local;
    SYSTEMTIME date;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &date)) return {};
    return DateTriple{date.wDay, date.wMonth, date.wYear};
}

DateTriple LocalToday() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return DateTriple{now.wDay, now.wMonth, now.wYear};
}
