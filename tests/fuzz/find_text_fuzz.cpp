// Find and replace over EditView's text: a plain search agrees with a simple
// reference search both ways and with Case on and off, a Regular find text
// without special characters finds what the plain one does, Word accepts
// only an occurrence between non-word characters, every found range lies in
// the text, and Replace All replaces what a reference loop does and ends.

#include <string>

#include "fileview/find_text.h"
#include "fuzz_input.h"
#include "search/matcher.h"

namespace {

// Down: the first occurrence at or after position. Up: the one ending
// nearest before position (among equal ends, the one found from the right).
bool Reference(const std::string& text, uint32_t position, bool down, const std::string& find,
               uint32_t& start) {
    const size_t at = down                     ? text.find(find, position)
                      : position < find.size() ? std::string::npos
                                               : text.rfind(find, position - find.size());
    start = static_cast<uint32_t>(at);
    return at != std::string::npos;
}

class Edit : public EditBuffer {
  public:
    std::string text;
    uint32_t selStart = 0, selEnd = 0;
    std::string Text() override { return text; }
    void GetSelection(uint32_t& start, uint32_t& end) override { start = selStart, end = selEnd; }
    void SetSelection(uint32_t start, uint32_t end) override {
        FUZZ_CHECK(start <= end && end <= text.size());
        selStart = start, selEnd = end;
    }
    void ReplaceSelectionWith(std::string_view with) override {
        text.replace(selStart, selEnd - selStart, with);
        selStart = selEnd = selStart + static_cast<uint32_t>(with.size());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t bits = input.Byte();
    FindFlags flags{.Down = (bits & 1) != 0, .MatchCase = (bits & 2) != 0, .WholeWord = (bits & 4) != 0,
                    .Regular = (bits & 8) != 0};
    const uint32_t position = input.Word32() % 8192;
    const std::string find = input.Piece(kFindTextLimit);
    const std::string replace = input.Piece(64);
    // EditView's text, like the edit control's, ends at its first zero byte.
    std::string text = input.Rest();
    text.resize(std::min(text.size(), text.find('\0')));
    const auto clamped = std::min<uint32_t>(position, static_cast<uint32_t>(text.size()));

    uint32_t start = 0, length = 0;
    const bool found = FindOccurrence(text, position, flags, find, start, length);
    if (found) {
        FUZZ_CHECK(length > 0 && start + length <= text.size());
        FUZZ_CHECK(flags.Down ? start >= clamped : start + length <= clamped);
        if (flags.WholeWord) {
            FUZZ_CHECK(!IsWordAt(text, long(start) - 1) && !IsWordAt(text, long(start + length)));
            // Word only ever takes the nearest occurrence away.
            FindFlags any = flags;
            any.WholeWord = false;
            uint32_t anyStart = 0, anyLength = 0;
            FUZZ_CHECK(FindOccurrence(text, position, any, find, anyStart, anyLength) &&
                       anyStart == start && anyLength == length);
        }
    }
    if (find.empty() || find.find('\0') != std::string::npos) return 0;

    // The plain search, and Regular without special characters, against the
    // reference.
    const std::string seen = flags.MatchCase ? text : Lowered(text);
    const std::string wanted = flags.MatchCase ? find : Lowered(find);
    uint32_t expected = 0;
    const bool exists = Reference(seen, clamped, flags.Down, wanted, expected);
    FindFlags plain = flags;
    plain.WholeWord = false;
    for (bool regular : {false, true}) {
        if (regular && HasPatternCharacters(find)) break;
        plain.Regular = regular;
        FUZZ_CHECK(FindOccurrence(text, position, plain, find, start, length) == exists);
        if (exists) FUZZ_CHECK(start == expected && length == find.size());
    }

    // Replace All from the top: each occurrence replaced once, the run ends;
    // a text that would grow too long at any step is left whole.
    if (HasPatternCharacters(find) && flags.Regular) return 0;
    if (text.size() >= kFileViewCapacity) return 0;
    Edit edit;
    edit.text = text, plain.Regular = flags.Regular;
    const ReplaceAllResult all = ReplaceAllInEditView(edit, plain, find, replace);
    uint32_t replaced = 0;
    bool fits = true;
    std::string result = text;
    for (size_t at = 0, shift = 0; (at = seen.find(wanted, at)) != std::string::npos;
         at += wanted.size(), ++replaced) {
        result.replace(at + shift, wanted.size(), replace);
        shift += replace.size() - wanted.size();
        if (result.size() >= kFileViewCapacity) fits = false;
    }
    FUZZ_CHECK(all.noRoom == !fits && all.count == (fits ? replaced : 0) && edit.text == (fits ? result : text));
    return 0;
}
