#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "search/scan.h"

// A file in memory whose reads return fewer bytes than asked, as a pipe or
// a file on a slow device may.
class ShortReader : public ChunkReader {
  public:
    ShortReader(const std::string& file, std::vector<uint32_t> caps)
        : file_(file), caps_(std::move(caps)) {}
    bool Open(const std::string&) override {
        FUZZ_CHECK(!open_);
        open_ = true;
        position_ = 0;
        return true;
    }
    int64_t Size() override { return static_cast<int64_t>(file_.size()); }
    int64_t Read(char* buffer, uint32_t count) override {
        FUZZ_CHECK(open_);
        FUZZ_CHECK(++reads_ < 100000);  // a scan that never ends
        if (position_ >= file_.size()) return 0;
        uint32_t cap = caps_.empty() ? count : caps_[reads_ % caps_.size()];
        if (cap == 0) cap = count;
        const size_t n = std::min<size_t>({count, cap, file_.size() - position_});
        std::memcpy(buffer, file_.data() + position_, n);
        position_ += n;
        return static_cast<int64_t>(n);
    }
    bool SetPosition(int64_t position) override {
        FUZZ_CHECK(position >= 0 && static_cast<size_t>(position) <= file_.size());
        position_ = static_cast<size_t>(position);
        return true;
    }
    void Close() override {
        FUZZ_CHECK(open_);
        open_ = false;
    }
    bool open() const { return open_; }

  private:
    const std::string& file_;
    std::vector<uint32_t> caps_;
    size_t position_ = 0;
    int reads_ = 0;
    bool open_ = false;
};
