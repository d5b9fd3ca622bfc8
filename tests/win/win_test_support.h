#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_win.h"
#include "dialog_robot.h"
#include "resource_ids.h"
#include "results/file_info.h"
#include "results/file_list_win.h"
#include "settings/settings.h"
#include "ui/app_win.h"

using Texts = std::vector<std::string>;

// Changes the settings record in a test, as loading Quarry32.ini would.
template <class Change>
void ChangeSettings(Change change) {
    Settings settings = g_Settings;
    change(settings);
    ReplaceSettings(settings);
}

// Records every message box the program shows and answers it from a script,
// so a test can assert the exact words and drive the user's choice.
struct ShownMessage {
    std::string caption;
    std::string text;
    UINT type;
};

class MessageBoxRecorder {
  public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    void Answer(int reply) { replies_.push_back(reply); }
    void Clear() {
        shown_.clear();
        replies_.clear();
        nextReply_ = 0;
    }
    const std::vector<ShownMessage>& shown() const { return shown_; }
    // Runs while each box is shown, as the user would act with it open; a
    // non-zero result answers the box in place of the script.
    std::function<int(const ShownMessage&)> whileShown;
    Texts texts() const;

  private:
    static int Hook(HWND owner, const char* text, const char* caption, UINT type);
    std::vector<ShownMessage> shown_;
    std::vector<int> replies_;
    size_t nextReply_ = 0;
};

// Yes to every question a box asks; the others keep their script.
int YesToQuestions(const ShownMessage& box);

// Runs a shell command on the host, outside Wine, waits for it and returns
// what it printed: what only the host can make (pipes, links to devices,
// sparse files) or read (the printer's pages).
std::string HostShell(const std::string& command);

// A fresh folder under the system's temporary folder, removed with all its
// contents when the test ends.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Has(const std::string& name) const;
    // The temporary files a write left beside its target.
    int TempFiles() const;

  private:
    std::string path_;
};

// Rows of the File Info List for real files written into `directory`, found
// in the given order (name, bytes).
using Files = std::vector<std::pair<std::string, std::string>>;
void ShowRealFiles(const std::string& directory, const Files& files);
// Rows for entries of one directory, as a search hands them over.
void ShowRows(const std::string& directory, const std::vector<DirEntry>& entries);
// The text the list itself asks the program for when it draws the cell.
std::string ListCell(int row, int column);
void SetRowState(int row, UINT state, UINT mask);
// Selects exactly these rows; no row keeps the focus.
void SelectRows(std::initializer_list<int> rows);
// The names of the File Info List's rows in row order, one blank between.
std::string RowNames();
// The File Info List's marks in row order: '*' marked, '-' not.
std::string Marks();
std::string ClipboardText();

// Runs the program's own loop until nothing is left to do and, given a key,
// until that key has been let go; five seconds at most. True when it was.
bool RunLoop(WORD untilReleased = 0);
// Presses `keys` down in order and lets them go in reverse, as fingers do,
// into `focus` (made the focused window of the foreground) or wherever the
// focus is; the program's own loop handles what arrives.
void PressKeys(std::initializer_list<WORD> keys, HWND focus = nullptr);

// Each part of the status bar holds its text whole, in the bar's own font,
// and the parts stay clear of the size grip.
void ExpectPartsHold(HWND bar, const Texts& texts);

// Ends each modal dialog of a search as soon as it opens (OK, and Cancel for
// the level asked between targets), so no window test waits on one.
void EndSearchDialogs(HWND dialog, int templateId);

// The program's window started as WinMain starts it, from a program folder of
// the test's own holding Quarry32.ini (and Quarry32.hlp), and taken down with
// the test. Settings start from their defaults.
class ProgramTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Writes the settings file (and the help file) and starts the program.
    void Start(const std::string& ini = "[Find]\r\nFilePattern=*.txt\r\n", bool withHelp = true);
    // Removes pending messages; the exit code of a posted quit, or -1.
    static int DrainMessages();
    HWND Main() const { return g_App.MainWindow; }
    HWND Control(int id) const { return GetDlgItem(Main(), id); }
    void Command(int id) const { SendMessageA(Main(), WM_COMMAND, id, 0); }
    std::string StatusText(int part = 0) const;
    // A search over `directory` for names and text, every level below it.
    void Find(const std::string& directory, const std::string& names, const std::string& text = "",
              int command = IDM_FIND_FILES);

    TempFolder folder;
    MessageBoxRecorder boxes;
};

// The program already started.
class StartedTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
};
