#include "results/presentation.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ctime>
#include <string>
#include <vector>

namespace {

// A clock that puts every moment at the given local fields and remembers the
// moment it was asked about.
struct FakeClock {
    LocalTimeFields fields;
    int64_t asked = 0;
    LocalTimeConverter Converter() {
        return [this](int64_t seconds, LocalTimeFields& out) {
            asked = seconds;
            out = fields;
            return seconds >= -11644473600;  // nothing before 1601, as on Windows
        };
    }
};

FakeClock At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    FakeClock clock;
    clock.fields = {year, month, day, hour, minute, second};
    return clock;
}

RegionalSettings Regional(int iDate, const char* sDate, const char* sTime = ":") {
    RegionalSettings regional;
    regional.iDate = iDate;
    regional.sDate = sDate;
    regional.sTime = sTime;
    return regional;
}

TEST(Presentation, ShortDateFollowsRegionalOrderAndSeparator) {
    const struct {
        int year, month, day, iDate;
        const char* separator;
        const char* expected;
    } cases[] = {
        {1999, 12, 31, 1, ".", "31.12.99"},  {1999, 12, 31, 2, ".", "99.12.31"},
        {1999, 12, 31, 0, "-", "12-31-99"},  {1998, 3, 7, 0, "-", "03-07-98"},
        {1998, 3, 7, 1, "/", "07/03/98"},    {1998, 3, 7, 2, "/", "98/03/07"},
        {1998, 3, 7, -1, ".", "03.07.98"},   {2000, 1, 1, 1, ".", "01.01.00"},
        {1998, 3, 7, 1, ". ", "07. 03. 98"}, {1998, 3, 7, 1, "", "070398"},
    };
    for (const auto& c : cases) {
        FakeClock clock = At(c.year, c.month, c.day);
        EXPECT_EQ(FormatShortDate(1, Regional(c.iDate, c.separator), clock.Converter()), c.expected)
            << c.year << "-" << c.month << "-" << c.day << " iDate " << c.iDate;
    }
}

TEST(Presentation, TimeOfDayIsAlways24HourWithTwoDigits) {
    const struct {
        int hour, minute, second;
        const char* separator;
        const char* expected;
    } cases[] = {
        {9, 5, 3, ":", "09:05:03"},    {14, 5, 9, ":", "14:05:09"}, {14, 5, 9, ".", "14.05.09"},
        {23, 59, 59, ":", "23:59:59"}, {0, 0, 0, ":", "00:00:00"},
    };
    for (const auto& c : cases) {
        FakeClock clock = At(1998, 3, 7, c.hour, c.minute, c.second);
        EXPECT_EQ(FormatTimeOfDay(1, Regional(1, ".", c.separator), clock.Converter()), c.expected);
    }
}

TEST(Presentation, FullTimeReachesTheConversion) {
    // Before 1970 and after 2038 are converted, not cut to 32 bits.
    const int64_t times[] = {-2208988800, 2214131696, int64_t{1} << 40};
    for (int64_t time : times) {
        FakeClock clock = At(2040, 2, 29, 12, 34, 56);
        EXPECT_EQ(FormatShortDate(time, Regional(2, "-"), clock.Converter()), "40-02-29");
        EXPECT_EQ(clock.asked, time);
        EXPECT_EQ(FormatTimeOfDay(time, Regional(2, "-"), clock.Converter()), "12:34:56");
        EXPECT_EQ(clock.asked, time);
    }
}

TEST(Presentation, ZeroDateIsTodayButZeroTimeIsMidnight1970) {
    FakeClock clock = At(1970, 1, 1);
    int64_t before = std::time(nullptr);
    FormatShortDate(0, Regional(1, "."), clock.Converter());
    EXPECT_GE(clock.asked, before);
    EXPECT_LE(clock.asked, static_cast<int64_t>(std::time(nullptr)));
    FormatTimeOfDay(0, Regional(1, "."), clock.Converter());
    EXPECT_EQ(clock.asked, 0);
}

TEST(Presentation, UnconvertibleTimeGivesEmptyText) {
    FakeClock clock = At(1998, 3, 7);
    EXPECT_EQ(FormatShortDate(INT64_MIN, Regional(1, "."), clock.Converter()), "");
    EXPECT_EQ(FormatTimeOfDay(INT64_MIN, Regional(1, "."), clock.Converter()), "");
}

TEST(Presentation, DateLabelNamesFieldsInRegionalOrder) {
    EXPECT_EQ(DateLabelText(Regional(1, "-")), "Date(dd-mm-yy)");
    EXPECT_EQ(DateLabelText(Regional(2, ".")), "Date(yy.mm.dd)");
    EXPECT_EQ(DateLabelText(Regional(0, "/")), "Date(mm/dd/yy)");
    EXPECT_EQ(DateLabelText(Regional(9, "-")), "Date(mm-dd-yy)");
}

// A shell that spells every component in capitals, knows nothing called
// "gone", and records what it was asked.
struct FakeShell {
    std::vector<std::string> asked;
    ComponentDisplayName Names() {
        return [this](const std::string& parent, const std::string& component, std::string& name) {
            asked.push_back(parent + "|" + component);
            if (component == "gone") return false;
            name = component;
            for (char& ch : name)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            return true;
        };
    }
};

TEST(Presentation, PathShowsRootInCapitalsAndEachComponentAsTheShellSpellsIt) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"c:\\windows\\system", "C:\\WINDOWS\\SYSTEM"},
        {"c:\\windows\\system\\", "C:\\WINDOWS\\SYSTEM"},
        {"c:\\", "C:\\"},
        {"d:", "D:\\"},
        {"c:\\gone\\sub", "C:\\gone\\SUB"},
        {"c:\\a\\\\b", "C:\\A\\B"},
        {"\\\\server\\share\\dir", "\\\\server\\share\\DIR"},
        {"\\\\server\\share", "\\\\server\\share"},
    };
    for (const auto& c : cases) {
        FakeShell shell;
        EXPECT_EQ(NormalizePathForDisplay(c.path, shell.Names()), c.expected) << c.path;
    }
}

TEST(Presentation, PathComponentsAreLookedUpInTheirStoredParents) {
    FakeShell shell;
    NormalizePathForDisplay("c:\\gone\\sub\\x", shell.Names());
    EXPECT_EQ(shell.asked,
              (std::vector<std::string>{"C:\\|gone", "C:\\gone\\|sub", "C:\\gone\\sub\\|x"}));
}

CellTextSources Sources(bool fileExists) {
    CellTextSources sources;
    sources.displayName = [fileExists](const std::string& path, std::string& name) {
        if (!fileExists) return false;
        name = "shown:" + path;
        return true;
    };
    sources.displayDirectory = [](const std::string& directory) { return "dir:" + directory; };
    sources.toLocal = [](int64_t seconds, LocalTimeFields& f) {
        f = seconds == 0 ? LocalTimeFields{1970, 1, 1, 0, 0, 0}
                         : LocalTimeFields{1999, 12, 31, 12, 0, 0};
        return true;
    };
    sources.regional = Regional(1, ".");
    return sources;
}

TEST(Presentation, CellTextsOfEachColumn) {
    FileInfoItem item;
    item.directory = "c:\\";
    item.name = "a.txt";
    item.size = 4294967296u;
    item.modified = 946641600;
    const char* expected[kColumnCount] = {"shown:c:\\a.txt", "4294967296", "31.12.99", "12:00:00",
                                          "dir:c:\\"};
    for (int column = 0; column < kColumnCount; ++column) {
        std::string text = "old";
        EXPECT_TRUE(FillCellText(item, column, Sources(true), text));
        EXPECT_EQ(text, expected[column]) << "column " << column;
    }
    for (int column : {-1, int{kColumnCount}}) {
        std::string text = "old";
        EXPECT_FALSE(FillCellText(item, column, Sources(true), text));
        EXPECT_EQ(text, "old");
    }
}

TEST(Presentation, DeletedFileKeepsAllCellsButItsName) {
    FileInfoItem item;
    item.directory = "c:\\data";
    item.name = "b.txt";
    item.size = 7;
    item.modified = 0;  // stamped at the start of 1970: shown as such, not as today
    std::string text;
    ASSERT_TRUE(FillCellText(item, kColumnFilename, Sources(false), text));
    EXPECT_EQ(text, "");
    FillCellText(item, kColumnSize, Sources(false), text);
    EXPECT_EQ(text, "7");
    FillCellText(item, kColumnDate, Sources(false), text);
    EXPECT_EQ(text, "01.01.70");
}

}  // namespace
