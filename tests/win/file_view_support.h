#pragma once

#include <windows.h>
#include <dlgs.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "fileview/file_view_win.h"
#include "search/criteria.h"
#include "ui/text_options.h"
#include "win_test_support.h"

// Opens FileView on `path` as the opening would hand it over: whole below
// FileView's capacity, otherwise a window of lines around each entry.
inline HWND OpenFileViewOn(HWND owner, const std::string& path, const std::string& name,
                           size_t size) {
    FileViewFile file;
    std::snprintf(file.FullPath, sizeof file.FullPath, "%s", path.c_str());
    std::snprintf(file.FileName, sizeof file.FileName, "%s", name.c_str());
    file.Size = size;
    file.WholeFile = file.Size < kFileViewCapacity;
    if (file.WholeFile)
        return OpenFileViewWindow(owner, file, kWholeFileContext, kWholeFileContext);
    return OpenFileViewWindow(owner, file, kDefaultContextAbove, kDefaultContextBelow);
}

// The last search's text, as FileView's Line List reads it.
inline void SearchedFor(const std::string& text, uint8_t options = kTextCase) {
    SearchCriteria criteria;
    criteria.SearchText = text;
    criteria.TextOptions = options;
    RememberSearchCriteria(criteria);
}

// Picks a face and a size in the font dialog's lists as a click would.
inline void ChooseInFontDialog(HWND dialog, const char* face, const char* size) {
    for (const auto& [id, text] : {std::pair{cmb1, face}, std::pair{cmb3, size}}) {
        HWND combo = GetDlgItem(dialog, id);
        const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(text));
        ASSERT_NE(index, CB_ERR) << text;
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    }
}

// FileView opened on a file of the test's folder after a search for a text,
// and what its panes and status bar show.
class FileViewFixture : public ProgramTest {
  protected:
    void TearDown() override {
        if (FileViewHandle()) DestroyWindow(FileViewHandle());
        ProgramTest::TearDown();
    }
    // Starts the program when it is not running and closes a FileView left open.
    HWND Open(const std::string& name, const std::string& bytes, const char* text = "") {
        if (!Main()) Start("[Find]\r\n");
        if (FileViewHandle()) DestroyWindow(FileViewHandle());
        folder.Write(name, bytes);
        SearchedFor(text);
        HWND window = OpenFileViewOn(Main(), folder.File(name), name, bytes.size());
        DrainMessages();
        return window;
    }
    static HWND Edit() { return FileViewEditView(); }
    static void FileViewCommand(int id) {
        SendMessageA(FileViewHandle(), WM_COMMAND, id, 0);
        DrainMessages();
    }
    static std::string EditText() {
        std::string text(static_cast<size_t>(GetWindowTextLengthA(Edit())) + 1, '\0');
        text.resize(static_cast<size_t>(
            GetWindowTextA(Edit(), text.data(), static_cast<int>(text.size()))));
        return text;
    }
    static std::pair<DWORD, DWORD> Selection() {
        DWORD start = 0, end = 0;
        SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    static std::string Selected() {
        auto [start, end] = Selection();
        return EditText().substr(start, end - start);
    }
    // The text of a part of FileView's status bar.
    static std::string Part(int part) {
        char text[300] = "";
        SendMessageA(GetDlgItem(FileViewHandle(), IDC_FILEVIEW_STATUS), SB_GETTEXTA, part,
                     reinterpret_cast<LPARAM>(text));
        return text;
    }
    static Texts LineViewItems() {
        Texts items;
        const int count = static_cast<int>(SendMessageA(FileViewLineView(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char item[300] = "";
            SendMessageA(FileViewLineView(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
            items.push_back(item);
        }
        return items;
    }
    // Display Context on LineView's item `index`.
    static void Jump(int index) {
        SendMessageA(FileViewLineView(), LB_SETCURSEL, index, 0);
        FileViewCommand(IDM_FV_DISPLAY_CONTEXT);
    }
    static bool Grayed(int command) {
        return (GetMenuState(GetMenu(FileViewHandle()), command, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    // Types over the start of EditView, which marks the text changed.
    static void TypeAtStart(char typed) {
        SendMessageA(Edit(), EM_SETSEL, 0, 0);
        SendMessageA(Edit(), WM_CHAR, typed, 1);
    }
};
