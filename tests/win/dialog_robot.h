#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Answers a modal dialog in the user's place. When a dialog of the given
// template opens, the script runs from inside the dialog's own loop, with the
// dialog shown and active as the user would find it; the script sets fields,
// clicks buttons and checks what it sees. kSystemDialog stands for the
// dialogs the system opens itself (the shell's questions, the folder browser,
// Save As). Several robots may be waiting at once; our dialogs no robot waits
// for are ended as EndSearchDialogs ends them. A script that leaves its
// dialog open fails the test and the dialog is cancelled, so nothing hangs.
// A robot `atOnce` runs its script as the dialog reports itself, before its
// loop runs (a modeless box the program keeps open while it works).
class DialogRobot {
  public:
    static constexpr int kSystemDialog = 0;
    using Script = std::function<void(HWND dialog)>;
    DialogRobot(int templateId, Script script, bool atOnce = false);
    ~DialogRobot();
    int opened() const { return opened_; }

  private:
    static void Hook(HWND dialog, int templateId);
    static LRESULT CALLBACK SystemHook(int code, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK HelperProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static void Post(HWND dialog, int templateId);
    void Run(HWND dialog);

    int templateId_;
    Script script_;
    bool atOnce_;
    int opened_ = 0;
};

// What a script does and reads.
// A mouse click: check boxes and radio buttons change, and the button takes
// the focus before its command runs.
void Click(HWND dialog, int id);
void Press(HWND dialog, int id);  // the button's command, even when it is disabled
// Types text over the whole of an edit field or a combo's edit field,
// character by character, as the keyboard would.
void Type(HWND control, const std::string& text);
std::string TextOf(HWND window);
std::vector<std::string> ListOf(HWND combo);
bool Checked(HWND dialog, int id);
// The dialog's control that has the focus (a combo box for its edit field).
HWND FocusedControl();
// Still open: shown, and its owner still disabled.
bool DialogStays(HWND dialog);
// OK with `refused` typed in `field` keeps the dialog open on that field;
// then OK with `accepted` typed there.
void ExpectRefusedThenOk(HWND dialog, HWND field, const std::string& refused,
                         const std::string& accepted);
// Hands the dialog's queued messages on until `done` holds, 20 turns at most.
bool PumpUntil(const std::function<bool()>& done);
