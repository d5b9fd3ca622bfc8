// FileView on real files: its panes, its saves against the disk, its own
// dialogs, and real keys through the program's own loop.
#include <algorithm>
#include <cstring>

#include "file_view_support.h"
#include "settings/settings_win.h"

namespace {

// Lines of 100 bytes with their line ends, each starting with its index.
std::string Lines(int count, int hitEvery) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[101];
        std::snprintf(line, sizeof line, "L%05d %s%*d\r\n", i, i % hitEvery ? "hit" : "HIT", 88, 0);
        text += line;
    }
    return text;
}

using FileViewTest = FileViewFixture;

// The title, the Line List with its count, the first match shown; the find
// box's tip lives in the toolbar's own tooltip control; a second open while
// FileView exists changes nothing; an entry selects its own match; each
// status part holds its longest text.
TEST_F(FileViewTest, ShowsTheFileWithItsLineListAndTheFirstMatch) {
    const std::string text = "first line\r\nthe cat sat\r\ncat and cat\r\n";
    HWND window = Open("pets.txt", text, "cat");
    ASSERT_TRUE(window);
    EXPECT_EQ(TextOf(window), "Quarry - FileView - PETS.TXT");
    EXPECT_EQ(EditText(), text);
    EXPECT_EQ(LineViewItems(),
              (Texts{" 00001: the cat sat", " 00002: cat and cat", " 00002: cat and cat"}));
    EXPECT_EQ(Part(7) + "|" + Selected() + "|" + Part(4) + "/" + Part(5), "  3|cat|00002/008");
    EXPECT_EQ(GetFocus(), FileViewLineView());
    HWND toolbar = GetDlgItem(window, IDC_FILEVIEW_TOOLBAR);
    HWND tip = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    char tipText[32] = "";
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(toolbar, IDC_FIND_BOX));
    tool.lpszText = tipText;
    SendMessageA(tip, TTM_GETTEXTA, sizeof tipText, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tipText, "Find text");
    EXPECT_TRUE(GetWindowLongPtrA(tip, GWL_STYLE) & TTS_ALWAYSTIP);
    EXPECT_EQ(OpenFileViewOn(Main(), folder.File("pets.txt"), "pets.txt", text.size()), nullptr);
    EXPECT_EQ(FileViewHandle(), window);
    Jump(2);
    const DWORD start = static_cast<DWORD>(text.find("cat and cat") + 8);
    EXPECT_EQ(Selection(), std::make_pair(start, start + 3));
    RECT shown;
    GetWindowRect(window, &shown);
    ASSERT_EQ(shown.right - shown.left, 400);  // the settings' default width
    ExpectPartsHold(GetDlgItem(window, IDC_FILEVIEW_STATUS),
                    {"Ready", "CAPS", "NUM", "OVR", "400000", "250", "9999", "9999"});
    EXPECT_TRUE(boxes.shown().empty());
}

// Context mode: EditView holds 251 lines around the entry, counted from the
// entry's own line, however far into the file it lies; Save is refused.
TEST_F(FileViewTest, LargeFileShowsLinesAroundTheEntry) {
    std::string big = Lines(70100, 500);
    big.replace(big.size() - 100 * 40 + 7, 3, "HIT");  // on line 70,060 too
    ASSERT_TRUE(Open("big.log", big, "HIT"));
    const Texts items = LineViewItems();
    ASSERT_EQ(items.size(), 142u);
    EXPECT_EQ(items[141].substr(0, 14), " 70060: L70060");
    EXPECT_EQ(EditText().substr(0, 6), "L00000");
    Jump(141);
    EXPECT_EQ(EditText().substr(0, 6) + " " + Selected() + " " + Part(4), "L69960 HIT 70061");
    Jump(1);
    EXPECT_EQ(EditText().substr(0, 6) + " " + Part(4), "L00400 00501");
    const std::string shown = EditText();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 251);
    SendMessageA(FileViewHandle(), WM_INITMENUPOPUP,
                 reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(FileViewHandle()), FV_MENU_FILE)),
                 FV_MENU_FILE);
    EXPECT_TRUE(Grayed(IDM_FV_SAVE) && Grayed(IDM_FV_SAVE_AS));
}

// A text cut at a zero byte by the real load is not saved over the file; the
// real file's identity and time tell another program's change since FileView
// read it, and FileView's own save is no change.
TEST_F(FileViewTest, SaveKeepsWhatTheDiskHolds) {
    const std::string withZero = std::string("visible\0hidden\r\n", 16);
    ASSERT_TRUE(Open("zero.txt", withZero, "i"));
    boxes.Clear();
    TypeAtStart('X');
    FileViewCommand(IDM_FV_SAVE);
    EXPECT_EQ(boxes.texts(),
              Texts{"Only the first part of ZERO.TXT is shown (its text stops at a zero byte or "
                    "the file has grown); it is not saved over the file. Use Save As to save it "
                    "under another name."});
    EXPECT_EQ(folder.Read("zero.txt"), withZero);

    ASSERT_TRUE(Open("notes.txt", "as loaded\r\n", "loaded"));
    folder.Write("notes.txt", "theirs, written meanwhile\r\n");
    TypeAtStart('X');
    boxes.Clear();
    boxes.Answer(IDYES);
    FileViewCommand(IDM_FV_SAVE);
    EXPECT_EQ(boxes.texts(),
              Texts{"NOTES.TXT has changed on disk since it was opened. Overwrite it?"});
    TypeAtStart('Y');
    FileViewCommand(IDM_FV_SAVE);
    EXPECT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(folder.Read("notes.txt"), "YXas loaded\r\n");
}

// The main window's exit and the session's end ask about changes as Close
// does; Cancel keeps the program open, No lets both windows go unsaved.
TEST_F(FileViewTest, ClosingWithChangesAsksFromEveryWayOut) {
    ASSERT_TRUE(Open("note.txt", "a cat\r\n", "cat"));
    TypeAtStart('X');
    for (int answer : {IDCANCEL, IDCANCEL, IDCANCEL, IDNO}) boxes.Answer(answer);
    FileViewCommand(IDM_FV_CLOSE);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    DrainMessages();
    EXPECT_TRUE(IsWindow(Main()) && FileViewHandle());
    EXPECT_EQ(SendMessageA(FileViewHandle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    DrainMessages();
    EXPECT_FALSE(FileViewHandle() || Main());
    EXPECT_EQ(boxes.texts(), Texts(4, "Save current changes in NOTE.TXT?"));
    EXPECT_EQ(folder.Read("note.txt"), "a cat\r\n");
}

// Without a search text EditView is alone; Insert switches to overwriting,
// which inside a line replaces one character.
TEST_F(FileViewTest, OverwriteModeReplacesInsideALine) {
    ASSERT_TRUE(Open("words.txt", "abcd\r\nef\r\n"));
    EXPECT_EQ(FileViewLineView(), nullptr);
    EXPECT_TRUE(Grayed(IDM_FV_SPLIT_WINDOW));
    SetFocus(Edit());
    SendMessageA(Edit(), WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_EQ(Part(3), "OVR");
    for (int caret : {1, 4}) {
        SendMessageA(Edit(), EM_SETSEL, caret, caret);
        SendMessageA(Edit(), WM_CHAR, 'X', 1);
    }
    EXPECT_EQ(EditText(), "aXcdX\r\nef\r\n");
}

// Wrapping swaps the edit controls and keeps the text, the selection, the
// user's clipboard (here what Copy LineView put there, each entry with CR LF)
// and the changed state; a case command on a line wrapped across screen lines
// adds no line break.
TEST_F(FileViewTest, WrapLinesKeepsTextSelectionClipboardAndChangedState) {
    const std::string text = "<" + std::string(150, 'a') + std::string(150, 'B') + ">\r\nlast";
    ASSERT_TRUE(Open("text.txt", text, "last"));
    FileViewCommand(IDM_FV_COPY_LINEVIEW);
    const std::string copied = LineViewItems().at(0) + "\r\n";
    EXPECT_EQ(ClipboardText(), copied);
    SendMessageA(Edit(), EM_SETSEL, 1, 301);
    HWND unwrapped = Edit();
    for (HWND expected : {GetDlgItem(FileViewHandle(), IDC_EDIT_WRAP), unwrapped}) {
        FileViewCommand(IDM_FV_WRAP_LINES);
        EXPECT_EQ(Edit(), expected);
        EXPECT_TRUE(IsWindowVisible(Edit()));
        EXPECT_EQ(EditText(), text);
        EXPECT_EQ(Selection(), std::make_pair(DWORD{1}, DWORD{301}));
    }
    EXPECT_EQ(ClipboardText(), copied);
    FileViewCommand(IDM_FV_CLOSE);
    EXPECT_TRUE(boxes.shown().empty());

    ASSERT_TRUE(Open("text.txt", text));
    FileViewCommand(IDM_FV_WRAP_LINES);
    SendMessageA(Edit(), EM_SETSEL, 1, 301);
    FileViewCommand(IDM_FV_TOGGLE_CASE);
    EXPECT_EQ(EditText(), "<" + std::string(150, 'A') + std::string(150, 'b') + ">\r\nlast");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{1}, DWORD{301}));
    boxes.Answer(IDNO);
    FileViewCommand(IDM_FV_CLOSE);
    EXPECT_EQ(boxes.texts(), Texts{"Save current changes in TEXT.TXT?"});
}

// A refused value keeps its dialog open with the focus on the field at fault
// (a refused tab length only beeps); the new context size applies from the
// next Display Context on; the caret's column counts a tab at its new length,
// and the settings keep it.
TEST_F(FileViewTest, ContextSizeAndTabsTakeTheirDialogsValues) {
    ASSERT_TRUE(Open("tab.txt", "\tx\r\n"));
    {
        DialogRobot robot(IDD_TABS, [&](HWND dialog) {
            ExpectRefusedThenOk(dialog, GetDlgItem(dialog, IDC_TAB_LENGTH), "65536", "65535");
        });
        FileViewCommand(IDM_FV_TABS);
        EXPECT_EQ(robot.opened(), 1);
    }
    EXPECT_TRUE(boxes.shown().empty());
    SendMessageA(Edit(), EM_SETSEL, 1, 1);
    SendMessageA(FileViewHandle(), WM_COMMAND, MAKEWPARAM(IDC_EDIT_NOWRAP, EN_CHANGE),
                 reinterpret_cast<LPARAM>(Edit()));
    EXPECT_EQ(Part(5), "65536");
    ASSERT_TRUE(SaveSettings(folder.File("Quarry32.ini").c_str()));
    EXPECT_NE(folder.Read("Quarry32.ini").find("Tabs=65535\r\n"), std::string::npos);

    ASSERT_TRUE(Open("text.txt", Lines(700, 500), "HIT"));
    DialogRobot robot(IDD_CONTEXT_SIZE, [&](HWND dialog) {
        Type(GetDlgItem(dialog, IDC_CONTEXT_ABOVE), "3");
        ExpectRefusedThenOk(dialog, GetDlgItem(dialog, IDC_CONTEXT_BELOW), "1024", "7");
    });
    FileViewCommand(IDM_FV_CONTEXT_SIZE);
    EXPECT_EQ(robot.opened(), 1);
    EXPECT_EQ(boxes.texts(), Texts{"Error in value(must be less than 1024)."});
    Jump(1);
    const std::string shown = EditText();
    EXPECT_EQ(shown.substr(0, 6), "L00497");
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 11);
}

// FileView as a keyboard user meets it: real key presses through the
// program's own loop, with its accelerators and its focus changes.
class FileViewKeys : public FileViewFixture {
  protected:
    HWND OpenShown(const std::string& name, const std::string& bytes, const char* text = "") {
        HWND window = Open(name, bytes, text);
        if (!window) return nullptr;
        SetForegroundWindow(window);
        RunLoop();
        return window;
    }
    // Minimising FileView minimises the program; restoring comes through the
    // main window, as the task bar's button would.
    void MinimiseAndRestore() {
        SendMessageA(FileViewHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        RunLoop();
        SendMessageA(Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
        RunLoop();
    }
};

// EditView keeps its caret when FileView opens and whenever it gets the
// focus back, so a key typed then never replaces the whole text.
TEST_F(FileViewKeys, EditViewKeepsItsCaretAcrossFocusChanges) {
    const std::string text = "abc\r\ndef\r\n";
    ASSERT_TRUE(OpenShown("words.txt", text));
    ASSERT_EQ(GetFocus(), Edit());
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{0}));
    PressKeys({'X'});
    EXPECT_EQ(EditText(), "x" + text);
    PressKeys({VK_RIGHT});
    PressKeys({VK_RIGHT});  // after "xab"
    const std::pair<DWORD, DWORD> caret{3, 3};
    MinimiseAndRestore();
    EXPECT_EQ(GetFocus(), Edit());
    EXPECT_EQ(Selection(), caret) << "after a restore";
    SetActiveWindow(Main());  // the main window hands the focus on to FileView
    RunLoop();
    EXPECT_EQ(GetFocus(), Edit());
    EXPECT_EQ(Selection(), caret) << "after the main window was activated";
    SetActiveWindow(FileViewHandle());
    RunLoop();
    EXPECT_EQ(Selection(), caret) << "after FileView was activated again";
    PressKeys({'Y'});
    EXPECT_EQ(EditText(), "xabyc\r\ndef\r\n");
}

// Enter in LineView shows the entry the keys selected.
TEST_F(FileViewKeys, EnterInLineViewShowsTheSelectedEntry) {
    ASSERT_TRUE(OpenShown("small.txt", "HIT\r\nno\r\nx HIT\r\nxx HIT\r\n", "HIT"));
    ASSERT_EQ(GetFocus(), FileViewLineView());
    for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN}) PressKeys({key});
    EXPECT_EQ(Part(4) + " " + Selected(), "00004 HIT");
}

// FileView's own keys work after minimising and restoring, and after a
// keyboard drag of the splitter, which leaves no capture behind to swallow
// the shortcuts.
TEST_F(FileViewKeys, ShortcutsWorkAfterMinimiseAndRestoreAndASplitterDrag) {
    const std::string text = "a HIT\r\nb HIT\r\n";
    HWND window = OpenShown("saved.txt", text, "HIT");
    ASSERT_TRUE(window);
    MinimiseAndRestore();
    ASSERT_EQ(GetActiveWindow(), window);
    PressKeys({VK_MENU, '1'});
    EXPECT_EQ(GetFocus(), Edit());
    PressKeys({VK_MENU, '2'});
    EXPECT_EQ(GetFocus(), FileViewLineView());
    PressKeys({VK_MENU, '1'});
    PressKeys({VK_F3});  // from the first entry's match to the next one
    EXPECT_EQ(Selection(), std::make_pair(DWORD{9}, DWORD{12}));
    RECT before, after;
    GetWindowRect(GetDlgItem(window, IDC_SPLITTER), &before);
    PressKeys({VK_F4});
    EXPECT_EQ(GetCapture(), window);
    for (WORD key : {VK_UP, VK_UP, VK_UP, VK_RETURN}) PressKeys({key});
    GetWindowRect(GetDlgItem(window, IDC_SPLITTER), &after);
    EXPECT_EQ(after.top, before.top - 3);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), Edit());  // the pane that had it
    PressKeys({VK_CONTROL, 'A'});
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, static_cast<DWORD>(text.size())));
    PressKeys({VK_CONTROL, VK_END});
    PressKeys({'Z'});
    PressKeys({VK_CONTROL, 'S'});
    EXPECT_EQ(folder.Read("saved.txt"), text + "z");
    EXPECT_EQ(Part(0), "SAVED.TXT saved");
}

}  // namespace
