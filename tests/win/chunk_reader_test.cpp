#include "search/chunk_reader_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ui/text_options.h"
#include "win_test_support.h"

namespace {

class ChunkReaderTest : public ::testing::Test, public ScanHost {
  protected:
    void ScanWarning(const std::string& text) override { FAIL() << text; }
    void NonTextFile(const std::string& path) override { AddNonTextFile(nonText, path); }
    int ShowContext(ScanState&, const ContextWindow& w) override {
        window.assign(w.text, w.length);
        return 1;
    }
    bool Contains(const std::string& name, const char* searchText, uint8_t options = 0) {
        return FileContainsText(reader, *this, folder.File(name), searchText, options);
    }
    HANDLE OpenFor(DWORD access) {
        return CreateFileA(folder.File("small.txt").c_str(), access,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    TempFolder folder;
    Win32ChunkReader reader;
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
    folder.Write("large.txt", large.replace(61436, 8, "STRADDLE"));  // over the first read's end
    folder.Write("small.txt", "alpha\r\nBeta gamma");
    folder.Write("empty.txt", "");
    folder.Write("data.bin", std::string(200000, '\x7f'));
    EXPECT_TRUE(Contains("large.txt", "straddle") && Contains("large.txt", "line 02999"));
    EXPECT_TRUE(Contains("small.txt", "beta", kTextWord));
    EXPECT_TRUE(Contains("small.txt", "gam@", kTextCase | kTextRegular));
    EXPECT_FALSE(Contains("small.txt", "beta", kTextCase) || Contains("empty.txt", "x") ||
                 Contains("missing.txt", "x") || Contains("data.bin", "x"));
    EXPECT_EQ(nonText.NonTextNames, folder.File("data.bin") + "\r\n");

    ScanState scan;
    scan.Mode = ScanMode::Context;
    scan.FirstLineNumber = 900;
    scan.LinesLoaded = 10;
    EXPECT_EQ(ScanFile(scan, reader, *this, folder.File("large.txt"), "x", 0), 1u);
    EXPECT_EQ(window, large.substr(899 * 100, 10 * 100));

    // Others may read the file while it is open but not write it; a file
    // someone is writing is skipped silently.
    ASSERT_TRUE(reader.Open(folder.File("small.txt")));
    HANDLE reading = OpenFor(GENERIC_READ), writing = OpenFor(GENERIC_WRITE);
    reader.Close();
    EXPECT_NE(reading, INVALID_HANDLE_VALUE);
    EXPECT_EQ(writing, INVALID_HANDLE_VALUE);
    CloseHandle(reading);
    HANDLE writer = OpenFor(GENERIC_WRITE);
    EXPECT_FALSE(Contains("small.txt", "alpha"));
    CloseHandle(writer);
    EXPECT_TRUE(Contains("small.txt", "alpha"));
}

}  // namespace
