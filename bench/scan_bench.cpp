// The scan's own speed, natively: ScanFile in Search mode over a file held
// in memory (so no disk and no system calls are timed), against glibc's
// memmem over the same bytes. Built without sanitizers, at -O2.
//   bench_scan <file> <runs>
// Prints every run and then the medians as throughput in MB/s (10^6 bytes).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "search/scan.h"
#include "ui/text_options.h"

namespace {

// A file already in memory, read the way the scan reads a real one.
class MemoryChunkReader : public ChunkReader {
  public:
    explicit MemoryChunkReader(const std::string& bytes) : bytes_(bytes) {}
    bool Open(const std::string&) override {
        position_ = 0;
        return true;
    }
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
    int64_t Read(char* buffer, uint32_t count) override {
        const size_t n = std::min<size_t>(count, bytes_.size() - position_);
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return static_cast<int64_t>(n);
    }
    bool SetPosition(int64_t position) override {
        position_ = static_cast<size_t>(position);
        return true;
    }
    void Close() override {}

  private:
    const std::string& bytes_;
    size_t position_ = 0;
};

class QuietHost : public ScanHost {
  public:
    void ScanWarning(const std::string& text) override {
        std::printf("warning: %s\n", text.c_str());
    }
    void NonTextFile(const std::string&) override { std::printf("warning: not a text file\n"); }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Work>
double TimeMs(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_scan <file> <runs>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int runs = std::atoi(argv[2]);
    if (bytes.empty() || runs < 1) {
        std::fprintf(stderr, "bench_scan: cannot read %s or bad run count\n", argv[1]);
        return 2;
    }
    const char* kNeedle = "needle";
    MemoryChunkReader reader(bytes);
    QuietHost host;

    std::vector<double> memmemTimes, plainTimes, caseBlindTimes;
    bool allFound = true;
    for (int run = 0; run <= runs; ++run) {
        const void* at = nullptr;
        const double memmemMs =
            TimeMs([&] { at = memmem(bytes.data(), bytes.size(), kNeedle, 6); });
        bool plain = false;
        bool caseBlind = false;
        const double plainMs =
            TimeMs([&] { plain = FileContainsText(reader, host, "big.txt", kNeedle, kTextCase); });
        const double caseBlindMs =
            TimeMs([&] { caseBlind = FileContainsText(reader, host, "big.txt", "Needle", 0); });
        allFound = allFound && at != nullptr && plain && caseBlind;
        std::printf("%s %d memmem %.1f ms  plain %.1f ms  case-blind %.1f ms\n",
                    run == 0 ? "warm-up" : "run", run, memmemMs, plainMs, caseBlindMs);
        if (run == 0) continue;
        memmemTimes.push_back(memmemMs);
        plainTimes.push_back(plainMs);
        caseBlindTimes.push_back(caseBlindMs);
    }
    const double megabytes = static_cast<double>(bytes.size()) / 1e6;
    std::printf("RESULT scan bytes=%zu memmem_mbs=%.0f plain_mbs=%.0f nocase_mbs=%.0f found=%s\n",
                bytes.size(), megabytes / Median(memmemTimes) * 1000,
                megabytes / Median(plainTimes) * 1000, megabytes / Median(caseBlindTimes) * 1000,
                allFound ? "yes" : "no");
    return allFound ? 0 : 1;
}
