#include "search/chunk_reader_win.h"

bool Win32ChunkReader::Open(const std::string& path) {
    Close();
    file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

int64_t Win32ChunkReader::Size() {
    LARGE_INTEGER size;
    if (file_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(file_, &size)) return -1;
    return size.QuadPart;
}

int64_t Win32ChunkReader::Read(char* buffer, uint32_t count) {
    DWORD got = 0;
    if (file_ == INVALID_HANDLE_VALUE || !ReadFile(file_, buffer, count, &got, nullptr)) return -1;
    return got;
}

bool Win32ChunkReader::SetPosition(int64_t position) {
    LARGE_INTEGER to;
    to.QuadPart = position;
    return file_ != INVALID_HANDLE_VALUE && SetFilePointerEx(file_, to, nullptr, FILE_BEGIN);
}

void Win32ChunkReader::Close() {
    if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
}
