#include "results/file_time.h"

namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

}  // namespace

int64_t UnixTimeFromFileTicks(uint64_t ticks) {
    // Ticks past INT64_MAX are not file times any system writes.
    int64_t signedTicks = ticks > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX
                                                                   : static_cast<int64_t>(ticks);
    int64_t seconds = signedTicks / kTicksPerSecond;
    return seconds - kSecondsFrom1601To1970;
}

bool FileTicksFromUnixTime(int64_t seconds, uint64_t& ticks) {
    if (seconds < -kSecondsFrom1601To1970) return false;
    if (seconds > INT64_MAX / kTicksPerSecond - kSecondsFrom1601To1970) return false;
    ticks = static_cast<uint64_t>((seconds + kSecondsFrom1601To1970) * kTicksPerSecond);
    return true;
}
