#include "search/chunk_reader_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "search/text_options.h"
#include "win_test_support.h"

namespace {

class RecordingHost : public ScanHost {
  public:
    std::vector<std::string> warnings;
    NonTextList nonText;
    std::string window;

    void ScanWarning(const std::string& text) override { warnings.push_back(text); }
    void NonTextFile(const std::string& path) override { AddNonTextFile(nonText, path); }
    bool IsFileViewOpen() override { return true; }
    int ShowContext(ScanState&, const ContextWindow& w) override {
        window.assign(w.text, w.length);
        return 1;
    }
};

// Numbered CRLF lines of 100 bytes each.
std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char head[16];
        snprintf(head, sizeof head, "line %05d", i);
        std::string line = head;
        line.resize(98, ' ');
        text += line + "\r\n";
    }
    return text;
}

class ChunkReaderTest : public ::testing::Test {
  protected:
    bool Contains(const std::string& name, const char* searchText, uint8_t options) {
        return FileContainsText(reader_, host_, folder_.File(name), searchText, options);
    }

    TempFolder folder_;
    Win32ChunkReader reader_;
    RecordingHost host_;
};

TEST_F(ChunkReaderTest, SearchesRealFiles) {
    std::string large = Lines(3000);
    large.replace(61436, 8, "STRADDLE");  // over the end of the first read
    folder_.Write("large.txt", large);
    folder_.Write("small.txt", "alpha\r\nBeta gamma");
    folder_.Write("empty.txt", "");

    EXPECT_TRUE(Contains("large.txt", "straddle", 0));
    EXPECT_TRUE(Contains("large.txt", "line 02999", kTextCase));
    EXPECT_FALSE(Contains("large.txt", "line 03000", kTextCase));
    EXPECT_TRUE(Contains("small.txt", "beta", kTextWord));
    EXPECT_FALSE(Contains("small.txt", "beta", kTextCase));
    EXPECT_TRUE(Contains("small.txt", "gam@", kTextCase | kTextRegular));
    EXPECT_FALSE(Contains("empty.txt", "x", 0));
    EXPECT_FALSE(Contains("missing.txt", "x", 0));
    EXPECT_TRUE(host_.warnings.empty());
    EXPECT_EQ(host_.nonText.NonTextCount, 0);
}

TEST_F(ChunkReaderTest, RecordsLargeBinaryFiles) {
    folder_.Write("data.bin", std::string(200000, '\x7f'));
    EXPECT_FALSE(Contains("data.bin", "x", 0));
    EXPECT_EQ(host_.nonText.NonTextCount, 1);
    EXPECT_EQ(host_.nonText.NonTextNames, folder_.File("data.bin") + "\r\n");
}

TEST_F(ChunkReaderTest, CountsLinesAndFindsContextWindows) {
    const std::string text = Lines(2000) + "last";
    folder_.Write("lines.txt", text);
    ScanState scan;
    scan.Mode = ScanMode::LineList;
    EXPECT_EQ(ScanFile(scan, reader_, host_, folder_.File("lines.txt"), "last", kTextCase), 1u);
    EXPECT_EQ(scan.CurrentLineNumber, 2000u);

    scan.Mode = ScanMode::Context;
    scan.FirstLineNumber = 900;
    scan.LinesLoaded = 10;
    scan.EntryLineNumber = 905;
    EXPECT_EQ(ScanFile(scan, reader_, host_, folder_.File("lines.txt"), "x", 0), 1u);
    EXPECT_EQ(host_.window, text.substr(899 * 100, 10 * 100));
}

TEST_F(ChunkReaderTest, LetsOthersReadButNotWrite) {
    folder_.Write("shared.txt", "shared");
    const std::string path = folder_.File("shared.txt");
    ASSERT_TRUE(reader_.Open(path));
    HANDLE reading = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reading, INVALID_HANDLE_VALUE);
    if (reading != INVALID_HANDLE_VALUE) CloseHandle(reading);
    HANDLE writing = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writing, INVALID_HANDLE_VALUE);
    if (writing != INVALID_HANDLE_VALUE) CloseHandle(writing);
    reader_.Close();

    // A file someone is writing is skipped silently.
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Contains("shared.txt", "shared", 0));
    CloseHandle(writer);
    EXPECT_TRUE(Contains("shared.txt", "shared", 0));
    EXPECT_TRUE(host_.warnings.empty());
}

}  // namespace
