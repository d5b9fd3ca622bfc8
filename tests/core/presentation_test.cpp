#include "results/presentation.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ctime>
#include <string>

namespace {

// A clock that puts every moment at the given local fields and remembers the moment asked about.
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

RegionalSettings Regional(int iDate, const char* sDate, const char* sTime = ":") {
    return {iDate, sDate, sTime};
}

TEST(Presentation, DateFollowsRegionalOrderAndSeparatorTimeIs24Hour) {
    // clang-format off
    const struct { LocalTimeFields at; int iDate; const char* sep; const char* date; const char* time; } cases[] = {
        {{1999, 12, 31, 9, 5, 3}, 1, ".", "31.12.99", "09:05:03"},
        {{1999, 12, 31, 14, 5, 9}, 2, ".", "99.12.31", "14:05:09"},
        {{1999, 12, 31, 0, 0, 0}, 0, "-", "12-31-99", "00:00:00"},
        {{1998, 3, 7, 23, 59, 59}, 1, "/", "07/03/98", "23:59:59"},
        {{1998, 3, 7, 0, 0, 0}, 2, "/", "98/03/07", "00:00:00"},
        {{1998, 3, 7, 0, 0, 0}, -1, ".", "03.07.98", "00:00:00"},
        {{2000, 1, 1, 0, 0, 0}, 1, ". ", "01. 01. 00", "00:00:00"}};
    // clang-format on
    for (const auto& c : cases) {
        FakeClock clock{c.at};
        EXPECT_EQ(FormatShortDate(1, Regional(c.iDate, c.sep), clock.Converter()), c.date);
        EXPECT_EQ(FormatTimeOfDay(1, Regional(c.iDate, c.sep), clock.Converter()), c.time);
    }
    EXPECT_EQ(FormatTimeOfDay(1, Regional(1, ".", "."), FakeClock{{1998, 3, 7, 14, 5, 9}}.Converter()), "14.05.09");
    EXPECT_EQ(DateLabelText(Regional(2, ".")), "Date(yy.mm.dd)");
    EXPECT_EQ(DateLabelText(Regional(9, "-")), "Date(mm-dd-yy)");
}

TEST(Presentation, FullTimesReachTheConversionAndZeroDateIsToday) {
    // Before 1970 and after 2038 are converted, not cut to 32 bits.
    for (int64_t time : {int64_t{-2208988800}, int64_t{2214131696}, int64_t{1} << 40}) {
        FakeClock clock{{2040, 2, 29, 12, 34, 56}};
        EXPECT_EQ(FormatShortDate(time, Regional(2, "-"), clock.Converter()), "40-02-29");
        EXPECT_EQ(clock.asked, time);
    }
    FakeClock clock{{1970, 1, 1, 0, 0, 0}};
    int64_t before = std::time(nullptr);
    FormatShortDate(0, Regional(1, "."), clock.Converter());
    EXPECT_GE(clock.asked, before);
    FormatTimeOfDay(0, Regional(1, "."), clock.Converter());
    EXPECT_EQ(clock.asked, 0);
    EXPECT_EQ(FormatShortDate(INT64_MIN, Regional(1, "."), clock.Converter()), "");
}

TEST(Presentation, PathShowsRootInCapitalsAndEachComponentAsTheShellSpellsIt) {
    // The shell spells every component in capitals and knows nothing called "gone".
    auto names = [](const std::string&, const std::string& component, std::string& name) {
        name = component;
        for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        return component != "gone";
    };
    const std::pair<const char*, const char*> cases[] = {
        {"d:", "D:\\"}, {"c:\\gone\\a\\\\b\\", "C:\\gone\\A\\B"}, {"\\\\server\\share\\dir", "\\\\server\\share\\DIR"}};
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(NormalizePathForDisplay(path, names), expected) << path;
}

}  // namespace
