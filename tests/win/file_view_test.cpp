#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "file_view_support.h"

namespace {

using V = std::vector<std::string>;

// Lines of 100 bytes with their line ends, each starting with its index.
std::string Lines(int count, int hitEvery = 0) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[101];
        const bool hit = hitEvery > 0 && i % hitEvery == 0;
        std::snprintf(line, sizeof line, "L%05d %s%*d\r\n", i, hit ? "HIT" : "hit", 88, 0);
        text += line;
    }
    return text;
}

using FileViewTest = FileViewFixture;

RECT Placed(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, FileViewHandle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(FileViewTest, ShowsTheFileWithItsLineListAndTheFirstMatch) {
    const std::string text = "first line\r\nthe cat sat\r\ncat and cat\r\n";
    HWND window = Open("pets.txt", text, "cat");
    ASSERT_TRUE(window);
    EXPECT_EQ(Text(window), "Quarry - FileView - PETS.TXT");
    EXPECT_EQ(EditText(), text);
    EXPECT_EQ(LineViewItems(),
              (V{" 00001: the cat sat", " 00002: cat and cat", " 00002: cat and cat"}));
    EXPECT_EQ(Part(7), "  3");
    EXPECT_EQ(Selected(), "cat");  // the first entry is shown
    EXPECT_EQ(Part(4) + "/" + Part(5), "00002/008");
    EXPECT_EQ(GetFocus(), FileViewLineView());
    // The find box's tip lives in the toolbar's own tooltip control.
    HWND tip = reinterpret_cast<HWND>(SendDlgItemMessageA(window, IDC_FILEVIEW_TOOLBAR,
                                                           TB_GETTOOLTIPS, 0, 0));
    char tipText[32] = "";
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(
        GetDlgItem(GetDlgItem(window, IDC_FILEVIEW_TOOLBAR), IDC_FIND_BOX));
    tool.lpszText = tipText;
    SendMessageA(tip, TTM_GETTEXTA, sizeof tipText, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tipText, "Find text");
    EXPECT_TRUE(GetWindowLongPtrA(tip, GWL_STYLE) & TTS_ALWAYSTIP);

    // A second open while FileView exists changes nothing.
    EXPECT_EQ(OpenFileViewOn(Main(), folder.File("pets.txt"), "pets.txt", text.size()), nullptr);
    EXPECT_EQ(FileViewHandle(), window);

    // The third entry selects its own match, the second "cat" of its line.
    Jump(2);
    const DWORD start = static_cast<DWORD>(text.find("cat and cat") + 8);
    EXPECT_EQ(Selection(), std::make_pair(start, start + 3));
    EXPECT_TRUE(boxes.shown().empty());
}

// Context mode: EditView holds 251 lines around the entry, counted from the
// entry's own line, however far into the file it lies; Save is refused.
TEST_F(FileViewTest, LargeFileShowsLinesAroundTheEntry) {
    std::string big = Lines(70100, 500);
    big.replace(big.size() - 100 * 40 + 7, 3, "HIT");  // on line 70,060 too
    ASSERT_TRUE(Open("big.log", big, "HIT"));
    const V items = LineViewItems();
    ASSERT_EQ(items.size(), 142u);
    EXPECT_EQ(items[141].substr(0, 14), " 70060: L70060");
    EXPECT_EQ(EditText().substr(0, 6), "L00000");  // the first entry, line 1
    Jump(141);
    EXPECT_EQ(EditText().substr(0, 6), "L69960");
    EXPECT_EQ(Selected(), "HIT");
    EXPECT_EQ(Part(4), "70061");
    Jump(1);
    EXPECT_EQ(EditText().substr(0, 6) + " " + Part(4), "L00400 00501");
    const std::string shown = EditText();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 251);
    SendMessageA(FileViewHandle(), WM_INITMENUPOPUP,
                 reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(FileViewHandle()), FV_MENU_FILE)),
                 FV_MENU_FILE);
    EXPECT_TRUE(Grayed(IDM_FV_SAVE));
    EXPECT_TRUE(Grayed(IDM_FV_SAVE_AS));
}

// A text cut at a zero byte by the real load is not saved over the file.
TEST_F(FileViewTest, SaveOfAPartIsRefusedAndKeepsTheFile) {
    const std::string withZero = std::string("visible\0hidden\r\n", 16);
    ASSERT_TRUE(Open("zero.txt", withZero, "i"));
    boxes.Clear();
    TypeAtStart('X');
    FileViewCommand(IDM_FV_SAVE);
    EXPECT_EQ(boxes.texts(),
              V{"Only the first part of ZERO.TXT is shown (its text stops at a zero byte or the "
                "file has grown); it is not saved over the file. Use Save As to save it under "
                "another name."});
    EXPECT_EQ(folder.Read("zero.txt"), withZero);
}

// The real file's identity and time tell another program's change since
// FileView read the file; FileView's own save is no change.
TEST_F(FileViewTest, SaveAsksWhenTheFileChangedOnDisk) {
    ASSERT_TRUE(Open("notes.txt", "as loaded\r\n", "loaded"));
    folder.Write("notes.txt", "theirs, written meanwhile\r\n");
    TypeAtStart('X');
    boxes.Clear();
    boxes.Answer(IDYES);
    FileViewCommand(IDM_FV_SAVE);
    EXPECT_EQ(boxes.texts(), V{"NOTES.TXT has changed on disk since it was opened. Overwrite it?"});
    EXPECT_EQ(folder.Read("notes.txt"), "Xas loaded\r\n");
    boxes.Clear();
    TypeAtStart('Y');
    FileViewCommand(IDM_FV_SAVE);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(folder.Read("notes.txt"), "YXas loaded\r\n");
}

// The main window's exit and the session's end ask about changes as Close
// does; Cancel keeps the program open, No lets both windows go unsaved.
TEST_F(FileViewTest, ClosingWithChangesAsksFromEveryWayOut) {
    ASSERT_TRUE(Open("note.txt", "a cat\r\n", "cat"));
    TypeAtStart('X');
    boxes.Clear();
    for (int answer : {IDCANCEL, IDCANCEL, IDCANCEL, IDNO}) boxes.Answer(answer);
    FileViewCommand(IDM_FV_CLOSE);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    DrainMessages();
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_NE(FileViewHandle(), nullptr);
    EXPECT_EQ(SendMessageA(FileViewHandle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    DrainMessages();
    EXPECT_EQ(FileViewHandle(), nullptr);
    EXPECT_EQ(Main(), nullptr);
    EXPECT_EQ(boxes.texts(), V(4, "Save current changes in NOTE.TXT?"));
    EXPECT_EQ(folder.Read("note.txt"), "a cat\r\n");
}

TEST_F(FileViewTest, SplitterFollowsTheMouse) {
    HWND window = Open("pets.txt", Lines(50, 5), "HIT");
    ASSERT_TRUE(window);
    HWND splitter = GetDlgItem(window, IDC_SPLITTER);
    SetWindowPos(window, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(Placed(splitter).top, client.bottom * 700 / 1000);
    // A press on the splitter drags it from where it was gripped.
    const RECT bar = Placed(splitter);
    const int x = (bar.left + bar.right) / 2, y = bar.top + 1;
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y - 20));  // onto it from EditView
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 20));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 20));
    EXPECT_EQ(Placed(splitter).top, bar.top + 20);
    EXPECT_EQ(Placed(Edit()).bottom, bar.top + 20);
    EXPECT_EQ(Placed(FileViewLineView()).top, bar.bottom + 20);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Without a search text EditView is alone; Insert switches to overwriting.
TEST_F(FileViewTest, OverwriteModeReplacesInsideALine) {
    ASSERT_TRUE(Open("words.txt", "abcd\r\nef\r\n"));
    EXPECT_EQ(FileViewLineView(), nullptr);
    EXPECT_TRUE(Grayed(IDM_FV_SPLIT_WINDOW));  // no splitter to move
    SetFocus(Edit());
    SendMessageA(Edit(), WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_EQ(Part(3), "OVR");
    for (int caret : {1, 4}) {
        SendMessageA(Edit(), EM_SETSEL, caret, caret);
        SendMessageA(Edit(), WM_CHAR, 'X', 1);
    }
    EXPECT_EQ(EditText(), "aXcdX\r\nef\r\n");  // inside a line one character goes
}

// At the default window size each status part shows its longest text whole,
// in the bar's own font, and the last one stays clear of the size grip.
TEST_F(FileViewTest, StatusPartsHoldTheirLongestTexts) {
    HWND window = Open("pets.txt", "cat\r\n", "cat");
    ASSERT_TRUE(window);
    RECT shown;
    GetWindowRect(window, &shown);
    ASSERT_EQ(shown.right - shown.left, 400);  // the settings' default width
    HWND bar = GetDlgItem(window, IDC_FILEVIEW_STATUS);
    HDC dc = GetDC(bar);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(bar, WM_GETFONT, 0, 0)));
    int borders[3] = {};
    SendMessageA(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    RECT client;
    GetClientRect(bar, &client);
    const char* longest[8] = {"Ready", "CAPS", "NUM", "OVR", "400000", "250", "9999", "9999"};
    for (int part = 0; part < 8; ++part) {
        SIZE extent = {};
        GetTextExtentPoint32A(dc, longest[part], static_cast<int>(strlen(longest[part])), &extent);
        RECT rect = {};
        SendMessageA(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&rect));
        EXPECT_GE(rect.right - rect.left - 2 * borders[0] - 2, extent.cx) << longest[part];
        EXPECT_LE(rect.right, client.right - GetSystemMetrics(SM_CXVSCROLL)) << part;
    }
    SelectObject(dc, old);
    ReleaseDC(bar, dc);
}

}  // namespace
