#include "ui/clipboard_win.h"

#include <cstring>

bool PutClipboardText(HWND owner, std::string_view text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!block) return false;
    char* out = static_cast<char*>(GlobalLock(block));
    if (!out) {
        GlobalFree(block);
        return false;
    }
    memcpy(out, text.data(), text.size());
    GlobalUnlock(block);

    // Once handed over the clipboard owns the block; otherwise it is ours to free.
    bool handed = false;
    if (OpenClipboard(owner)) {
        EmptyClipboard();
        handed = SetClipboardData(CF_TEXT, block) != nullptr;
        CloseClipboard();
    }
    if (!handed) GlobalFree(block);
    return handed;
}
