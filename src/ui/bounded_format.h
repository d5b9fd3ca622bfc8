#pragma once

#include <cstddef>
#include <string>

// printf-style text cut to `size` - 1 characters, never overflowed: the
// bound every message text of the program keeps.
std::string BoundedFormat(size_t size, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
