#include "fileview/view_options.h"

#include "search/criteria.h"

bool ReadTabLength(std::string_view text, uint16_t& length) {
    uint32_t number = 0;
    if (!ParseUnsignedField(text, number) || number > UINT16_MAX) return false;
    length = static_cast<uint16_t>(number);
    return true;
}

bool ReadContextLines(std::string_view text, int& lines) {
    uint32_t number = 0;
    if (!ParseUnsignedField(text, number) || number >= kContextLinesLimit) return false;
    lines = static_cast<int>(number);
    return true;
}
