#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "search/matcher.h"

// Cuts one fuzzer input into the values a harness needs: single bytes for
// choices, zero-ended pieces for texts, and the rest as a whole. Reading past
// the end gives zeros and empty texts, so every input is usable.
class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint32_t Word32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
        return value;
    }
    // The bytes up to the next zero byte (which is consumed), at most `longest`.
    std::string Piece(size_t longest = SIZE_MAX) {
        std::string piece;
        while (at_ < size_ && data_[at_] != 0) {
            if (piece.size() < longest) piece += static_cast<char>(data_[at_]);
            ++at_;
        }
        if (at_ < size_) ++at_;
        return piece;
    }
    std::string Rest() {
        std::string rest(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
        at_ = size_;
        return rest;
    }
    bool Empty() const { return at_ >= size_; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// ASCII letters lower-cased, as the matcher's case-blind search sees them.
inline std::string Lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

// Whether text[at] is a word character; outside the text is none.
inline bool IsWordAt(const std::string& text, long at) {
    return at >= 0 && static_cast<size_t>(at) < text.size() &&
           IsWordChar(static_cast<unsigned char>(text[static_cast<size_t>(at)]));
}

// Whether a Regular search text holds a character the matcher treats specially.
inline bool HasPatternCharacters(const std::string& text) {
    return text.find_first_of("?[]<>*@\\^$-") != std::string::npos;
}

// A broken promise of the code under test: abort, so the fuzzer keeps the
// input and the replay fails with the harness's words.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            __builtin_printf("%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)
