#pragma once
#include <cstdint>
constexpr uint32_t MenuHelpContext(uint32_t commandId) {
    return 0x10000u + commandId;
}
inline const uint32_t kContextHelpIds[] = {0, 0};
