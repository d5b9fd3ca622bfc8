#include "search/chunk_reader_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "search/text_options.h"
#include "win_test_support.h"

namespace {

class ChunkReaderTest : public ::testing::Test, public ScanHost {
  protected:
    void ScanWarning(const std::string& text) override { warnings.push_back(text); }
    void NonTextFile(const std::string& path) override { AddNonTextFile(nonText, path); }
    bool IsFileViewOpen() override { return true; }
    int ShowContext(ScanState&, const ContextWindow& w) override {
        window.assign(w.text, w.length);
        return 1;
    }
    bool Contains(const std::string& name, const char* searchText, uint8_t options) {
        return FileContainsText(reader, *this, folder.File(name), searchText, options);
    }

    TempFolder folder;
    Win32ChunkReader reader;
    std::vector<std::string> warnings;
    NonTextList nonText;
    std::string window;
};

TEST_F(ChunkReaderTest, SearchesRealFiles) {
    std::string large;
    for (int i = 0; i < 3000; ++i) {
        char line[101];
        snprintf(line, sizeof line, "line %05d%*s\r\n", i, 88, "");  // 100 bytes with CR LF
        large += line;
    }
    folder.Write("large.txt", large.substr(0, 61436) + "STRADDLE" + large.substr(61444) + "last");
    folder.Write("small.txt", "alpha\r\nBeta gamma");
    folder.Write("empty.txt", "");
    folder.Write("data.bin", std::string(200000, '\x7f'));

    EXPECT_TRUE(Contains("large.txt", "straddle", 0));  // over the end of the first read
    EXPECT_TRUE(Contains("large.txt", "line 02999", kTextCase));
    EXPECT_FALSE(Contains("large.txt", "line 03000", kTextCase));
    EXPECT_TRUE(Contains("small.txt", "beta", kTextWord));
    EXPECT_FALSE(Contains("small.txt", "beta", kTextCase));
    EXPECT_TRUE(Contains("small.txt", "gam@", kTextCase | kTextRegular));
    EXPECT_FALSE(Contains("empty.txt", "x", 0));
    EXPECT_FALSE(Contains("missing.txt", "x", 0));
    EXPECT_FALSE(Contains("data.bin", "x", 0));
    EXPECT_EQ(nonText.NonTextNames, folder.File("data.bin") + "\r\n");
    EXPECT_TRUE(warnings.empty());

    ScanState scan;
    scan.Mode = ScanMode::LineList;
    EXPECT_EQ(ScanFile(scan, reader, *this, folder.File("large.txt"), "last", kTextCase), 1u);
    EXPECT_EQ(scan.CurrentLineNumber, 3000u);
    scan.Mode = ScanMode::Context;
    scan.FirstLineNumber = 900;
    scan.LinesLoaded = 10;
    scan.EntryLineNumber = 905;
    EXPECT_EQ(ScanFile(scan, reader, *this, folder.File("large.txt"), "x", 0), 1u);
    EXPECT_EQ(window, large.substr(899 * 100, 10 * 100));
}

// The reader lets others read the file but not write it; a file someone is
// writing is skipped silently.
TEST_F(ChunkReaderTest, LetsOthersReadButNotWrite) {
    folder.Write("shared.txt", "shared");
    const std::string path = folder.File("shared.txt");
    auto open = [&](DWORD access) {
        HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        return std::unique_ptr<void, decltype(&CloseHandle)>(
            file == INVALID_HANDLE_VALUE ? nullptr : file, &CloseHandle);
    };
    ASSERT_TRUE(reader.Open(path));
    EXPECT_NE(open(GENERIC_READ), nullptr);
    EXPECT_EQ(open(GENERIC_WRITE), nullptr);
    reader.Close();
    {
        auto writer = open(GENERIC_WRITE);
        ASSERT_NE(writer, nullptr);
        EXPECT_FALSE(Contains("shared.txt", "shared", 0));
    }
    EXPECT_TRUE(Contains("shared.txt", "shared", 0));
    EXPECT_TRUE(warnings.empty());
}

}  // namespace
