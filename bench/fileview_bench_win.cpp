// Times FileView under Wine, in one process with the real windows, against
// what the platform itself needs for the same result:
//   quarry_fileview_bench <folder> <runs>
// open:  FileView on a 65,000-byte text with 1,000 matching lines, from the
//        window's creation until its Line List is built, EditView filled and
//        the first entry shown. Floor: one read of the file, its text into a
//        bare edit control of EditView's styles, size and font, and the same
//        1,000 entry texts into a bare list box with redrawing off.
// jump:  Display Context of the last entry of a 50 MB file and of the same
//        entry in a 5 MB file (context mode). Floor: the same window of lines
//        into the bare edit control.
// Each floor ends like FileView, with the queue drained, so both sides have
// painted what they show. Quarry and the floors take turns at going first;
// every ratio is the median of the turns' ratios. A case that cannot run
// (a pane missing, a control that did not take the whole text, a read that
// stopped early) ends the program with "error:" and a nonzero code.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/startup_win.h"
#include "fileview/file_view_win.h"
#include "resource_ids.h"
#include "search/criteria.h"
#include "ui/app_win.h"
#include "ui/text_options.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

[[noreturn]] void Fail(const char* what) {
    std::printf("error: %s\n", what);
    std::fflush(stdout);
    std::exit(1);
}

void Drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Lines of `width` bytes with CRLF; every `hitEvery`-th holds "needle".
void WriteLines(const std::string& path, uint64_t bytes, int width, int hitEvery) {
    std::ofstream out(path, std::ios::binary);
    std::string line(static_cast<size_t>(width), 'w');
    line[line.size() - 2] = '\r';
    line[line.size() - 1] = '\n';
    const uint64_t count = bytes / static_cast<uint64_t>(width);
    for (uint64_t i = 0; i < count; ++i) {
        std::string text = line;
        if (hitEvery > 0 && i % static_cast<uint64_t>(hitEvery) == 0) text.replace(4, 6, "needle");
        out << text;
    }
}

struct BenchFile {
    std::string path;
    uint64_t size;
};

// The file record and context sizes the opening would hand FileView.
struct Opening {
    FileViewFile file;
    int above, below;
};

Opening Prepare(const BenchFile& bench) {
    Opening opening{};
    FileViewFile& file = opening.file;
    std::snprintf(file.FullPath, sizeof file.FullPath, "%s", bench.path.c_str());
    std::snprintf(file.FileName, sizeof file.FileName, "%s",
                  bench.path.substr(bench.path.rfind('\\') + 1).c_str());
    file.Size = bench.size;
    file.WholeFile = bench.size < kFileViewCapacity;
    opening.above = file.WholeFile ? kWholeFileContext : kDefaultContextAbove;
    opening.below = file.WholeFile ? kWholeFileContext : kDefaultContextBelow;
    return opening;
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// One read of the whole file; every byte is summed, so nothing is skipped.
struct ReadResult {
    uint64_t bytes = 0;
    uint64_t sum = 0;
    std::string text;
};

ReadResult ReadWhole(const std::string& path, bool keepText) {
    ReadResult result;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return result;
    static char buffer[1 << 16];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(buffer);
        uint64_t sum = 0;
        for (DWORD i = 0; i < got; ++i) sum += bytes[i];
        result.sum += sum;
        result.bytes += got;
        if (keepText) result.text.append(buffer, got);
    }
    CloseHandle(file);
    return result;
}

// The platform's own controls, as FileView's panes are made, without FileView.
struct BareControls {
    HWND frame = nullptr;
    HWND edit = nullptr;
    HWND list = nullptr;
};

BareControls MakeBareControls(HWND fileView, HWND editView, HWND lineView, HFONT font) {
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = DefWindowProcA;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.lpszClassName = "BareFrame";
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&frameClass);
    RECT outer;
    GetWindowRect(fileView, &outer);
    BareControls bare;
    bare.frame =
        CreateWindowExA(0, "BareFrame", "floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, outer.left,
                        outer.top, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                        nullptr, frameClass.hInstance, nullptr);
    const RECT e = ChildRect(editView);
    bare.edit =
        CreateWindowExA(0, "EDIT", "",
                        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL |
                            ES_LEFT | ES_MULTILINE | ES_NOHIDESEL | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                        e.left, e.top, e.right - e.left, e.bottom - e.top, bare.frame, nullptr,
                        frameClass.hInstance, nullptr);
    const RECT l = ChildRect(lineView);
    bare.list = CreateWindowExA(0, "LISTBOX", "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_HSCROLL |
                                    WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS |
                                    LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                                l.left, l.top, l.right - l.left, l.bottom - l.top, bare.frame,
                                nullptr, frameClass.hInstance, nullptr);
    if (!bare.frame || !bare.edit || !bare.list) Fail("the bare controls could not be made");
    SendMessageA(bare.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    SendMessageA(bare.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    // EditView's limit: the default would cut a 65,000-byte text short.
    SendMessageA(bare.edit, EM_SETLIMITTEXT, 65534, 0);
    Drain();
    return bare;
}

void SetBareText(const BareControls& bare, const char* text) {
    SendMessageA(bare.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The open's floor: read, the text into the edit control, the entries into
// the list box.
double OpenFloor(const BareControls& bare, const std::string& path, uint64_t size,
                 const std::vector<std::string>& entries) {
    SetBareText(bare, "");
    SendMessageA(bare.list, LB_RESETCONTENT, 0, 0);
    Drain();
    const double start = Now();
    const ReadResult read = ReadWhole(path, true);
    SetBareText(bare, read.text.c_str());
    SendMessageA(bare.list, WM_SETREDRAW, FALSE, 0);
    for (const std::string& entry : entries)
        SendMessageA(bare.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(bare.list, WM_SETREDRAW, TRUE, 0);
    Drain();
    const double ms = Now() - start;
    if (read.bytes != size) Fail("the open's floor read stopped early");
    if (static_cast<uint64_t>(GetWindowTextLengthA(bare.edit)) != size)
        Fail("the bare edit control did not take the whole text");
    if (static_cast<size_t>(SendMessageA(bare.list, LB_GETCOUNT, 0, 0)) != entries.size())
        Fail("the bare list box did not take every entry");
    return ms;
}

double JumpFloor(const BareControls& bare, const std::string& window) {
    SetBareText(bare, "");
    Drain();
    const double start = Now();
    SetBareText(bare, window.c_str());
    Drain();
    const double ms = Now() - start;
    if (static_cast<size_t>(GetWindowTextLengthA(bare.edit)) != window.size())
        Fail("the bare edit control did not take the whole window");
    return ms;
}

struct TimedOpen {
    double ms;
    HWND window;
};

TimedOpen OpenTimed(HWND owner, const BenchFile& file) {
    const Opening opening = Prepare(file);
    const double start = Now();
    HWND window = OpenFileViewWindow(owner, opening.file, opening.above, opening.below);
    Drain();
    const double ms = Now() - start;
    if (!window || !FileViewEditView() || !FileViewLineView()) Fail("FileView did not open");
    return {ms, window};
}

void CloseFileView(HWND window) {
    DestroyWindow(window);
    Drain();
}

struct TimedJump {
    double ms;
    std::string window;  // EditView's text after the jump
};

// Display Context of the last Line List entry of a FileView on `file`.
TimedJump JumpTimed(HWND owner, const BenchFile& file) {
    HWND window = OpenTimed(owner, file).window;
    HWND lines = FileViewLineView();
    const int last = static_cast<int>(SendMessageA(lines, LB_GETCOUNT, 0, 0)) - 1;
    if (last < 1) Fail("the large file's Line List is empty");
    SendMessageA(lines, LB_SETCURSEL, last, 0);
    const double start = Now();
    SendMessageA(window, WM_COMMAND, IDM_FV_DISPLAY_CONTEXT, 0);
    Drain();
    const double ms = Now() - start;
    TimedJump jump{ms, WindowText(FileViewEditView())};
    CloseFileView(window);
    if (jump.window.empty()) Fail("the jump showed no lines");
    return jump;
}

std::vector<std::string> LineViewTexts(HWND lines) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(lines, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(lines, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<size_t>(
            SendMessageA(lines, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        texts.push_back(text);
    }
    return texts;
}

struct Series {
    std::vector<double> quarry, floor, ratio;
    void Add(double q, double f) {
        quarry.push_back(q);
        floor.push_back(f);
        if (f > 0) ratio.push_back(q / f);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quarry_fileview_bench <folder> <runs>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = std::max(1, std::atoi(argv[2]));
    CreateDirectoryA(folder.c_str(), nullptr);
    const BenchFile small{folder + "\\small.txt", 65000};
    const BenchFile large{folder + "\\large.log", (50ull << 20) / 100 * 100};
    const BenchFile medium{folder + "\\medium.log", (5ull << 20) / 100 * 100};
    WriteLines(small.path, small.size, 65, 1);      // 1,000 lines, each with a match
    WriteLines(large.path, large.size, 100, 5000);  // 524,288 lines, a match in every 5,000th
    WriteLines(medium.path, medium.size, 100, 5000);
    std::ofstream(folder + "\\Quarry32.ini", std::ios::binary) << "[Find]\r\n";
    std::ofstream(folder + "\\Quarry32.hlp", std::ios::binary) << "@@ 0 Contents\r\n";

    HINSTANCE instance = GetModuleHandleA(nullptr);
    SetProgramDirectoryForTesting(folder.c_str());
    if (!InitApplication(instance) || !InitInstance(instance, SW_SHOWNORMAL))
        Fail("the main window did not start");
    HWND owner = g_App.MainWindow;
    SearchCriteria searched;
    searched.SearchText = "needle";
    searched.TextOptions = kTextCase;
    RememberSearchCriteria(searched);

    // The bare controls take FileView's pane sizes, and the open's floor its entries.
    const TimedOpen first = OpenTimed(owner, small);
    const std::vector<std::string> entries = LineViewTexts(FileViewLineView());
    if (entries.size() != 1000) Fail("the small file's Line List does not hold 1,000 entries");
    const BareControls bare = MakeBareControls(
        first.window, FileViewEditView(), FileViewLineView(),
        reinterpret_cast<HFONT>(SendMessageA(FileViewEditView(), WM_GETFONT, 0, 0)));
    CloseFileView(first.window);

    Series open, jump, jump5, sizes;
    size_t windowBytes = 0;
    for (int run = 0; run <= runs; ++run) {
        const bool floorFirst = run % 2 == 1;
        double openFloor = 0, openMs = 0;
        if (floorFirst) openFloor = OpenFloor(bare, small.path, small.size, entries);
        {
            const TimedOpen opened = OpenTimed(owner, small);
            openMs = opened.ms;
            CloseFileView(opened.window);
        }
        if (!floorFirst) openFloor = OpenFloor(bare, small.path, small.size, entries);

        // Each jump's floor is timed beside it, on the window it showed.
        const TimedJump big = JumpTimed(owner, large);
        const double bigFloor = JumpFloor(bare, big.window);
        const double midFloor = JumpFloor(bare, big.window);
        const TimedJump mid = JumpTimed(owner, medium);
        if (big.window != mid.window) Fail("the two jumps showed different windows");
        windowBytes = big.window.size();

        std::printf(
            "%s %d  open %.1f ms floor %.1f ms  jump 50 MB %.1f ms floor %.1f ms  5 MB %.1f ms "
            "floor %.1f ms\n",
            run == 0 ? "warm-up" : "run", run, openMs, openFloor, big.ms, bigFloor, mid.ms,
            midFloor);
        std::fflush(stdout);
        if (run == 0) continue;
        open.Add(openMs, openFloor);
        jump.Add(big.ms, bigFloor);
        jump5.Add(mid.ms, midFloor);
        sizes.Add(big.ms, mid.ms);
    }

    // A plain read of the whole large file, for the record: what a jump
    // would cost at least if it read the file from its start.
    const double readStart = Now();
    const ReadResult read = ReadWhole(large.path, false);
    const double readMs = Now() - readStart;
    if (read.bytes != large.size) Fail("the read of the large file stopped early");

    std::printf(
        "RESULT fileview open_ms=%.1f open_floor_ms=%.1f open_ratio=%.3f entries=%zu "
        "jump_ms=%.1f jump_floor_ms=%.1f jump5_ms=%.1f jump5_floor_ms=%.1f jump_ratio=%.3f "
        "jump5_ratio=%.3f "
        "size_ratio=%.3f window_bytes=%zu read_ms=%.1f read_bytes=%llu read_sum=%llu\n",
        Median(open.quarry), Median(open.floor), Median(open.ratio), entries.size(),
        Median(jump.quarry), Median(jump.floor), Median(jump5.quarry), Median(jump5.floor),
        Median(jump.ratio), Median(jump5.ratio), Median(sizes.ratio), windowBytes, readMs,
        static_cast<unsigned long long>(read.bytes), static_cast<unsigned long long>(read.sum));
    DestroyWindow(bare.frame);
    DestroyWindow(owner);
    Drain();
    return 0;
}
