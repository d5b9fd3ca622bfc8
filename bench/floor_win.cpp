// The floor: the least a finder can do on this platform. It enumerates the
// tree with FindFirstFileA/FindNextFileA and, when asked to read, opens every
// file once, reads it through one 61,440-byte buffer and closes it. Nothing
// else: no name test, no search, no allocation.
#include "floor_win.h"

#include <cstring>

namespace {

char gFloorBuffer[61440];

void FloorLevel(char* path, size_t length, bool readFiles, FloorCounts& counts) {
    if (length + 4 >= MAX_PATH) return;
    std::memcpy(path + length, "\\*.*", 5);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path, &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const size_t nameLength = std::strlen(data.cFileName);
        if (length + 1 + nameLength >= MAX_PATH) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (data.cFileName[0] == '.') continue;
            path[length] = '\\';
            std::memcpy(path + length + 1, data.cFileName, nameLength + 1);
            FloorLevel(path, length + 1 + nameLength, readFiles, counts);
            continue;
        }
        counts.files += 1;
        if (!readFiles) continue;
        path[length] = '\\';
        std::memcpy(path + length + 1, data.cFileName, nameLength + 1);
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        DWORD got = 0;
        while (ReadFile(file, gFloorBuffer, sizeof gFloorBuffer, &got, nullptr) && got > 0) {
            counts.bytes += got;
            if (got < sizeof gFloorBuffer) break;
        }
        CloseHandle(file);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

}  // namespace

FloorCounts RunFloor(const char* root, bool readFiles) {
    char path[MAX_PATH];
    FloorCounts counts;
    const size_t length = std::strlen(root);
    if (length >= MAX_PATH) return counts;
    std::memcpy(path, root, length + 1);
    FloorLevel(path, length, readFiles, counts);
    return counts;
}
