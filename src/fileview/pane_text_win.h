#pragma once

#include <windows.h>

#include <string>

#include "fileview/find_text.h"

// The panes' texts as FileView's core reads them: EditView behind
// EditBuffer, LineView's items one by one.

inline std::string WindowTextOf(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// LineView's index-th item whole; false when the list refuses it.
inline bool ListItemText(HWND list, int index, std::string& line) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return false;
    line.assign(static_cast<size_t>(length) + 1, '\0');
    length = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line.data()));
    if (length == LB_ERR) return false;
    line.resize(static_cast<size_t>(length));
    return true;
}

class WinEditBuffer : public EditBuffer {
  public:
    // A replacement the user may undo, or one that leaves Undo as it was.
    explicit WinEditBuffer(HWND edit, bool undoable = true) : edit_(edit), undoable_(undoable) {}
    std::string Text() override { return WindowTextOf(edit_); }
    void GetSelection(uint32_t& start, uint32_t& end) override {
        DWORD s = 0, e = 0;
        SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = s, end = e;
    }
    bool SelectionEmpty() {
        uint32_t start = 0, end = 0;
        GetSelection(start, end);
        return start == end;
    }
    void SetSelection(uint32_t start, uint32_t end) override {
        SendMessageA(edit_, EM_SETSEL, start, end);
        SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
    }
    void ReplaceSelectionWith(std::string_view text) override {
        std::string copy(text);
        SendMessageA(edit_, EM_REPLACESEL, undoable_, reinterpret_cast<LPARAM>(copy.c_str()));
    }

  private:
    HWND edit_;
    bool undoable_;
};
