#include "dialog_robot.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/dialog_test_hook_win.h"
#include "win_test_support.h"

namespace {

std::vector<DialogRobot*> robots;  // the newest last
HWND helper = nullptr;
HHOOK systemHook = nullptr;
constexpr UINT kRunScript = WM_APP + 1;
constexpr char kHelperClass[] = "QuarryDialogRobot";
constexpr char kOwnDialog[] = "QuarryOwnDialog";

HWND ComboEdit(HWND control) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(control, &info) && info.hwndItem) return info.hwndItem;
    return control;
}

}  // namespace

DialogRobot::DialogRobot(int templateId, Script script, bool atOnce)
    : templateId_(templateId), script_(std::move(script)), atOnce_(atOnce) {
    if (robots.empty()) {
        WNDCLASSA helperClass = {};
        helperClass.lpfnWndProc = HelperProc;
        helperClass.hInstance = GetModuleHandleA(nullptr);
        helperClass.lpszClassName = kHelperClass;
        RegisterClassA(&helperClass);  // fails harmlessly when already registered
        helper = CreateWindowExA(0, kHelperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        SetDialogTestHook(&DialogRobot::Hook);
        systemHook =
            SetWindowsHookExA(WH_CALLWNDPROCRET, &SystemHook, nullptr, GetCurrentThreadId());
    }
    robots.push_back(this);
}

DialogRobot::~DialogRobot() {
    std::erase(robots, this);
    if (!robots.empty()) return;
    UnhookWindowsHookEx(systemHook);
    SetDialogTestHook(&EndSearchDialogs);
    DestroyWindow(helper);
}

void DialogRobot::Hook(HWND dialog, int templateId) {
    SetPropA(dialog, kOwnDialog, dialog);
    Post(dialog, templateId);
}

// A dialog that has set itself up without reporting to Hook is the system's.
LRESULT CALLBACK DialogRobot::SystemHook(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && !GetPropA(call->hwnd, kOwnDialog))
        Post(call->hwnd, kSystemDialog);
    return CallNextHookEx(nullptr, code, wp, lp);
}

void DialogRobot::Post(HWND dialog, int templateId) {
    for (auto robot = robots.rbegin(); robot != robots.rend(); ++robot) {
        if ((*robot)->templateId_ != templateId) continue;
        if ((*robot)->atOnce_) {
            ++(*robot)->opened_;
            return (*robot)->script_(dialog);
        }
        // The dialog is not shown yet; its loop will be running when this arrives.
        return void(PostMessageA(helper, kRunScript, reinterpret_cast<WPARAM>(*robot),
                                 reinterpret_cast<LPARAM>(dialog)));
    }
    if (templateId != kSystemDialog) EndSearchDialogs(dialog, templateId);
}

LRESULT CALLBACK DialogRobot::HelperProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* robot = reinterpret_cast<DialogRobot*>(wp);
    if (msg == kRunScript && std::find(robots.begin(), robots.end(), robot) != robots.end()) {
        robot->Run(reinterpret_cast<HWND>(lp));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void DialogRobot::Run(HWND dialog) {
    ++opened_;
    // The dialog's loop shows it once its queue is first empty; this message
    // came first, so show it as that would.
    if (!IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);
    script_(dialog);
    if (DialogStays(dialog)) {
        ADD_FAILURE() << "the script left dialog " << templateId_ << " open";
        Press(dialog, IDCANCEL);
        if (DialogStays(dialog)) EndDialog(dialog, -2);
    }
}

void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Type(HWND control, const std::string& text) {
    HWND edit = ComboEdit(control);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

std::string TextOf(HWND window) {
    char text[1100] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> ListOf(HWND combo) {
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[300] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

HWND FocusedControl() {
    HWND focus = GetFocus();
    char name[32] = "";
    GetClassNameA(GetParent(focus), name, sizeof name);
    return lstrcmpiA(name, "ComboBox") == 0 ? GetParent(focus) : focus;
}

bool DialogStays(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    return IsWindow(dialog) && IsWindowVisible(dialog) && owner && !IsWindowEnabled(owner);
}

void ExpectRefusedThenOk(HWND dialog, HWND field, const std::string& refused,
                         const std::string& accepted) {
    Type(field, refused);
    Click(dialog, IDOK);
    EXPECT_TRUE(DialogStays(dialog));
    EXPECT_EQ(FocusedControl(), field);
    Type(field, accepted);
    Click(dialog, IDOK);
}

bool PumpUntil(const std::function<bool()>& done) {
    for (int turn = 0; turn < 20 && !done(); ++turn) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    return done();
}
