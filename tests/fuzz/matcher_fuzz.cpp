// The text matcher over (search text, text) pairs: a plain search agrees
// with a naive one, Case off agrees with lower-casing both sides, a Regular
// search text without special characters agrees with the plain search, and
// no search reads outside its text.

#include <cstring>
#include <memory>
#include <string>

#include "fuzz_input.h"
#include "search/matcher.h"
#include "ui/text_options.h"

namespace {

// The first place where needle occurs in text before its first zero byte.
long NaiveFind(const std::string& text, const std::string& needle) {
    const std::string visible = text.substr(0, text.find('\0'));
    if (needle.empty()) return -1;
    const size_t at = visible.find(needle);
    return at == std::string::npos ? -1 : static_cast<long>(at);
}

// FindMatch over a heap copy of exactly text's size (no terminator), so a
// read beyond it is an error the sanitizer sees. Result: offset or -1.
long Find(const std::string& text, const std::string& searchText, uint8_t options,
          uint32_t* length) {
    std::unique_ptr<char[]> copy(new char[text.size() + 1]);
    std::memcpy(copy.get(), text.data(), text.size());
    const char* found = FindMatch(copy.get(), text.size(), searchText.c_str(), options, length);
    if (found == nullptr) return -1;
    FUZZ_CHECK(found >= copy.get() && found < copy.get() + text.size());
    return found - copy.get();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t options = input.Byte();
    const std::string searchText = input.Piece(kPatternSize - 1);
    const std::string text = input.Rest();
    uint32_t length = 0;

    // Plain, Case on: the naive search's answer.
    const long plain = Find(text, searchText, 0, &length);
    FUZZ_CHECK(plain == NaiveFind(text, searchText));
    if (plain >= 0) FUZZ_CHECK(length == searchText.size());

    // Case off: both sides lower-cased, as the scan does.
    std::string lowerText = text, lowerSearch = searchText;
    LowerCaseText(lowerText.data(), lowerText.size());
    LowerCaseText(lowerSearch.data(), lowerSearch.size());
    FUZZ_CHECK(lowerText == Lowered(text));
    FUZZ_CHECK(Find(lowerText, lowerSearch, 0, &length) == NaiveFind(Lowered(text), Lowered(searchText)));

    // Regular without special characters is the plain search.
    if (!HasPatternCharacters(searchText)) {
        FUZZ_CHECK(Find(text, searchText, kTextRegular, &length) == plain);
        if (plain >= 0) FUZZ_CHECK(length == searchText.size());
    }

    // Any Regular search text: the match lies inside the text, and the
    // bounded and the zero-terminated forms agree.
    const long regular = Find(text, searchText, options | kTextRegular, &length);
    const size_t visible = std::min(text.size(), text.find('\0'));
    if (regular >= 0 && length != kMalformedSetLength)
        FUZZ_CHECK(length <= kMaxMatchLength && static_cast<size_t>(regular) + length <= visible);
    const std::string terminated = text.substr(0, visible);
    uint32_t terminatedLength = 0;
    const char* again = FindMatch(terminated.c_str(), searchText.c_str(), kTextRegular, &terminatedLength);
    FUZZ_CHECK((again ? again - terminated.c_str() : -1) == regular && terminatedLength == length);

    // The compiler keeps within its buffer whatever length it is given.
    std::unique_ptr<char[]> pattern(new char[kPatternSize]);
    const int compiled = CompilePattern(searchText.c_str(), static_cast<int>(searchText.size()), pattern.get());
    FUZZ_CHECK(compiled >= -1 && compiled < kPatternSize);

    // The Word test looks at most one byte either side of an occurrence.
    if (plain >= 0) {
        std::string bounded = text.substr(0, visible) + '\0';
        PassesWordTest(bounded.c_str(), bounded.c_str() + plain, searchText.size());
    }
    return 0;
}
