#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/help.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/option_dialogs_win.h"
#include "dialog_robot.h"
#include "resource_ids.h"
#include "results/file_list_win.h"
#include "search/criteria.h"
#include "settings/settings.h"
#include "win_test_support.h"

namespace {

using Strings = std::vector<std::string>;

class OptionDialogs : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
    HWND Item(HWND dialog, int id) const { return GetDlgItem(dialog, id); }
    // The texts of the message boxes shown since the last call.
    Strings NewMessages() {
        Strings texts = boxes.texts();
        Strings fresh(texts.begin() + static_cast<long>(seenMessages), texts.end());
        seenMessages = texts.size();
        return fresh;
    }
    size_t seenMessages = 0;
};

// Every control of the four dialogs with its exact text, read from the open dialog.
TEST_F(OptionDialogs, EachDialogShowsItsOwnTexts) {
    struct Case {
        int templateId;
        const char* caption;
        std::vector<std::pair<int, const char*>> controls;
    };
    const Case cases[] = {
        {IDD_SORT_OPTIONS,
         "Sort Options",
         {{IDC_SORT_ASCENDING, "Sort in &ascending order"},
          {IDC_SORT_ACROSS_DIRS, "Sort across &directories"},
          {IDC_SORT_NONE, "N&o sort"},
          {IDC_SORT_NAME, "Sort by File &Name"},
          {IDC_SORT_SIZE, "Sort by File &Size"},
          {IDC_SORT_DATE, "Sort by File Da&te"},
          {IDOK, "OK"},
          {IDCANCEL, "Cancel"}}},
        {IDD_FILE_FILTER,
         "Set File Filter",
         {{IDC_FILTER_ENABLE, "&Enable Excluded Files"},
          {IDOK, "&Close"},
          {IDCANCEL, "Cancel"},
          {IDC_FILTER_ADD, "&Add"},
          {IDC_FILTER_DELETE, "&Delete"}}},
        {IDD_TABS,
         "Tabs",
         {{IDC_TAB_INSERT_SPACES, "  &Insert spaces"}, {IDOK, "OK"}, {IDCANCEL, "Cancel"}}},
        {IDD_CONTEXT_SIZE, "Set Context Size", {{IDOK, "OK"}, {IDCANCEL, "Cancel"}}},
    };
    for (const Case& c : cases) {
        DialogRobot robot(c.templateId, [&](HWND dialog) {
            EXPECT_EQ(TextOf(dialog), c.caption);
            for (auto [id, text] : c.controls) EXPECT_EQ(TextOf(Item(dialog, id)), text) << id;
            Press(dialog, IDCANCEL);
        });
        int above = 1, below = 2;
        switch (c.templateId) {
            case IDD_SORT_OPTIONS: Command(IDM_SORT_OPTIONS); break;
            case IDD_FILE_FILTER: Command(IDM_FILE_FILTER); break;
            case IDD_TABS: ShowTabsDialog(Main(), 4); break;
            case IDD_CONTEXT_SIZE: ShowContextSizeDialog(Main(), above, below); break;
        }
        EXPECT_EQ(robot.opened(), 1) << c.caption;
    }
}

// F1 and a right click on a control of an open dialog both show that control's topic.
TEST_F(OptionDialogs, HelpOnADialogControlShowsItsTopic) {
    folder.Write("Quarry32.hlp",
                 "@@ 1 Contents\r\nAll.\r\n"
                 "@@ 0x8172025B By size\r\nSorts by size.\r\n"
                 "@@ 0x81300149 Excluded\r\nLeft out.\r\n");
    SetWhatsThisHook([](HWND) { return true; });
    auto topic = [] {
        char text[200] = "";
        GetDlgItemTextA(HelpWindowHandle(), kHelpTopicTextId, text, sizeof text);
        return std::string(text);
    };
    const struct {
        int templateId, command, control;
        const char* topic;
    } cases[] = {{IDD_SORT_OPTIONS, IDM_SORT_OPTIONS, IDC_SORT_SIZE, "By size"},
                 {IDD_FILE_FILTER, IDM_FILE_FILTER, IDC_FILTER_EXCLUDED, "Excluded"}};
    for (const auto& c : cases) {
        DialogRobot robot(c.templateId, [&](HWND dialog) {
            HWND control = Item(dialog, c.control);
            SendMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), 0);
            EXPECT_EQ(topic().rfind(c.topic, 0), 0u) << topic();
            QuarryHelp(Main(), g_App.HelpFilePath, HELP_QUIT, 0);

            HELPINFO info = {sizeof info, HELPINFO_WINDOW, c.control, control, 0, {0, 0}};
            SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            EXPECT_EQ(topic().rfind(c.topic, 0), 0u) << topic();
            Press(dialog, IDCANCEL);
        });
        Command(c.command);
        EXPECT_EQ(robot.opened(), 1);
    }
    QuarryHelp(Main(), g_App.HelpFilePath, HELP_QUIT, 0);
    SetWhatsThisHook(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Sort Options

TEST_F(OptionDialogs, SortOptionsShowTheModeAndTakeTheButtonsOnlyOnOk) {
    struct Case {
        const char* name;
        int mode, order, dir;  // before
        int shownRadio;        // 0: none checked
        std::vector<int> clicks;
        int button;
        int newMode, newOrder, newDir;  // after
    };
    const Case cases[] = {
        {"by size, OK unchanged", 2, 1, 0, IDC_SORT_SIZE, {}, IDOK, 2, 1, 0},
        {"time header mode", 4, 0, 1, 0, {}, IDOK, 4, 0, 1},
        {"all changed",
         0,
         1,
         0,
         IDC_SORT_NONE,
         {IDC_SORT_DATE, IDC_SORT_ASCENDING, IDC_SORT_ACROSS_DIRS},
         IDOK,
         3,
         0,
         1},
        {"mode from time header", 4, 1, 1, 0, {IDC_SORT_NAME}, IDOK, 1, 1, 1},
        {"cancel keeps all",
         1,
         1,
         0,
         IDC_SORT_NAME,
         {IDC_SORT_DATE, IDC_SORT_ASCENDING, IDC_SORT_ACROSS_DIRS},
         IDCANCEL,
         1,
         1,
         0},
    };
    for (const Case& c : cases) {
        g_Settings.SortMode = c.mode;
        g_Settings.SortOrder = c.order;
        g_Settings.SortDir = c.dir;
        DialogRobot robot(IDD_SORT_OPTIONS, [&](HWND dialog) {
            for (int id = IDC_SORT_NONE; id <= IDC_SORT_DATE; ++id)
                EXPECT_EQ(Checked(dialog, id), id == c.shownRadio) << c.name << " " << id;
            EXPECT_EQ(Checked(dialog, IDC_SORT_ASCENDING), c.order == 1) << c.name;
            EXPECT_EQ(Checked(dialog, IDC_SORT_ACROSS_DIRS), c.dir == 1) << c.name;
            for (int id : c.clicks) Click(dialog, id);
            Press(dialog, c.button);
        });
        Command(IDM_SORT_OPTIONS);
        EXPECT_EQ(robot.opened(), 1) << c.name;
        EXPECT_EQ(g_Settings.SortMode, c.newMode) << c.name;
        EXPECT_EQ(g_Settings.SortOrder, c.newOrder) << c.name;
        EXPECT_EQ(g_Settings.SortDir, c.newDir) << c.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Set File Filter

class FileFilter : public OptionDialogs {
  protected:
    // Opens the dialog from the menu, runs the script in it and returns what
    // the command left in the toolbar combo.
    void Open(const DialogRobot::Script& script) {
        DialogRobot robot(IDD_FILE_FILTER, script);
        Command(IDM_FILE_FILTER);
        EXPECT_EQ(robot.opened(), 1);
    }
    // Chooses the excluded entry at `index` as a click in the list would.
    static void Choose(HWND dialog, int index) {
        HWND combo = GetDlgItem(dialog, IDC_FILTER_EXCLUDED);
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FILTER_EXCLUDED, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    }
    static void Add(HWND dialog, const std::string& pattern) {
        Type(GetDlgItem(dialog, IDC_FILTER_EXCLUDED), pattern);
        Click(dialog, IDC_FILTER_ADD);
    }
    const Strings defaults = {"*.bat", "*.bin", "*.com", "*.dll",
                              "*.exe", "*.ovl", "*.ovr", "*.sys"};
};

TEST_F(FileFilter, OpensOnTheCurrentValuesWithTheTypeFocused) {
    g_Settings.EnableExcludeFiles = 1;
    Strings toolbarList = ListOf(g_Main.ToolbarCombo);
    Open([&](HWND dialog) {
        HWND type = Item(dialog, IDC_FILTER_FILE_TYPE);
        EXPECT_EQ(TextOf(type), "*.txt");
        EXPECT_EQ(ListOf(type), toolbarList);
        EXPECT_EQ(SendMessageA(type, CB_GETEXTENDEDUI, 0, 0), TRUE);
        EXPECT_EQ(ListOf(Item(dialog, IDC_FILTER_EXCLUDED)), defaults);  // sorted
        EXPECT_FALSE(IsWindowEnabled(Item(dialog, IDC_FILTER_ADD)));
        EXPECT_FALSE(IsWindowEnabled(Item(dialog, IDC_FILTER_DELETE)));
        EXPECT_TRUE(Checked(dialog, IDC_FILTER_ENABLE));
        EXPECT_EQ(FocusedControl(), type);
        // The type field takes five characters, "*.txt" and no more.
        Type(type, "*.html");
        EXPECT_EQ(TextOf(type), "*.htm");
        Press(dialog, IDCANCEL);
    });
    EXPECT_FALSE(toolbarList.empty());
}

TEST_F(FileFilter, AddPutsThePatternOnTopAndDeleteChoosesTheNeighbour) {
    Open([&](HWND dialog) {
        HWND list = Item(dialog, IDC_FILTER_EXCLUDED);
        Type(list, "*.tmp");
        EXPECT_TRUE(IsWindowEnabled(Item(dialog, IDC_FILTER_ADD)));
        Click(dialog, IDC_FILTER_ADD);
        Strings expected = defaults;
        expected.insert(expected.begin(), "*.tmp");
        EXPECT_EQ(ListOf(list), expected);

        // An empty field adds nothing and says nothing.
        Add(dialog, "");
        EXPECT_EQ(ListOf(list), expected);

        // Adding an entry that is already there, in other letters, moves it up.
        Add(dialog, "*.DLL");
        EXPECT_EQ(ListOf(list), (Strings{"*.DLL", "*.tmp", "*.bat", "*.bin", "*.com", "*.exe",
                                         "*.ovl", "*.ovr", "*.sys"}));

        struct Step {
            int choose;
            std::string chosenAfter;  // "" for none
        };
        const Step steps[] = {
            {3, "*.com"},  // the middle: the next one moves into its place
            {7, "*.ovr"},  // the last: the one before it
            {0, "*.tmp"},  // the first: the new first
        };
        for (const Step& s : steps) {
            Choose(dialog, s.choose);
            EXPECT_TRUE(IsWindowEnabled(Item(dialog, IDC_FILTER_DELETE)));
            Click(dialog, IDC_FILTER_DELETE);
            int chosen = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
            ASSERT_GE(chosen, 0) << s.choose;
            EXPECT_EQ(ListOf(list)[chosen], s.chosenAfter) << s.choose;
        }
        EXPECT_EQ(ListOf(list), (Strings{"*.tmp", "*.bat", "*.com", "*.exe", "*.ovl", "*.ovr"}));
        Press(dialog, IDOK);
    });
    EXPECT_EQ(g_Main.ExcludedFiles,
              (Strings{"*.tmp", "*.bat", "*.com", "*.exe", "*.ovl", "*.ovr"}));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(FileFilter, The33rdPatternPushesOutTheBottomOne) {
    Open([&](HWND dialog) {
        HWND list = Item(dialog, IDC_FILTER_EXCLUDED);
        for (int i = 0; i < 24; ++i) Add(dialog, "*.a" + std::to_string(i));
        ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 32);
        EXPECT_EQ(ListOf(list).back(), "*.sys");
        Add(dialog, "*.new");
        Strings now = ListOf(list);
        ASSERT_EQ(now.size(), 32u);
        EXPECT_EQ(now.front(), "*.new");
        EXPECT_EQ(now.back(), "*.ovr");
        Press(dialog, IDOK);
    });
    ASSERT_EQ(g_Main.ExcludedFiles.size(), 32u);
    EXPECT_EQ(g_Main.ExcludedFiles.front(), "*.new");
    EXPECT_EQ(g_Main.ExcludedFiles[1], "*.a23");
    EXPECT_EQ(g_Main.ExcludedFiles.back(), "*.ovr");
}

TEST_F(FileFilter, CloseTakesANewTypeKeepsACaseOnlyChangeAndRefusesOneWithoutFullStop) {
    struct Case {
        const char* current;
        const char* typed;
        bool refused;
        const char* type;  // DefaultFileType after the dialog, and the toolbar combo's text
    };
    const Case cases[] = {
        {"*.Txt", "*.TXT", false, "*.Txt"},  // a case-only change keeps the old letters
        {"*.txt", "*.txt", false, "*.txt"}, {"*.txt", "*.C", false, "*.c"},
        {"*.txt", "Ab.H", false, "*.h"},    {"*.txt", "txt", true, "*.txt"},
    };
    for (const Case& c : cases) {
        g_Settings.DefaultFileType = c.current;
        SetWindowTextA(g_Main.ToolbarCombo, c.current);
        Open([&](HWND dialog) {
            HWND type = Item(dialog, IDC_FILTER_FILE_TYPE);
            Type(type, c.typed);
            Click(dialog, IDOK);
            if (!c.refused) return;
            EXPECT_TRUE(DialogStays(dialog)) << c.typed;
            EXPECT_EQ(FocusedControl(), type) << c.typed;
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(g_Settings.DefaultFileType, c.type) << c.typed;
        EXPECT_EQ(TextOf(g_Main.ToolbarCombo), c.type) << c.typed;
        Strings expected;
        if (c.refused) expected.push_back("Error in File Type setting!");
        EXPECT_EQ(NewMessages(), expected) << c.typed;
        if (c.refused) {
            EXPECT_EQ(boxes.shown().back().caption, "Quarry");
        }
    }
}

TEST_F(FileFilter, CancelKeepsListAndTypeButNotTheSwitch) {
    g_Settings.EnableExcludeFiles = 0;
    Open([&](HWND dialog) {
        Add(dialog, "*.tmp");
        Choose(dialog, 3);
        Click(dialog, IDC_FILTER_DELETE);
        Type(Item(dialog, IDC_FILTER_FILE_TYPE), "*.c");
        Click(dialog, IDC_FILTER_ENABLE);
        EXPECT_EQ(g_Settings.EnableExcludeFiles, 1);  // at once
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(g_Main.ExcludedFiles,
              (Strings{"*.exe", "*.com", "*.dll", "*.ovr", "*.ovl", "*.bin", "*.sys", "*.bat"}));
    EXPECT_EQ(g_Settings.DefaultFileType, "*.txt");
    EXPECT_EQ(TextOf(g_Main.ToolbarCombo), "*.txt");
    EXPECT_EQ(g_Settings.EnableExcludeFiles, 1);
}

// The list as the user leaves it is what the next Find Files leaves out.
TEST_F(FileFilter, TheNextSearchLeavesOutTheExcludedFilesWhileEnabled) {
    CreateDirectoryA(folder.File("tree").c_str(), nullptr);
    for (const char* name : {"a.txt", "b.log", "c.exe", "d.c"})
        folder.Write(std::string("tree\\") + name, "text\r\n");
    char full[MAX_PATH];
    GetFullPathNameA(folder.File("tree").c_str(), MAX_PATH, full, nullptr);

    auto findAll = [&] {
        SetWindowTextA(g_Main.DirectoryCombo, LowerText(full).c_str());
        SetWindowTextA(g_Main.FileNameCombo, "*.*");
        SetWindowTextA(g_Main.SearchTextCombo, "");
        Command(IDM_FIND_FILES);
        std::string names;
        for (int row = 0; GetItemRecord(row); ++row)
            names += (row ? " " : "") + GetItemRecord(row)->name;
        return names;
    };
    struct Step {
        const char* name;
        DialogRobot::Script script;
        const char* found;
    };
    const Step steps[] = {
        {"off by default", nullptr, "a.txt b.log c.exe d.c"},
        {"added and enabled",
         [&](HWND dialog) {
             Add(dialog, "*.LOG");
             Click(dialog, IDC_FILTER_ENABLE);
             Press(dialog, IDOK);
         },
         "a.txt d.c"},
        {"deleted",
         [&](HWND dialog) {
             HWND list = Item(dialog, IDC_FILTER_EXCLUDED);
             Choose(dialog, static_cast<int>(SendMessageA(list, CB_FINDSTRINGEXACT, -1,
                                                          reinterpret_cast<LPARAM>("*.exe"))));
             Click(dialog, IDC_FILTER_DELETE);
             Press(dialog, IDOK);
         },
         "a.txt c.exe d.c"},
        {"disabled",
         [&](HWND dialog) {
             Click(dialog, IDC_FILTER_ENABLE);
             Press(dialog, IDOK);
         },
         "a.txt b.log c.exe d.c"},
    };
    for (const Step& s : steps) {
        if (s.script) Open(s.script);
        EXPECT_EQ(findAll(), s.found) << s.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Tabs and Set Context Size, as FileView opens them

TEST_F(OptionDialogs, TabsEndWithANonZeroSixteenBitLengthOnly) {
    struct Case {
        const char* typed;  // nullptr: Cancel at once
        int result;         // 0: refused, the dialog stays until Cancel
    };
    const Case cases[] = {{"8", 8},     {"65535", 65535}, {" 12 ", 12}, {"0", 0},
                          {"65536", 0}, {"70000", 0},     {"", 0},      {nullptr, 0}};
    for (const Case& c : cases) {
        DialogRobot robot(IDD_TABS, [&](HWND dialog) {
            HWND field = Item(dialog, IDC_TAB_LENGTH);
            EXPECT_EQ(TextOf(field), "4");
            EXPECT_FALSE(IsWindowEnabled(Item(dialog, IDC_TAB_INSERT_SPACES)));
            if (c.typed) {
                SetWindowTextA(field, c.typed);
                Click(dialog, IDOK);
                if (c.result) return;
                EXPECT_TRUE(DialogStays(dialog)) << c.typed;
                EXPECT_EQ(FocusedControl(), field) << c.typed;
            }
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(ShowTabsDialog(Main(), 4), c.result) << (c.typed ? c.typed : "cancel");
        EXPECT_EQ(robot.opened(), 1);
        EXPECT_TRUE(boxes.shown().empty()) << "a refused length only beeps";
    }
}

TEST_F(OptionDialogs, ContextSizeTakesBothValuesBelow1024OrNeither) {
    struct Case {
        const char* above;
        const char* below;
        int refusedField;  // 0: accepted
        int newAbove, newBelow;
    };
    const Case cases[] = {
        {"1023", "0", 0, 1023, 0},
        {"7", "1023", 0, 7, 1023},
        {"1024", "5", IDC_CONTEXT_ABOVE, 100, 150},
        {"5", "1024", IDC_CONTEXT_BELOW, 100, 150},  // the valid one is not taken either
        {"", "5", IDC_CONTEXT_ABOVE, 100, 150},
        {"5", "99999999999", IDC_CONTEXT_BELOW, 100, 150},
    };
    for (const Case& c : cases) {
        DialogRobot robot(IDD_CONTEXT_SIZE, [&](HWND dialog) {
            EXPECT_EQ(TextOf(Item(dialog, IDC_CONTEXT_ABOVE)), "100");
            EXPECT_EQ(TextOf(Item(dialog, IDC_CONTEXT_BELOW)), "150");
            SetWindowTextA(Item(dialog, IDC_CONTEXT_ABOVE), c.above);
            SetWindowTextA(Item(dialog, IDC_CONTEXT_BELOW), c.below);
            Click(dialog, IDOK);
            if (!c.refusedField) return;
            EXPECT_TRUE(DialogStays(dialog)) << c.above << "/" << c.below;
            EXPECT_EQ(FocusedControl(), Item(dialog, c.refusedField)) << c.above << "/" << c.below;
            Press(dialog, IDCANCEL);
        });
        int above = 100, below = 150;
        EXPECT_EQ(ShowContextSizeDialog(Main(), above, below), c.refusedField == 0);
        EXPECT_EQ(above, c.newAbove) << c.above << "/" << c.below;
        EXPECT_EQ(below, c.newBelow) << c.above << "/" << c.below;
        Strings expected;
        if (c.refusedField) expected.push_back("Error in value(must be less than 1024).");
        EXPECT_EQ(NewMessages(), expected) << c.above << "/" << c.below;
    }
}

}  // namespace
