// Starts an unpacked release the way a user does and watches it:
//   dist_start <folder> <version>
// The program's file must carry <version> in its version block; started
// from another current directory, it must show its main window without any
// message box, and end with exit code 0 when that window is closed.
// Prints "ok" or the first thing that went wrong (exit code 1).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWaitMs = 60000;

struct Found {
    DWORD process;
    HWND main = nullptr;
    HWND dialog = nullptr;  // a message box or any other dialog of the program
};

BOOL CALLBACK LookAtWindow(HWND window, LPARAM data) {
    Found& found = *reinterpret_cast<Found*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (owner == found.process && IsWindowVisible(window)) {
        if (std::strcmp(name, "Quarry") == 0) found.main = window;
        if (std::strcmp(name, "#32770") == 0) found.dialog = window;
    }
    return TRUE;
}

int Fail(HANDLE process, const char* what, const std::string& detail = "") {
    if (process) TerminateProcess(process, 1);
    std::printf("dist_start: %s%s%s\n", what, detail.empty() ? "" : ": ", detail.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return std::fprintf(stderr, "usage: dist_start <folder> <version>\n"), 2;
    const std::string exe = std::string(argv[1]) + "\\Quarry32.exe";
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &ignored) + 1);
    char* text = nullptr;
    UINT length = 0;
    std::string version;
    if (GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) &&
        VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                       reinterpret_cast<void**>(&text), &length))
        version.assign(text, strnlen(text, length));
    if (version != argv[2])
        return Fail(nullptr, "the version block does not say the zip's version", version);

    // Not the program's folder: it must find its files beside itself.
    char elsewhere[MAX_PATH] = "";
    GetTempPathA(sizeof elsewhere, elsewhere);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        elsewhere, &startup, &started))
        return Fail(nullptr, "could not start", exe);
    WaitForInputIdle(started.hProcess, kWaitMs);
    Found found{started.dwProcessId};
    for (DWORD waited = 0; waited < kWaitMs && !found.main && !found.dialog; waited += 100) {
        if (WaitForSingleObject(started.hProcess, 100) == WAIT_OBJECT_0) break;
        EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&found));
    }
    // A message box right after the window shows is a failed start too.
    Sleep(500);
    EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&found));
    if (found.dialog) {
        char title[256] = "";
        GetWindowTextA(found.dialog, title, sizeof title);
        return Fail(started.hProcess, "a dialog came up instead of the main window", title);
    }
    if (!found.main) return Fail(started.hProcess, "no main window appeared");
    PostMessageA(found.main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.hProcess, kWaitMs) != WAIT_OBJECT_0)
        return Fail(started.hProcess, "still running after its main window was closed");
    DWORD code = 1;
    GetExitCodeProcess(started.hProcess, &code);
    if (code != 0) return Fail(nullptr, "ended with a nonzero exit code", std::to_string(code));
    std::printf("ok\n");
    return 0;
}
