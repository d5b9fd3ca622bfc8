#include "ui/bounded_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string BoundedFormat(size_t size, const char* format, ...) {
    std::vector<char> text(size ? size : 1, '\0');
    va_list args;
    va_start(args, format);
    vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    return text.data();
}
