#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fileview/file_view_win.h"
#include "resource_ids.h"
#include "search/criteria.h"
#include "search/text_options.h"
#include "settings/settings.h"
#include "file_view_support.h"
#include "win_test_support.h"

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

// FileView opened on a file of the test's folder after a search for `text`.
class FileViewTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        gSearchCriteria = SearchCriteria{};
        SetContextLines(kWholeFileContext, kWholeFileContext);
    }
    void TearDown() override {
        ProgramTest::TearDown();
        gSearchCriteria = SearchCriteria{};
    }

    HWND Open(const std::string& name, const std::string& bytes, const char* text,
              uint8_t options = kTextCase, const std::string& ini = "[Find]\r\n") {
        if (!Main()) Start(ini);
        folder.Write(name, bytes);
        gSearchCriteria.SearchText = text;
        gSearchCriteria.TextOptions = options;
        HWND window = OpenFileViewOn(Main(), folder.File(name), name, bytes.size());
        DrainMessages();
        return window;
    }

    static HWND Edit() { return FileViewEditView(); }
    static HWND Lines_() { return FileViewLineView(); }
    static HWND Status() { return GetDlgItem(FileViewHandle(), IDC_FILEVIEW_STATUS); }
    static void FileViewCommand(int id) { SendMessageA(FileViewHandle(), WM_COMMAND, id, 0); }

    // The texts of the message boxes shown after the first `shown`.
    V Since(size_t shown) const {
        const V all = boxes.texts();
        return V(all.begin() + static_cast<std::ptrdiff_t>(std::min(shown, all.size())), all.end());
    }
    static std::string Part(int part) {
        char text[300] = "";
        SendMessageA(Status(), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }
    static V LineViewItems() {
        V items;
        const int count = static_cast<int>(SendMessageA(Lines_(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char item[300] = "";
            SendMessageA(Lines_(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
            items.push_back(item);
        }
        return items;
    }
    static std::string EditText() {
        std::string text(static_cast<size_t>(GetWindowTextLengthA(Edit())) + 1, '\0');
        text.resize(static_cast<size_t>(GetWindowTextA(Edit(), text.data(), static_cast<int>(text.size()))));
        return text;
    }
    static std::string Selected() {
        DWORD start = 0, end = 0;
        SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return EditText().substr(start, end - start);
    }
    // Display Context on LineView's item `index`.
    static void Jump(int index) {
        SendMessageA(Lines_(), LB_SETCURSEL, index, 0);
        FileViewCommand(IDM_FV_DISPLAY_CONTEXT);
        DrainMessages();
    }
    static bool Grayed(int command) {
        return (GetMenuState(GetMenu(FileViewHandle()), command, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    static void OpenPopup(int position) {
        HMENU menu = GetMenu(FileViewHandle());
        SendMessageA(FileViewHandle(), WM_INITMENUPOPUP,
                     reinterpret_cast<WPARAM>(GetSubMenu(menu, position)), MAKELPARAM(position, 0));
    }
    static RECT Placed(HWND child) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, FileViewHandle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
};

TEST_F(FileViewTest, ShowsTheFileWithItsLineListAndTheFirstMatch) {
    const std::string text = "first line\r\nthe cat sat\r\ncat and cat\r\n";
    HWND window = Open("pets.txt", text, "cat");
    ASSERT_TRUE(window);
    EXPECT_EQ(FileViewHandle(), window);
    EXPECT_EQ(Text(window), "Quarry - FileView - PETS.TXT");
    EXPECT_EQ(EditText(), text);
    EXPECT_EQ(LineViewItems(), (V{" 00001: the cat sat", " 00002: cat and cat", " 00002: cat and cat"}));
    EXPECT_EQ(Part(7), "  3");
    EXPECT_EQ(Part(6), "001");
    EXPECT_EQ(Selected(), "cat");  // the first entry is shown
    EXPECT_EQ(Part(4), "00002");
    EXPECT_EQ(Part(5), "008");
    EXPECT_EQ(GetFocus(), Lines_());
    EXPECT_FALSE(Grayed(IDM_FV_DISPLAY_CONTEXT));

    // A second open while FileView exists changes nothing.
    EXPECT_EQ(OpenFileViewWindow(Main()), nullptr);
    EXPECT_EQ(FileViewHandle(), window);
    EXPECT_EQ(LineViewItems().size(), 3u);

    // The third entry selects its own match, the second "cat" of its line.
    Jump(2);
    DWORD start = 0, end = 0;
    SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, text.find("cat and cat") + 8);
    EXPECT_EQ(end, start + 3);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(FileViewTest, PanesArrangedByTheSearchAndTheViewer) {
    // clang-format off
    const struct {
        const char* name; const char* text; const char* ini;
        bool edit, lines; V grayed;
    } cases[] = {
        {"no search text: EditView alone", "", "[Find]\r\n", true, false,
         {"141", "163"}},
        {"outside viewer: LineView alone", "cat", "[Options]\r\nEditor=1,notepad.exe\r\n",
         false, true, {"141", "176", "178", "163"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        Start(c.ini);
        HWND window = Open("pets.txt", "a cat\r\n", c.text);
        ASSERT_TRUE(window) << c.name;
        EXPECT_EQ(Edit() != nullptr, c.edit) << c.name;
        EXPECT_EQ(Lines_() != nullptr, c.lines) << c.name;
        for (const std::string& command : c.grayed)
            EXPECT_TRUE(Grayed(std::stoi(command))) << c.name << " " << command;
        RECT client, status;
        GetClientRect(window, &client);
        GetWindowRect(Status(), &status);
        const RECT pane = Placed(c.edit ? Edit() : Lines_());
        EXPECT_EQ(pane.bottom, client.bottom - (status.bottom - status.top)) << c.name;
        if (!c.edit) {
            // Display Context has nothing to show the entry in.
            SendMessageA(Lines_(), LB_SETCURSEL, 0, 0);
            FileViewCommand(IDM_FV_DISPLAY_CONTEXT);
            DrainMessages();
            EXPECT_EQ(FileViewHandle(), window);
        }
        DestroyWindow(Main());
        DrainMessages();
        EXPECT_EQ(FileViewHandle(), nullptr) << c.name;
    }
}

// Context mode: EditView holds 251 lines around the entry, counted from the
// entry's own line, however far into the file it lies.
TEST_F(FileViewTest, LargeFileShowsLinesAroundTheEntry) {
    std::string big = Lines(70100, 500);
    big.replace(big.size() - 100 * 40 + 7, 3, "HIT");  // on line 70,060 too
    ASSERT_TRUE(Open("big.log", big, "HIT"));
    EXPECT_TRUE(Grayed(IDM_FV_SAVE));
    const V items = LineViewItems();
    ASSERT_EQ(items.size(), 142u);
    EXPECT_EQ(items[1].substr(0, 14), " 00500: L00500");
    EXPECT_EQ(items[141].substr(0, 14), " 70060: L70060");
    EXPECT_EQ(EditText().substr(0, 6), "L00000");  // the first entry, line 1
    // clang-format off
    const struct { int index; const char* firstLine; const char* caretLine; } jumps[] = {
        {1, "L00400", "00501"}, {141, "L69960", "70061"}, {0, "L00000", "00001"}};
    // clang-format on
    for (const auto& j : jumps) {
        Jump(j.index);
        EXPECT_EQ(EditText().substr(0, 6), j.firstLine) << j.index;
        EXPECT_EQ(Selected(), "HIT") << j.index;
        EXPECT_EQ(Part(4), j.caretLine) << j.index;
    }
    const std::string shown = EditText();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 251);
    OpenPopup(FV_MENU_FILE);
    EXPECT_TRUE(Grayed(IDM_FV_SAVE));
    EXPECT_TRUE(Grayed(IDM_FV_SAVE_AS));
}

TEST_F(FileViewTest, LineListStopsAtItsLimit) {
    ASSERT_TRUE(Open("many.txt", Lines(600, 1).substr(0, 60000), "hit", 0));
    EXPECT_EQ(LineViewItems().size(), 600u);
    DestroyWindow(FileViewHandle());
    ASSERT_TRUE(Open("more.txt", Lines(650, 1) + Lines(400, 1), "hit", 0));
    EXPECT_EQ(LineViewItems().size(), 1000u);
    EXPECT_EQ(boxes.texts(), V{"Line List full!"});
}

// Saving never writes a part of the file over the whole, and a failed save
// leaves the file as it was and the changes marked.
TEST_F(FileViewTest, SaveRefusedOrFailedKeepsTheFile) {
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
        const size_t shown = boxes.shown().size();
        SendMessageA(Edit(), EM_SETSEL, 0, 0);
        SendMessageA(Edit(), WM_CHAR, 'X', 1);
        FileViewCommand(IDM_FV_SAVE);
        EXPECT_EQ(Since(shown), V{c.box}) << c.name;
        EXPECT_EQ(folder.Read("zero.txt"), c.bytes) << c.name;
        DestroyWindow(FileViewHandle());
        DrainMessages();
    }
}

TEST_F(FileViewTest, ClosingWithChangesAsks) {
    // clang-format off
    const struct { int answer; bool stays; const char* lastBox; } cases[] = {
        {IDCANCEL, true, "Save current changes in NOTE.TXT?"},
        {IDNO, false, "Save current changes in NOTE.TXT?"},
        // A read-only file cannot be saved: the window stays with its changes.
        {IDYES, true, "Could not save file NOTE.TXT"},
    };
    // clang-format on
    for (const auto& c : cases) {
        boxes.Answer(c.answer);
        ASSERT_TRUE(Open("note.txt", "a cat\r\n", "cat"));
        SetFileAttributesA(folder.File("note.txt").c_str(),
                           c.answer == IDYES ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        const size_t shown = boxes.shown().size();
        SendMessageA(Edit(), EM_SETSEL, 0, 0);
        SendMessageA(Edit(), WM_CHAR, 'X', 1);
        FileViewCommand(IDM_FV_CLOSE);
        DrainMessages();
        EXPECT_EQ(FileViewHandle() != nullptr, c.stays) << c.answer;
        const V texts = Since(shown);
        EXPECT_EQ(texts.front(), "Save current changes in NOTE.TXT?") << c.answer;
        EXPECT_EQ(texts.back(), c.lastBox) << c.answer;
        EXPECT_EQ(folder.Read("note.txt"), "a cat\r\n");
        if (FileViewHandle()) DestroyWindow(FileViewHandle());
        DrainMessages();
        SetFileAttributesA(folder.File("note.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // Unchanged, it closes without a question, and the main window's exit
    // takes a changed FileView down without one.
    const size_t shown = boxes.shown().size();
    ASSERT_TRUE(Open("note.txt", "a cat\r\n", "cat"));
    FileViewCommand(IDM_FV_CLOSE);
    EXPECT_EQ(FileViewHandle(), nullptr);
    ASSERT_TRUE(Open("note.txt", "a cat\r\n", "cat"));
    SendMessageA(Edit(), WM_CHAR, 'X', 1);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    DrainMessages();
    EXPECT_EQ(FileViewHandle(), nullptr);
    EXPECT_EQ(boxes.shown().size(), shown);
}

TEST_F(FileViewTest, SplitterFollowsResizeAndKeyboardDrag) {
    HWND window = Open("pets.txt", Lines(50, 5), "HIT");
    ASSERT_TRUE(window);
    HWND splitter = GetDlgItem(window, IDC_SPLITTER);
    for (int height : {500, 700}) {
        SetWindowPos(window, nullptr, 0, 0, 600, height, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(Placed(splitter).top, client.bottom * 700 / 1000) << height;
        EXPECT_EQ(Placed(Edit()).bottom, Placed(splitter).top);
        EXPECT_EQ(Placed(Lines_()).top, Placed(splitter).bottom);
    }
    const int before = Placed(splitter).top;
    FileViewCommand(IDM_FV_SPLIT_WINDOW);
    for (int i = 0; i < 3; ++i) SendMessageA(window, WM_KEYDOWN, VK_UP, 1);
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(Placed(splitter).top, before - 3);
    EXPECT_EQ(Placed(Edit()).bottom, before - 3);
    EXPECT_EQ(GetFocus(), Lines_());

    // A press on the splitter drags it from where it was gripped.
    const RECT bar = Placed(splitter);
    const int x = (bar.left + bar.right) / 2, y = bar.top + 1;
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 20));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 20));
    EXPECT_EQ(Placed(splitter).top, bar.top + 20);
    EXPECT_EQ(Placed(Lines_()).top, bar.bottom + 20);
    EXPECT_EQ(GetCapture(), nullptr);

    // The drag stops under the toolbar, and the new share holds on resizing.
    FileViewCommand(IDM_FV_SPLIT_WINDOW);
    SendMessageA(window, WM_KEYDOWN, VK_UP, 5000);
    SendMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
    const int top = Placed(splitter).top;
    EXPECT_EQ(top, Placed(GetDlgItem(window, IDC_FILEVIEW_TOOLBAR)).bottom + 3);
    RECT client;
    GetClientRect(window, &client);
    const int share = top * 1000 / client.bottom;
    SetWindowPos(window, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(window, &client);
    EXPECT_EQ(Placed(splitter).top, client.bottom * share / 1000);
}

TEST_F(FileViewTest, OverwriteModeReplacesInsideALine) {
    ASSERT_TRUE(Open("words.txt", "abcd\r\nef\r\n", ""));
    SetFocus(Edit());
    SendMessageA(Edit(), WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_EQ(Part(3), "OVR");
    // clang-format off
    const struct { int caret; char typed; const char* text; } cases[] = {
        {1, 'X', "aXcd\r\nef\r\n"},   // inside a line: replaces one character
        {4, 'Y', "aXcdY\r\nef\r\n"},  // at the end of a line: appends
        {9, 'Z', "aXcdY\r\nefZ\r\n"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SendMessageA(Edit(), EM_SETSEL, c.caret, c.caret);
        SendMessageA(Edit(), WM_CHAR, c.typed, 1);
        EXPECT_EQ(EditText(), c.text) << c.typed;
    }
}

}  // namespace
