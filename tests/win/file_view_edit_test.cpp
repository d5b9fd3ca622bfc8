#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_robot.h"
#include "file_view_support.h"
#include "settings/settings.h"
#include "settings/settings_win.h"

namespace {

void SetClipboardTo(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

std::string FaceOf(HWND pane) {
    LOGFONTA font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(pane, WM_GETFONT, 0, 0));
    if (!handle || !GetObjectA(handle, sizeof font, &font)) return "(no font)";
    return font.lfFaceName;
}

class FileViewEditing : public FileViewFixture {
  protected:
    HWND Open(const std::string& bytes, const char* searchText = "") {
        return FileViewFixture::Open("text.txt", bytes, searchText);
    }
    static void Select(size_t start, size_t end) { SendMessageA(Edit(), EM_SETSEL, start, end); }
    // Whether closing FileView asks about changes (answered No, so it closes).
    bool ClosingAsks() {
        const size_t shown = boxes.shown().size();
        boxes.Answer(IDNO);
        FileViewCommand(IDM_FV_CLOSE);
        return boxes.shown().size() > shown;
    }
};

// Wrapping swaps the edit controls and keeps the text, the selection, the
// user's clipboard and the changed state; a case command on a line wrapped
// across screen lines adds no line break.
TEST_F(FileViewEditing, WrapLinesKeepsTextSelectionClipboardAndChangedState) {
    const std::string text = "<" + std::string(150, 'a') + std::string(150, 'B') + ">\r\nlast";
    ASSERT_TRUE(Open(text));
    SetClipboardTo("the user's own clip");
    Select(1, 301);
    HWND unwrapped = Edit();
    FileViewCommand(IDM_FV_WRAP_LINES);
    EXPECT_EQ(Edit(), GetDlgItem(FileViewHandle(), IDC_EDIT_WRAP));
    EXPECT_TRUE(IsWindowVisible(Edit()) && !IsWindowVisible(unwrapped));
    EXPECT_EQ(EditText(), text);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(1), DWORD(301)));
    EXPECT_EQ(ClipboardText(), "the user's own clip");
    FileViewCommand(IDM_FV_WRAP_LINES);
    EXPECT_EQ(Edit(), unwrapped);
    EXPECT_TRUE(IsWindowVisible(Edit()));
    EXPECT_EQ(Selection(), std::make_pair(DWORD(1), DWORD(301)));
    EXPECT_FALSE(ClosingAsks());

    ASSERT_TRUE(Open(text));
    FileViewCommand(IDM_FV_WRAP_LINES);
    Select(1, 301);
    FileViewCommand(IDM_FV_TOGGLE_CASE);
    EXPECT_EQ(EditText(), "<" + std::string(150, 'A') + std::string(150, 'b') + ">\r\nlast");
    EXPECT_EQ(Selection(), std::make_pair(DWORD(1), DWORD(301)));
    EXPECT_TRUE(ClosingAsks());
}

TEST_F(FileViewEditing, CopyLineViewPutsEachLineWithCrLf) {
    ASSERT_TRUE(Open("a cat\r\nno\r\ncat\tnap\r\n\r\nlast cat", "cat"));
    FileViewCommand(IDM_FV_COPY_LINEVIEW);
    std::string expected;
    for (const std::string& item : LineViewItems()) expected += item + "\r\n";
    EXPECT_EQ(LineViewItems().size(), 3u);
    EXPECT_EQ(ClipboardText(), expected);
}

// The new context size applies from the next Display Context on.
TEST_F(FileViewEditing, ContextSizeAndTabsTakeTheirDialogsValues) {
    std::string text;
    for (int i = 0; i < 700; ++i) {
        char line[101];
        std::snprintf(line, sizeof line, "L%05d %s%*d\r\n", i, i == 500 ? "HIT" : "hit", 88, 0);
        text += line;
    }
    ASSERT_TRUE(Open(text, "HIT"));
    {
        DialogRobot robot(IDD_CONTEXT_SIZE, [&](HWND dialog) {
            Type(GetDlgItem(dialog, IDC_CONTEXT_ABOVE), "3");
            Type(GetDlgItem(dialog, IDC_CONTEXT_BELOW), "7");
            Press(dialog, IDOK);
        });
        FileViewCommand(IDM_FV_CONTEXT_SIZE);
        EXPECT_EQ(robot.opened(), 1);
    }
    Jump(0);
    const std::string shown = EditText();
    EXPECT_EQ(shown.substr(0, 6), "L00497");
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 11);

    // The caret's column counts the tab at its new length, and the settings
    // keep it; a length of 0 ends the dialog as Cancel does, changing nothing.
    ASSERT_TRUE(Open("\tx\r\n"));
    for (const char* typed : {"65535", "0"}) {
        DialogRobot robot(IDD_TABS, [&](HWND dialog) {
            Type(GetDlgItem(dialog, IDC_TAB_LENGTH), typed);
            Press(dialog, IDOK);
        });
        FileViewCommand(IDM_FV_TABS);
        EXPECT_EQ(robot.opened(), 1) << typed;
        Select(1, 1);
        SendMessageA(FileViewHandle(), WM_COMMAND, MAKEWPARAM(IDC_EDIT_NOWRAP, EN_CHANGE),
                     reinterpret_cast<LPARAM>(Edit()));
        EXPECT_EQ(Part(5), "65536") << typed;
    }
    ASSERT_TRUE(SaveSettings(folder.File("Quarry32.ini").c_str()));
    EXPECT_NE(folder.Read("Quarry32.ini").find("Tabs=65535\r\n"), std::string::npos);
}

// The font lasts for the run: the settings keep the one from Quarry32.ini.
TEST_F(FileViewEditing, ChosenFontReachesBothPanesButNotTheSettingsFile) {
    ASSERT_TRUE(Open("a cat\r\nno dog\r\n", "cat"));
    ASSERT_NE(FaceOf(Edit()), "Tahoma");
    DialogRobot robot(FORMATDLGORD31, [](HWND dialog) {
        ChooseInFontDialog(dialog, "Tahoma", "12");
        Press(dialog, IDOK);
    });
    FileViewCommand(IDM_FV_FONT);
    EXPECT_EQ(robot.opened(), 1);
    EXPECT_EQ(FaceOf(Edit()) + FaceOf(FileViewLineView()), "TahomaTahoma");
    FileViewCommand(IDM_FV_WRAP_LINES);  // the other edit control takes it too
    EXPECT_EQ(FaceOf(Edit()), "Tahoma");
    ASSERT_TRUE(SaveSettings(folder.File("Quarry32.ini").c_str()));
    EXPECT_NE(folder.Read("Quarry32.ini")
                  .find("FontName=Courier\r\nFontStyle=Regular\r\nFontSize=10\r\n"),
              std::string::npos);
}

}  // namespace
