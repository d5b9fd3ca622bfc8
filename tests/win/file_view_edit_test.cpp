#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog_robot.h"
#include "fileview/file_view_win.h"
#include "resource_ids.h"
#include "search/criteria.h"
#include "search/text_options.h"
#include "settings/settings.h"
#include "settings/settings_win.h"
#include "file_view_support.h"
#include "win_test_support.h"

namespace {

using V = std::vector<std::string>;

std::string ClipboardText() {
    std::string text = "(none)";
    if (!OpenClipboard(nullptr)) return "(not opened)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

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

// FileView on a whole file of the test's folder; with a search text LineView
// lists its lines.
class FileViewEditing : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        gSearchCriteria = SearchCriteria{};
        SetContextLines(kWholeFileContext, kWholeFileContext);
    }
    void TearDown() override {
        if (FileViewHandle()) DestroyWindow(FileViewHandle());
        ProgramTest::TearDown();
        gSearchCriteria = SearchCriteria{};
    }

    HWND Open(const std::string& bytes, const char* searchText = "") {
        if (!Main()) Start();
        if (FileViewHandle()) DestroyWindow(FileViewHandle());
        folder.Write("text.txt", bytes);
        gSearchCriteria.SearchText = searchText;
        gSearchCriteria.TextOptions = kTextCase;
        HWND window = OpenFileViewOn(Main(), folder.File("text.txt"), "text.txt", bytes.size());
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
        text.resize(static_cast<size_t>(GetWindowTextA(Edit(), text.data(), static_cast<int>(text.size()))));
        return text;
    }
    static std::pair<DWORD, DWORD> Selection() {
        DWORD start = 0, end = 0;
        SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    static void Select(size_t start, size_t end) { SendMessageA(Edit(), EM_SETSEL, start, end); }
    static bool WrapChecked() {
        return (GetMenuState(GetMenu(FileViewHandle()), IDM_FV_WRAP_LINES, MF_BYCOMMAND) &
                MF_CHECKED) != 0;
    }
    // Whether closing FileView asks about changes (answered No, so it closes).
    bool ClosingAsks() {
        const size_t shown = boxes.shown().size();
        boxes.Answer(IDNO);
        FileViewCommand(IDM_FV_CLOSE);
        return boxes.shown().size() > shown;
    }
};

TEST_F(FileViewEditing, CaseCommandsChangeOnlyTheSelectionAndKeepIt) {
    const std::string longLine = std::string(150, 'a') + std::string(150, 'B');
    const std::string threeLines = "first Line\r\nSecond line\r\nthird LINE\r\n";
    // clang-format off
    const struct { const char* name; std::string text; size_t start, end; int command; bool wrap;
                   std::string expected; } cases[] = {
        {"three lines", threeLines, 6, 28, IDM_FV_UPPER_CASE, false,
         "first LINE\r\nSECOND LINE\r\nTHIrd LINE\r\n"},
        {"three lines lower", threeLines, 0, 36, IDM_FV_LOWER_CASE, false,
         "first line\r\nsecond line\r\nthird line\r\n"},
        {"toggle mixed", "Abc 1\xE4 aB xY\r\n", 0, 12, IDM_FV_TOGGLE_CASE, false,
         "aBC 1\xE4 Ab Xy\r\n"},
        {"long line", "<" + longLine + ">\r\n", 0, 302, IDM_FV_TOGGLE_CASE, false,
         "<" + std::string(150, 'A') + std::string(150, 'b') + ">\r\n"},
        // Wrapped across several screen lines, the text gains no line breaks.
        {"long line wrapped", "<" + longLine + ">\r\n", 1, 301, IDM_FV_UPPER_CASE, true,
         "<" + std::string(300, 'A').replace(150, 150, std::string(150, 'B')) + ">\r\n"},
        {"nothing selected", threeLines, 4, 4, IDM_FV_UPPER_CASE, false, threeLines},
    };
    // clang-format on
    for (const auto& c : cases) {
        ASSERT_TRUE(Open(c.text)) << c.name;
        if (c.wrap) FileViewCommand(IDM_FV_WRAP_LINES);
        Select(c.start, c.end);
        FileViewCommand(c.command);
        EXPECT_EQ(EditText(), c.expected) << c.name;
        EXPECT_EQ(Selection(), std::make_pair(DWORD(c.start), DWORD(c.end))) << c.name;
        EXPECT_EQ(ClosingAsks(), c.start != c.end) << c.name;
    }
}

TEST_F(FileViewEditing, WrapLinesTwiceKeepsTextSelectionClipboardAndChangedState) {
    const std::string text = "one\tline\r\n" + std::string(400, 'w') + "\r\nlast";
    for (bool typed : {false, true}) {
        ASSERT_TRUE(Open(text));
        std::string expected = text;
        if (typed) {
            Select(0, 0);
            SendMessageA(Edit(), WM_CHAR, 'X', 1);
            expected = "X" + text;
        }
        SetClipboardTo("the user's own clip");
        Select(5, 300);
        HWND unwrapped = Edit();
        FileViewCommand(IDM_FV_WRAP_LINES);
        EXPECT_EQ(Edit(), GetDlgItem(FileViewHandle(), IDC_EDIT_WRAP));
        EXPECT_TRUE(IsWindowVisible(Edit()));
        EXPECT_FALSE(IsWindowVisible(unwrapped));
        EXPECT_TRUE(WrapChecked());
        EXPECT_EQ(EditText(), expected);
        EXPECT_EQ(Selection(), std::make_pair(DWORD(5), DWORD(300)));

        FileViewCommand(IDM_FV_WRAP_LINES);
        EXPECT_EQ(Edit(), unwrapped);
        EXPECT_TRUE(IsWindowVisible(Edit()));
        EXPECT_FALSE(WrapChecked());
        EXPECT_EQ(EditText(), expected);
        EXPECT_EQ(Selection(), std::make_pair(DWORD(5), DWORD(300)));
        EXPECT_EQ(ClipboardText(), "the user's own clip");
        EXPECT_EQ(ClosingAsks(), typed) << typed;
    }
}

TEST_F(FileViewEditing, CopyLineViewPutsEachLineWithCrLf) {
    ASSERT_TRUE(Open("a cat\r\nno\r\ncat\tnap\r\n\r\nlast cat", "cat"));
    SetClipboardTo("before");
    FileViewCommand(IDM_FV_COPY_LINEVIEW);
    const std::string got = ClipboardText();
    // Each Line List item as LineView shows it, in order.
    std::string expected;
    HWND lines = FileViewLineView();
    const int count = static_cast<int>(SendMessageA(lines, LB_GETCOUNT, 0, 0));
    ASSERT_EQ(count, 3);
    for (int i = 0; i < count; ++i) {
        char item[300] = "";
        SendMessageA(lines, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
        expected += std::string(item) + "\r\n";
    }
    EXPECT_EQ(got, expected);
}

// Lines of 100 bytes with their line ends; line `hit` holds HIT.
std::string HundredByteLines(int count, int hit) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[101];
        std::snprintf(line, sizeof line, "L%05d %s%*d\r\n", i, i == hit ? "HIT" : "hit", 88, 0);
        text += line;
    }
    return text;
}

TEST_F(FileViewEditing, ContextSizeAppliesFromTheNextDisplayContext) {
    // clang-format off
    const struct { int button; const char* above; const char* below; const char* firstLine;
                   long lineFeeds; } cases[] = {
        {IDOK, "3", "7", "L00497", 11},
        {IDOK, "0", "1023", "L00500", 200},  // to the end of the file
        {IDCANCEL, "3", "7", "L00400", 251},  // the defaults stay
    };
    // clang-format on
    for (const auto& c : cases) {
        ASSERT_TRUE(Open(HundredByteLines(700, 500), "HIT")) << c.above;
        DialogRobot robot(IDD_CONTEXT_SIZE, [&](HWND dialog) {
            Type(GetDlgItem(dialog, IDC_CONTEXT_ABOVE), c.above);
            Type(GetDlgItem(dialog, IDC_CONTEXT_BELOW), c.below);
            Press(dialog, c.button);
        });
        FileViewCommand(IDM_FV_CONTEXT_SIZE);
        EXPECT_EQ(robot.opened(), 1);
        SendMessageA(FileViewLineView(), LB_SETCURSEL, 0, 0);
        FileViewCommand(IDM_FV_DISPLAY_CONTEXT);
        const std::string shown = EditText();
        EXPECT_EQ(shown.substr(0, 6), c.firstLine) << c.above;
        EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), c.lineFeeds) << c.above;
    }
}

TEST_F(FileViewEditing, TabsTakesTheNewLengthForTheCaretColumnAndTheSettings) {
    // clang-format off
    const struct { const char* typed; int button; int tabs; const char* column; } cases[] = {
        {"8", IDOK, 8, "009"}, {"2", IDCANCEL, 4, "005"}, {"65535", IDOK, 65535, "65536"},
    };
    // clang-format on
    for (const auto& c : cases) {
        g_Settings.Tabs = 4;
        ASSERT_TRUE(Open("\tx\r\n"));
        DialogRobot robot(IDD_TABS, [&](HWND dialog) {
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_TAB_LENGTH)), "4");
            Type(GetDlgItem(dialog, IDC_TAB_LENGTH), c.typed);
            Press(dialog, c.button);
        });
        FileViewCommand(IDM_FV_TABS);
        EXPECT_EQ(robot.opened(), 1);
        EXPECT_EQ(g_Settings.Tabs, c.tabs) << c.typed;
        Select(1, 1);
        SendMessageA(FileViewHandle(), WM_COMMAND, MAKEWPARAM(IDC_EDIT_NOWRAP, EN_CHANGE),
                     reinterpret_cast<LPARAM>(Edit()));
        char column[32] = "";
        SendMessageA(GetDlgItem(FileViewHandle(), IDC_FILEVIEW_STATUS), SB_GETTEXTA, 5,
                     reinterpret_cast<LPARAM>(column));
        EXPECT_STREQ(column, c.column) << c.typed;  // the caret after the tab
    }
    ASSERT_TRUE(SaveSettings(folder.File("Quarry32.ini").c_str()));
    EXPECT_NE(folder.Read("Quarry32.ini").find("Tabs=65535\r\n"), std::string::npos);
}

// Picks the face and size in the font dialog as a user would.
TEST_F(FileViewEditing, ChosenFontReachesBothPanesAndTheSettingsFile) {
    ASSERT_TRUE(Open("a cat\r\nno dog\r\n", "cat"));
    const std::string before = FaceOf(Edit());
    ASSERT_NE(before, "Tahoma");
    {
        DialogRobot cancel(FORMATDLGORD31, [](HWND dialog) {
            ChooseInFontDialog(dialog, "Tahoma", "12");
            Press(dialog, IDCANCEL);
        });
        FileViewCommand(IDM_FV_FONT);
        EXPECT_EQ(cancel.opened(), 1);
    }
    EXPECT_EQ(FaceOf(Edit()), before);
    EXPECT_EQ(g_Settings.FontName, "Courier");

    DialogRobot robot(FORMATDLGORD31, [](HWND dialog) {
        ChooseInFontDialog(dialog, "Tahoma", "12");
        Press(dialog, IDOK);
    });
    FileViewCommand(IDM_FV_FONT);
    EXPECT_EQ(robot.opened(), 1);
    EXPECT_EQ(FaceOf(Edit()), "Tahoma");
    EXPECT_EQ(FaceOf(FileViewLineView()), "Tahoma");
    FileViewCommand(IDM_FV_WRAP_LINES);  // the other edit control takes it too
    EXPECT_EQ(FaceOf(Edit()), "Tahoma");
    EXPECT_EQ(g_Settings.FontName, "Tahoma");
    EXPECT_EQ(g_Settings.FontSize, 12);
    ASSERT_TRUE(SaveSettings(folder.File("Quarry32.ini").c_str()));
    const std::string ini = folder.Read("Quarry32.ini");
    EXPECT_NE(ini.find("FontName=Tahoma\r\nFontStyle=Regular\r\nFontSize=12\r\n"),
              std::string::npos)
        << ini;
}

}  // namespace
