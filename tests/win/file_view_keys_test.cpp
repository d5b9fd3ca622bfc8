// FileView as a keyboard user meets it: real key presses through the
// program's own loop, with its accelerators and its focus changes.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "file_view_support.h"
#include "ui/app_win.h"

namespace {

class FileViewKeys : public FileViewFixture {
  protected:
    // Runs the program's loop until the keyboard's messages have come in
    // and nothing is left to do.
    static void RunLoop() {
        for (int idle = 0; idle < 3;) {
            MSG msg;
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ProcessLoopMessage(msg);
                idle = 0;
            } else if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT) ==
                       WAIT_TIMEOUT) {
                ++idle;
            }
        }
    }
    // Holds the keys down in order and lets them go in reverse, as fingers do.
    static void Press(std::initializer_list<WORD> keys, int times = 1) {
        for (int i = 0; i < times; ++i) {
            std::vector<INPUT> input;
            for (WORD key : keys) input.push_back(Key(key, 0));
            for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
                input.push_back(Key(*key, KEYEVENTF_KEYUP));
            SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
            RunLoop();
        }
    }
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

  private:
    static INPUT Key(WORD key, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        return input;
    }
};

// EditView keeps its caret when FileView opens and whenever it gets the
// focus back, so a key typed then never replaces the whole text.
TEST_F(FileViewKeys, EditViewKeepsItsCaretAcrossFocusChanges) {
    const std::string text = "abc\r\ndef\r\n";
    ASSERT_TRUE(OpenShown("words.txt", text));
    ASSERT_EQ(GetFocus(), Edit());
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{0}));
    Press({'X'});
    EXPECT_EQ(EditText(), "x" + text);

    Press({VK_RIGHT}, 2);  // after "xab"
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
    Press({'Y'});
    EXPECT_EQ(EditText(), "xabyc\r\ndef\r\n");
}

// Enter in LineView shows the entry the keys selected.
TEST_F(FileViewKeys, EnterInLineViewShowsTheSelectedEntry) {
    ASSERT_TRUE(OpenShown("small.txt", "HIT\r\nno\r\nx HIT\r\nxx HIT\r\n", "HIT"));
    ASSERT_EQ(GetFocus(), FileViewLineView());
    Press({VK_DOWN}, 2);
    Press({VK_RETURN});
    EXPECT_EQ(Part(4), "00004");
    EXPECT_EQ(Selected(), "HIT");
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
    Press({VK_MENU, '1'});
    EXPECT_EQ(GetFocus(), Edit());
    Press({VK_MENU, '2'});
    EXPECT_EQ(GetFocus(), FileViewLineView());
    Press({VK_MENU, '1'});
    Press({VK_F3});  // from the first entry's match to the next one
    EXPECT_EQ(Selection(), std::make_pair(DWORD{9}, DWORD{12}));

    RECT before, after;
    GetWindowRect(GetDlgItem(window, IDC_SPLITTER), &before);
    Press({VK_F4});
    EXPECT_EQ(GetCapture(), window);
    Press({VK_UP}, 3);
    Press({VK_RETURN});
    GetWindowRect(GetDlgItem(window, IDC_SPLITTER), &after);
    EXPECT_EQ(after.top, before.top - 3);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), Edit());  // the pane that had it
    Press({VK_CONTROL, 'A'});
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, static_cast<DWORD>(text.size())));
    Press({VK_CONTROL, VK_END});
    Press({'Z'});
    Press({VK_CONTROL, 'S'});
    EXPECT_EQ(folder.Read("saved.txt"), text + "z");
    EXPECT_EQ(Part(0), "SAVED.TXT saved");
}

}  // namespace
