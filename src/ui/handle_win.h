#pragma once

#include <windows.h>

#include <memory>

// The one owner of kernel handles: closed on every way out of a function.
struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

// Takes a handle as CreateFile returns it: INVALID_HANDLE_VALUE owns nothing.
inline FileHandle OwnedHandle(HANDLE handle) {
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
