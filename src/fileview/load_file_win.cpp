#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "fileview/file_view_file.h"
#include "fileview/load_save_win.h"
#include "ui/handle_win.h"

bool LoadFileIntoEdit(HWND edit, const char* path, uint64_t count, bool* partialText) {
    if (partialText) *partialText = false;
    // Others may read the file meanwhile but not change it.
    FileHandle file = OwnedHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (count > kFileViewCapacity) return false;
    const DWORD wanted = static_cast<DWORD>(count);
    std::unique_ptr<char[]> text(new (std::nothrow) char[wanted + 1]());
    if (!text) return false;
    DWORD got = 0;
    if (wanted > 0 && !ReadFile(file.get(), text.get(), wanted, &got, nullptr)) return false;
    LARGE_INTEGER size = {};
    const bool grown = GetFileSizeEx(file.get(), &size) && static_cast<uint64_t>(size.QuadPart) > got;
    file.reset();
    text[got] = '\0';
    if (partialText) *partialText = grown || std::memchr(text.get(), '\0', got) != nullptr;
    return SetWindowTextA(edit, text.get()) != 0;
}
