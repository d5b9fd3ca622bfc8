// Times FileView under Wine, in one process with the real windows:
//   quarry_fileview_bench <folder> <runs>
// open:  FileView on a 65,000-byte text with 1,000 matching lines, from the
//        window's creation until its Line List is built, EditView filled and
//        the first entry shown;
// jump:  Display Context of an entry in the last lines of a 50 MB file
//        (context mode), against one plain read of the same file through the
//        chunk reader (median of the runs' ratios); and the jump's Context
//        scan alone, without EditView, against the same read.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "fileview/file_view_win.h"
#include "resource_ids.h"
#include "search/chunk_reader_win.h"
#include "search/criteria.h"
#include "search/text_options.h"

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

// FileView on the file at `path`, as the opening would hand it over.
HWND OpenOn(HWND owner, const std::string& path, uint64_t size) {
    FileViewFile file;
    std::snprintf(file.FullPath, sizeof file.FullPath, "%s", path.c_str());
    std::snprintf(file.FileName, sizeof file.FileName, "%s",
                  path.substr(path.rfind('\\') + 1).c_str());
    file.Size = size;
    file.WholeFile = size < kFileViewCapacity;
    const int above = file.WholeFile ? kWholeFileContext : kDefaultContextAbove;
    const int below = file.WholeFile ? kWholeFileContext : kDefaultContextBelow;
    return OpenFileViewWindow(owner, file, above, below);
}

// The scan of a jump to the last entry, its window of lines only counted.
class CountingContext : public ScanHost {
  public:
    void ScanWarning(const std::string& text) override {
        std::printf("warning: %s\n", text.c_str());
    }
    void NonTextFile(const std::string&) override {}
    int ShowContext(ScanState&, const ContextWindow& window) override {
        shown = window.length;
        return 1;
    }
    uint32_t shown = 0;
};

uint32_t ContextScanOnly(const std::string& path, uint32_t entryLine) {
    ScanState scan;
    scan.Mode = ScanMode::Context;
    scan.EntryLineNumber = entryLine;
    scan.FirstLineNumber = entryLine - kDefaultContextAbove;
    scan.LinesLoaded = kDefaultContextAbove + kDefaultContextBelow + 1;
    Win32ChunkReader reader;
    CountingContext host;
    ScanFile(scan, reader, host, path, "\n", kTextCase);
    return host.shown;
}

uint64_t PlainRead(const std::string& path) {
    Win32ChunkReader reader;
    if (!reader.Open(path)) return 0;
    std::unique_ptr<char[]> buffer(new char[kMaxChunkSize]);
    uint64_t total = 0;
    for (int64_t got; (got = reader.Read(buffer.get(), kMaxChunkSize)) > 0;) total += got;
    reader.Close();
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quarry_fileview_bench <folder> <runs>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = std::max(1, std::atoi(argv[2]));
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string small = folder + "\\small.txt";
    const std::string large = folder + "\\large.log";
    WriteLines(small, 65000, 65, 1);            // 1,000 lines, each with a match
    WriteLines(large, 50ull << 20, 100, 5000);  // 524,288 lines, a match in every 5,000th
    std::ofstream(folder + "\\Quarry32.ini", std::ios::binary) << "[Find]\r\n";
    std::ofstream(folder + "\\Quarry32.hlp", std::ios::binary) << "@@ 0 Contents\r\n";

    HINSTANCE instance = GetModuleHandleA(nullptr);
    SetProgramDirectoryForTesting(folder.c_str());
    if (!InitApplication(instance) || !InitInstance(instance, SW_SHOWNORMAL)) return 1;
    HWND owner = g_App.MainWindow;
    gSearchCriteria.SearchText = "needle";
    gSearchCriteria.TextOptions = kTextCase;

    std::vector<double> opens, jumps, reads, scans, ratios, scanRatios;
    int entries = 0;
    for (int run = 0; run <= runs; ++run) {
        double start = Now();
        HWND window = OpenOn(owner, small, 65000);
        Drain();
        const double openMs = Now() - start;
        entries = static_cast<int>(SendMessageA(FileViewLineView(), LB_GETCOUNT, 0, 0));
        DestroyWindow(window);
        Drain();

        window = OpenOn(owner, large, 50ull << 20);
        Drain();
        HWND lines = FileViewLineView();
        const int last = static_cast<int>(SendMessageA(lines, LB_GETCOUNT, 0, 0)) - 1;
        SendMessageA(lines, LB_SETCURSEL, last, 0);
        start = Now();
        SendMessageA(window, WM_COMMAND, IDM_FV_DISPLAY_CONTEXT, 0);
        Drain();
        const double jumpMs = Now() - start;
        DestroyWindow(window);
        Drain();

        start = Now();
        PlainRead(large);
        const double readMs = Now() - start;
        start = Now();
        ContextScanOnly(large, 520001);
        const double scanMs = Now() - start;
        std::printf("%s %d open %.1f ms (%d entries)  jump %.1f ms  scan %.1f ms  read %.1f ms\n",
                    run == 0 ? "warm-up" : "run", run, openMs, entries, jumpMs, scanMs, readMs);
        if (run == 0) continue;
        opens.push_back(openMs);
        jumps.push_back(jumpMs);
        scans.push_back(scanMs);
        reads.push_back(readMs);
        if (readMs > 0) ratios.push_back(jumpMs / readMs);
        if (readMs > 0) scanRatios.push_back(scanMs / readMs);
    }
    std::printf(
        "RESULT fileview open_ms=%.1f entries=%d jump_ms=%.1f scan_ms=%.1f read_ms=%.1f "
        "jump_ratio=%.3f scan_ratio=%.3f\n",
        Median(opens), entries, Median(jumps), Median(scans), Median(reads), Median(ratios),
        Median(scanRatios));
    DestroyWindow(owner);
    Drain();
    return 0;
}
