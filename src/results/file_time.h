#pragma once

#include <cstdint>

// Times of last write as the file system gives them (100 ns ticks since
// 1601-01-01 UTC) and as the File Info List keeps them (seconds since
// 1970-01-01 UTC). 64 bits each way, so times after 2038 stay exact.
int64_t UnixTimeFromFileTicks(uint64_t ticks);
// False for a time before 1601, which has no tick count.
bool FileTicksFromUnixTime(int64_t seconds, uint64_t& ticks);
