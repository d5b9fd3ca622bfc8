#pragma once

#include <cstdint>

// The three search-text options, as bits of TextOptions; they mirror the
// Case, Word and Regular check boxes of the main window.
enum : uint8_t {
    kTextCase = 1,
    kTextWord = 2,
    kTextRegular = 4,
};
