// Date fields and size bounds: a date that passes is a real calendar day no
// later than today, the number fields agree with a plain reading of their
// digits, and the size test agrees with exact arithmetic.

#include <cstdlib>
#include <string>

#include "fuzz_input.h"
#include "search/criteria.h"

namespace {

// The Less and More boxes as a careful reader takes them: blanks, digits,
// blanks, and a value that fits 32 bits.
bool ReferenceUnsigned(const std::string& text, uint32_t& value) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const size_t last = text.find_last_not_of(' ');
    const std::string digits = text.substr(first, last - first + 1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    const std::string significant =
        digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1));
    if (significant.size() > 10) return false;
    const unsigned long long number = std::strtoull(significant.c_str(), nullptr, 10);
    if (number > UINT32_MAX) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

bool RealDay(const DateTriple& date) {
    return date.day >= 1 && date.day <= 31 && date.month >= 1 && date.month <= 12 && date.year >= 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const int dateOrder = input.Byte() % 4;
    const DateTriple today{1 + input.Byte() % 28, 1 + input.Byte() % 12, 1980 + input.Byte() % 200};
    const std::string from = input.Piece(64);
    const std::string to = input.Piece(64);
    const std::string less = input.Piece(64);
    const std::string more = input.Piece(64);
    const uint64_t fileSize = uint64_t{input.Word32()} << (input.Byte() % 33);
    const int lessUnit = input.Byte() % 3;
    const int moreUnit = input.Byte() % 3;

    DateTriple date;
    const int parsed = ParseDateField(from, dateOrder, today, date);
    FUZZ_CHECK(parsed >= 0 && parsed <= 2);
    if (parsed != 0)
        FUZZ_CHECK(RealDay(date) && CompareDates(date, today) <= 0 && (parsed == 2) == (CompareDates(date, today) == 0));

    SearchCriteria criteria;
    const int checked = CheckDateCriteria(criteria, from, to, dateOrder, today);
    FUZZ_CHECK(checked >= -2 && checked <= 1);
    if (checked == 1) {
        const SearchCriteria& c = criteria;
        FUZZ_CHECK(CompareDates(c.DateFrom, c.DateTo) <= 0 && CompareDates(c.DateTo, today) <= 0);
        FUZZ_CHECK(DateInRange(c, c.DateFrom) && DateInRange(c, c.DateTo));
    }

    uint32_t value = 0, expected = 0;
    const bool ok = ParseUnsignedField(less, value);
    FUZZ_CHECK(ok == ReferenceUnsigned(less, expected));
    if (ok) FUZZ_CHECK(value == expected);

    const int bounds = SetSizeBounds(criteria, less, more);
    FUZZ_CHECK(bounds == 0 || bounds == -1 || bounds == -2);
    if (bounds == 0) {
        SearchCriteria& c = criteria;
        c.SizeLessUnit = SizeUnitFromIndex(lessUnit);
        c.SizeMoreUnit = SizeUnitFromIndex(moreUnit);
        const unsigned __int128 atMost = static_cast<unsigned __int128>(c.SizeLess.value_or(0)) * c.SizeLessUnit;
        const unsigned __int128 atLeast = static_cast<unsigned __int128>(c.SizeMore) * c.SizeMoreUnit;
        const bool inRange = (!c.SizeLess || fileSize <= atMost) && fileSize >= atLeast;
        FUZZ_CHECK(SizeInRange(c, fileSize) == inRange);
    }
    return 0;
}
