#include "search/matcher.h"

#include <array>
#include <cstring>

#include "ui/text_options.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define QUARRY_SSE2 1
#endif

namespace {

enum : uint8_t { kWord = 1, kSeparator = 2 };

constexpr std::array<uint8_t, 256> MakeClasses() {
    std::array<uint8_t, 256> classes{};
    for (int c = '0'; c <= '9'; ++c) classes[c] = kWord;
    for (int c = 'A'; c <= 'Z'; ++c) classes[c] = kWord;
    for (int c = 'a'; c <= 'z'; ++c) classes[c] = kWord;
    for (int c : {' ', '\t', '\n', '\v', '\f', '\r'}) classes[c] = kSeparator;
    for (int c = 33; c <= 126; ++c) {
        if (classes[c] == 0) classes[c] = kSeparator;  // punctuation
    }
    return classes;
}

constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

#if QUARRY_SSE2
unsigned CountTrailingZeros(unsigned mask) {
    return static_cast<unsigned>(__builtin_ctz(mask));
}
#endif

// The plain search: the first place in text[0, size) where needle[0, n)
// occurs, not looking past the first zero byte. A first-byte and last-byte
// filter over 16 positions at a time keeps the exact compare for the few
// candidates; the text is never read beyond `size`.
const char* FindPlain(const char* text, size_t size, const char* needle, size_t n) {
    if (n == 0 || n > size) {
        return nullptr;
    }
    const char first = needle[0];
    const char last = needle[n - 1];
    const size_t middle = n > 2 ? n - 2 : 0;
    size_t i = 0;
#if QUARRY_SSE2
    const __m128i firsts = _mm_set1_epi8(first);
    const __m128i lasts = _mm_set1_epi8(last);
    const __m128i zeros = _mm_setzero_si128();
    while (i + n - 1 + 16 <= size) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + n - 1));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(head, firsts), _mm_cmpeq_epi8(tail, lasts))));
        const unsigned zeroMask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(head, zeros)));
        if (zeroMask != 0) {
            mask &= (zeroMask & (0u - zeroMask)) - 1;  // only places before the terminator
        }
        while (mask != 0) {
            const char* candidate = text + i + CountTrailingZeros(mask);
            if (std::memcmp(candidate + 1, needle + 1, middle) == 0) {
                return candidate;
            }
            mask &= mask - 1;
        }
        if (zeroMask != 0) {
            return nullptr;
        }
        i += 16;
    }
#endif
    for (; i + n <= size; ++i) {
        if (text[i] == 0) {
            return nullptr;
        }
        if (text[i] == first && text[i + n - 1] == last &&
            std::memcmp(text + i + 1, needle + 1, middle) == 0) {
            return text + i;
        }
    }
    return nullptr;
}

// The first place at or after `from` that holds c, a zero byte, or lies at
// `size`: where a Regular attempt that starts with a literal can begin, or
// the end of the text. Vector loads only where all 16 bytes lie within size;
// an unbounded text (size SIZE_MAX) is read one byte at a time.
size_t SkipToByteOrEnd(const char* text, size_t from, size_t size, char c) {
    size_t i = from;
#if QUARRY_SSE2
    if (size != SIZE_MAX) {
        const __m128i wanted = _mm_set1_epi8(c);
        const __m128i zeros = _mm_setzero_si128();
        for (; i + 16 <= size; i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
            const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(bytes, wanted), _mm_cmpeq_epi8(bytes, zeros))));
            if (mask != 0) return i + CountTrailingZeros(mask);
        }
    }
#endif
    while (i < size && text[i] != 0 && text[i] != c) ++i;
    return i;
}

// The matcher's state for one run of a compiled pattern. The text ends at
// its first zero byte or at `size`; positions are indices into it.
class PatternRun {
  public:
    PatternRun(const char* text, size_t size, const char* pattern)
        : text_(text), size_(size), pattern_(pattern) {}

    const char* Run(uint32_t* length);

  private:
    enum class Step { kGoOn, kNoMatch };

    bool AtEnd(size_t t) const { return t >= size_ || text_[t] == 0; }

    void Begin(size_t k, size_t m, const char* set) {
        inAttempt_ = true;
        s_ = t_;
        r_ = t_;
        if (k > 0) SetElement(set, k);
        t_ += 1;
        p_ += m;
    }
    void Advance(size_t a, size_t m, const char* set, size_t k) {
        SetElement(set, k);
        t_ += a;
        p_ += m;
    }
    // A failed attempt restarts one character after its start. The escape
    // state goes off too: the pattern is read again from its first element.
    void Fail() {
        p_ = 0;
        inAttempt_ = false;
        element_ = nullptr;
        elementLength_ = 0;
        escaped_ = false;
        r_ += 1;
        t_ = r_;
    }
    void SetElement(const char* set, size_t k) {
        element_ = set;
        elementLength_ = k;
    }
    bool InElement(char c) const {
        return std::memchr(element_, static_cast<unsigned char>(c), elementLength_) != nullptr;
    }

    Step Literal(char c);
    Step Set(uint32_t* length);
    Step Boundary();
    Step Repeat(char kind, bool afterNegatedSet);

    const char* text_;
    size_t size_;
    const char* pattern_;
    size_t t_ = 0;  // T
    size_t p_ = 0;  // P
    size_t s_ = 0;  // S, valid while inAttempt_
    size_t r_ = 0;  // R
    bool inAttempt_ = false;
    const char* element_ = nullptr;  // the element set: characters of the last element
    size_t elementLength_ = 0;
    bool escaped_ = false;  // E
    bool negated_ = false;  // N
};

PatternRun::Step PatternRun::Literal(char c) {
    if (AtEnd(t_)) return Step::kNoMatch;
    if (!inAttempt_) {
        t_ = SkipToByteOrEnd(text_, t_, size_, c);
        if (AtEnd(t_)) return Step::kNoMatch;
        Begin(1, 1, pattern_ + p_);
    } else if (text_[t_] == c) {
        Advance(1, 1, pattern_ + p_, 1);
    } else {
        Fail();
    }
    return Step::kGoOn;
}

PatternRun::Step PatternRun::Set(uint32_t* length) {
    const char* close = std::strchr(pattern_ + p_ + 1, ']');
    if (close == nullptr || close == pattern_ + p_ + 1) {
        *length = kMalformedSetLength;
        return Step::kNoMatch;
    }
    const char* set = pattern_ + p_ + 1;
    const bool negated = *set == '!';
    if (negated) ++set;
    const size_t setLength = static_cast<size_t>(close - set);
    if (setLength == 0) return Step::kNoMatch;
    auto matches = [&](char c) {
        const bool inSet = std::memchr(set, static_cast<unsigned char>(c), setLength) != nullptr;
        return negated ? !inSet && c != '\r' && c != '\n' : inSet;
    };
    const size_t patternStep = static_cast<size_t>(close + 1 - (pattern_ + p_));
    if (!inAttempt_) {
        while (!AtEnd(t_) && !matches(text_[t_])) ++t_;
        if (AtEnd(t_)) return Step::kNoMatch;
        Begin(setLength, patternStep, set);
    } else if (matches(text_[t_])) {
        Advance(1, patternStep, set, setLength);
    } else {
        Fail();
        return Step::kGoOn;
    }
    negated_ = negated;
    return Step::kGoOn;
}

PatternRun::Step PatternRun::Boundary() {
    if (inAttempt_) {
        if (IsSeparatorChar(static_cast<unsigned char>(text_[t_]))) {
            Advance(1, 1, pattern_ + p_, 1);
        } else {
            Fail();
        }
        return Step::kGoOn;
    }
    // Begin at the last separator of the first run of separators, so the
    // match starts with one separator followed by a non-separator.
    while (!AtEnd(t_) && !IsSeparatorChar(static_cast<unsigned char>(text_[t_]))) ++t_;
    if (AtEnd(t_)) return Step::kNoMatch;
    while (!AtEnd(t_) && IsSeparatorChar(static_cast<unsigned char>(text_[t_]))) ++t_;
    if (AtEnd(t_)) return Step::kNoMatch;
    t_ -= 1;
    Begin(1, 1, pattern_ + p_);
    return Step::kGoOn;
}

// Repetition is greedy and never given back.
PatternRun::Step PatternRun::Repeat(char kind, bool afterNegatedSet) {
    if (!inAttempt_) return Step::kNoMatch;
    size_t k = 0;
    if (afterNegatedSet) {
        while (!AtEnd(t_ + k) && text_[t_ + k] != '\r' && text_[t_ + k] != '\n' &&
               !InElement(text_[t_ + k])) {
            ++k;
        }
    } else {
        while (!AtEnd(t_ + k) && InElement(text_[t_ + k])) ++k;
    }
    if (kind == '@' && k == 0) {
        Fail();
    } else {
        Advance(k, 1, pattern_ + p_, 1);
    }
    return Step::kGoOn;
}

const char* PatternRun::Run(uint32_t* length) {
    *length = 0;
    if (AtEnd(0) || pattern_[0] == 0) return nullptr;
    for (;;) {
        const char c = pattern_[p_];
        if (c == 0) {
            if (!inAttempt_) return nullptr;  // a pattern of a lone escape
            const size_t matched = t_ - s_;
            *length = matched > kMaxMatchLength ? kMaxMatchLength : static_cast<uint32_t>(matched);
            return text_ + s_;
        }
        const bool wasNegated = negated_;
        negated_ = false;
        Step step = Step::kGoOn;
        switch (c) {
            case '?':
            case '[':
            case '<':
            case '>':
            case '*':
            case '@':
            case '\\':
                if (AtEnd(t_)) return nullptr;
                if (escaped_) {
                    escaped_ = false;
                    step = Literal(c);
                } else if (c == '?') {
                    step = Literal(text_[t_]);
                } else if (c == '[') {
                    step = Set(length);
                } else if (c == '<' || c == '>') {
                    step = Boundary();
                } else if (c == '\\') {
                    escaped_ = true;
                    negated_ = wasNegated;  // an escape is not an element
                    p_ += 1;
                } else {
                    step = Repeat(c, wasNegated);
                }
                break;
            case ']':
                if (!escaped_) return nullptr;  // a stray closing bracket never matches
                escaped_ = false;
                step = Literal(c);
                break;
            default: step = Literal(c); break;
        }
        if (step == Step::kNoMatch) return nullptr;
    }
}

}  // namespace

bool IsWordChar(unsigned char c) {
    return kClasses[c] == kWord;
}

bool IsSeparatorChar(unsigned char c) {
    return kClasses[c] == kSeparator;
}

bool PassesWordTest(const char* text, const char* occurrence, size_t length) {
    if (occurrence > text && IsWordChar(static_cast<unsigned char>(occurrence[-1]))) return false;
    return !IsWordChar(static_cast<unsigned char>(occurrence[length]));
}

namespace {

constexpr std::array<unsigned char, 256> MakeLowerCase() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return table;
}

}  // namespace

constexpr std::array<unsigned char, 256> kLowerCaseTable = MakeLowerCase();

unsigned char LowerCaseChar(unsigned char c) {
    return kLowerCaseTable[c];
}

// A case-blind scan lower-cases every chunk before searching it, so this
// runs over the whole file: 16 bytes at a time where the vector unit allows.
void LowerCaseText(char* text, size_t length) {
    size_t i = 0;
#if QUARRY_SSE2
    // Moved so that A..Z land on the 26 smallest signed bytes.
    const __m128i shift = _mm_set1_epi8(static_cast<char>(128 - 'A'));
    const __m128i upperBound = _mm_set1_epi8(static_cast<char>(-128 + 26));
    const __m128i caseBit = _mm_set1_epi8(0x20);
    for (; i + 16 <= length; i += 16) {
        __m128i* at = reinterpret_cast<__m128i*>(text + i);
        const __m128i bytes = _mm_loadu_si128(at);
        const __m128i upper = _mm_cmplt_epi8(_mm_add_epi8(bytes, shift), upperBound);
        _mm_storeu_si128(at, _mm_or_si128(bytes, _mm_and_si128(upper, caseBit)));
    }
#endif
    unsigned char* bytes = reinterpret_cast<unsigned char*>(text);
    for (; i < length; ++i) bytes[i] = kLowerCaseTable[bytes[i]];
}

int CompilePattern(const char* searchText, int length, char* pattern) {
    const int kLimit = kPatternSize - 1;
    int out = 0;
    bool escaped = false;
    for (int i = 0; i < length; ++i) {
        const char c = searchText[i];
        if (c == '-' && i > 0 && !escaped) {
            const int a = static_cast<signed char>(searchText[i - 1]);
            const int b = i + 1 < length ? static_cast<signed char>(searchText[i + 1]) : 0;
            if (b < a) return 0;
            for (int x = a + 1; x < b && out < kLimit; ++x) pattern[out++] = static_cast<char>(x);
            continue;
        }
        if (c == '\\' && !escaped) {
            escaped = true;
            continue;
        }
        if (out >= kLimit) return -1;
        if ((c == '^' || c == '$') && !escaped) {
            pattern[out++] = c == '^' ? '\n' : '\r';
        } else {
            pattern[out++] = c;
            // An escape stays in force over ordinary characters.
            if (c == '^' || c == '$' || c == '-' || c == '\\') escaped = false;
        }
    }
    return out;
}

const char* MatchPattern(const char* text, const char* pattern, uint32_t* length) {
    return PatternRun(text, SIZE_MAX, pattern).Run(length);
}

const char* FindMatch(const char* text, size_t textSize, const char* searchText, uint8_t options,
                      uint32_t* length) {
    *length = 0;
    if ((options & kTextRegular) == 0) {
        const size_t n = std::strlen(searchText);
        const char* found = FindPlain(text, textSize, searchText, n);
        if (found != nullptr) *length = static_cast<uint32_t>(n);
        return found;
    }
    char pattern[kPatternSize];
    const size_t searchLength = std::strlen(searchText);
    const int patternLength = CompilePattern(
        searchText, static_cast<int>(searchLength < kPatternSize ? searchLength : kPatternSize - 1),
        pattern);
    if (patternLength < 1) return nullptr;
    pattern[patternLength] = 0;
    return PatternRun(text, textSize, pattern).Run(length);
}

const char* FindMatch(const char* text, const char* searchText, uint8_t options, uint32_t* length) {
    return FindMatch(text, std::strlen(text) + 1, searchText, options, length);
}
