#include <windows.h>

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

// Saving never writes a part of the file over the whole.
TEST_F(FileViewTest, SaveOfAPartIsRefusedAndKeepsTheFile) {
    const std::string withZero = std::string("visible\0hidden\r\n", 16);
    // clang-format off
    const struct { const char* name; std::string bytes; std::string box; } cases[] = {
        {"zero byte", withZero,
         "Only the first part of ZERO.TXT is shown (its text stops at a zero byte or the file "
         "has grown); it is not saved over the file. Use Save As to save it under another name."},
        {"large file", Lines(700, 100),
         "Only some lines of ZERO.TXT are shown; they are not saved over the file."},
    };
    // clang-format on
    for (const auto& c : cases) {
        ASSERT_TRUE(Open("zero.txt", c.bytes, "i")) << c.name;
        boxes.Clear();
        TypeAtStart('X');
        FileViewCommand(IDM_FV_SAVE);
        EXPECT_EQ(boxes.texts(), V{c.box}) << c.name;
        EXPECT_EQ(folder.Read("zero.txt"), c.bytes) << c.name;
    }
}

// Another program's change since FileView read the file is not saved over
// without asking; No keeps both the file and the text.
TEST_F(FileViewTest, SaveAsksWhenTheFileChangedOnDisk) {
    const std::string question = "NOTES.TXT has changed on disk since it was opened. Overwrite it?";
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(Open("notes.txt", "as loaded\r\n", "loaded"));
        folder.Write("notes.txt", "theirs, written meanwhile\r\n");
        TypeAtStart('X');
        boxes.Clear();
        boxes.Answer(answer);
        FileViewCommand(IDM_FV_SAVE);
        EXPECT_EQ(boxes.texts(), V{question}) << answer;
        EXPECT_EQ(folder.Read("notes.txt"),
                  answer == IDYES ? "Xas loaded\r\n" : "theirs, written meanwhile\r\n");
        EXPECT_EQ(EditText(), "Xas loaded\r\n");
        if (answer == IDNO) continue;
        // Its own save is no change: the next one just saves.
        boxes.Clear();
        TypeAtStart('Y');
        FileViewCommand(IDM_FV_SAVE);
        EXPECT_TRUE(boxes.texts().empty());
        EXPECT_EQ(folder.Read("notes.txt"), "YXas loaded\r\n");
    }
}

TEST_F(FileViewTest, ClosingWithChangesAsksAndAFailedSaveKeepsTheWindow) {
    // clang-format off
    const struct { int answer; const char* lastBox; } cases[] = {
        {IDCANCEL, "Save current changes in NOTE.TXT?"},
        {IDYES, "Could not save file NOTE.TXT"},  // read-only: the changes stay
    };
    // clang-format on
    for (const auto& c : cases) {
        ASSERT_TRUE(Open("note.txt", "a cat\r\n", "cat"));
        SetFileAttributesA(folder.File("note.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        boxes.Clear();
        boxes.Answer(c.answer);
        TypeAtStart('X');
        FileViewCommand(IDM_FV_CLOSE);
        EXPECT_NE(FileViewHandle(), nullptr) << c.answer;
        EXPECT_EQ(boxes.texts().back(), c.lastBox) << c.answer;
        EXPECT_EQ(folder.Read("note.txt"), "a cat\r\n");
        SetFileAttributesA(folder.File("note.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // The main window's exit takes a changed FileView down without a question.
    boxes.Clear();
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    DrainMessages();
    EXPECT_EQ(FileViewHandle(), nullptr);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(FileViewTest, SplitterFollowsTheKeyboardAndTheMouse) {
    HWND window = Open("pets.txt", Lines(50, 5), "HIT");
    ASSERT_TRUE(window);
    HWND splitter = GetDlgItem(window, IDC_SPLITTER);
    SetWindowPos(window, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(Placed(splitter).top, client.bottom * 700 / 1000);
    const int before = Placed(splitter).top;
    FileViewCommand(IDM_FV_SPLIT_WINDOW);
    for (int i = 0; i < 3; ++i) SendMessageA(window, WM_KEYDOWN, VK_UP, 1);
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(Placed(splitter).top, before - 3);
    EXPECT_EQ(Placed(Edit()).bottom, before - 3);
    EXPECT_EQ(GetFocus(), FileViewLineView());

    // A press on the splitter drags it from where it was gripped.
    const RECT bar = Placed(splitter);
    const int x = (bar.left + bar.right) / 2, y = bar.top + 1;
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y - 20));  // onto it from EditView
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 20));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 20));
    EXPECT_EQ(Placed(splitter).top, bar.top + 20);
    EXPECT_EQ(Placed(FileViewLineView()).top, bar.bottom + 20);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Without a search text EditView is alone; Insert switches to overwriting.
TEST_F(FileViewTest, OverwriteModeReplacesInsideALine) {
    ASSERT_TRUE(Open("words.txt", "abcd\r\nef\r\n"));
    EXPECT_EQ(FileViewLineView(), nullptr);
    // Without LineView there is no entry to show and no splitter to move.
    EXPECT_TRUE(Grayed(IDM_FV_DISPLAY_CONTEXT));
    EXPECT_TRUE(Grayed(IDM_FV_SPLIT_WINDOW));
    EXPECT_FALSE(Grayed(IDM_FV_WRAP_LINES));
    SetFocus(Edit());
    SendMessageA(Edit(), WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_EQ(Part(3), "OVR");
    // clang-format off
    const struct { int caret; char typed; const char* text; } cases[] = {
        {1, 'X', "aXcd\r\nef\r\n"},   // inside a line: replaces one character
        {4, 'Y', "aXcdY\r\nef\r\n"},  // at the end of a line: appends
    };
    // clang-format on
    for (const auto& c : cases) {
        SendMessageA(Edit(), EM_SETSEL, c.caret, c.caret);
        SendMessageA(Edit(), WM_CHAR, c.typed, 1);
        EXPECT_EQ(EditText(), c.text) << c.typed;
    }
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
