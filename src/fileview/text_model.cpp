#include "fileview/text_model.h"

#include <cstring>

size_t LineStartOffset(std::string_view text, uint64_t n) {
    size_t offset = 0;
    for (uint64_t seen = 0; seen < n; ++seen) {
        const void* lineFeed = std::memchr(text.data() + offset, '\n', text.size() - offset);
        if (lineFeed == nullptr) return text.size();
        offset = static_cast<size_t>(static_cast<const char*>(lineFeed) - text.data()) + 1;
    }
    return offset;
}

uint32_t ExpandTabsWidth(std::string_view text, size_t count, int tabLength) {
    const uint32_t tab = static_cast<uint32_t>(TabStopLength(tabLength));
    uint32_t width = 0;
    for (size_t i = 0; i < count; ++i) {
        if (i >= text.size()) return width + 1;
        width = text[i] == '\t' ? (width / tab + 1) * tab : width + 1;
    }
    return width;
}
