// Fakes and helpers that several core test files share.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "fileview/find_text.h"
#include "results/file_info.h"
#include "search/criteria.h"
#include "search/scan.h"
#include "search/walk.h"

// Files held in memory, read as the chunk reader reads a disk file, with a
// record of where each read started. A read may be made to fail, a device
// to give at most `readCap` bytes a read, or a writer to append `growth`
// after each read. Whatever a scan looks at beyond what a read returned
// holds line feeds and occurrences of its own, so such a look shows.
class MemoryFiles : public ChunkReader {
  public:
    std::map<std::string, std::string> files;
    std::vector<int64_t> readStarts;
    int closes = 0, failingRead = -1;
    uint32_t readCap = UINT32_MAX;
    std::string growth;
    int64_t readEnd = 0;  // the furthest byte read

    bool Open(const std::string& path) override {
        file_ = files.count(path) ? &files[path] : nullptr;
        readStarts.clear();
        position_ = 0;
        return file_ != nullptr;
    }
    int64_t Size() override { return static_cast<int64_t>(file_->size()); }
    int64_t Read(char* buffer, uint32_t count) override {
        const int reads = static_cast<int>(readStarts.size());
        if (reads == failingRead || reads > 100) return -1;  // or a scan that never ends
        readStarts.push_back(position_);
        const std::string piece =
            file_->substr(static_cast<size_t>(position_), std::min(count, readCap));
        std::memcpy(buffer, piece.data(), piece.size());
        for (size_t i = piece.size(); i < count; ++i) buffer[i] = "\nneedle x"[i % 9];
        position_ += static_cast<int64_t>(piece.size());
        readEnd = std::max(readEnd, position_);
        *file_ += growth;
        return static_cast<int64_t>(piece.size());
    }
    bool SetPosition(int64_t position) override { return (position_ = position) >= 0; }
    void Close() override { ++closes; }

  private:
    std::string* file_ = nullptr;
    int64_t position_ = 0;
};

// Resolves against the current directory `base`; a path holding '|' or
// "gone" has no full form, and directories named "nowhere" or "locked"
// cannot be entered.
struct FakeResolver : TargetResolver {
    explicit FakeResolver(std::string current = "C:\\Base") : base(std::move(current)) {}
    std::string base;
    std::vector<std::string> entered;
    bool FullPath(const std::string& path, std::string& fullPath) override {
        if (path.find('|') != std::string::npos || path.find("gone") != std::string::npos) return false;
        fullPath = path == "." ? base : path.find(':') != std::string::npos ? path : base + "\\" + path;
        std::replace(fullPath.begin(), fullPath.end(), '/', '\\');
        return true;
    }
    bool EnterDirectory(const std::string& directory) override {
        entered.push_back(directory);
        return directory.find("nowhere") == std::string::npos && directory.find("locked") == std::string::npos;
    }
};

inline FileInfoItem Item(std::string directory, std::string name, uint64_t size = 0,
                         int64_t modified = 0) {
    FileInfoItem item;
    item.directory = std::move(directory);
    item.name = std::move(name);
    item.size = size;
    item.modified = modified;
    return item;
}

// EditView as a string with a selection; a replacement leaves the caret after it.
struct FakeEdit : EditBuffer {
    std::string text;
    uint32_t selStart = 0, selEnd = 0;
    explicit FakeEdit(std::string t, uint32_t s = 0, uint32_t e = 0)
        : text(std::move(t)), selStart(s), selEnd(e) {}
    std::string Text() override { return text; }
    void GetSelection(uint32_t& s, uint32_t& e) override { s = selStart, e = selEnd; }
    void SetSelection(uint32_t s, uint32_t e) override { selStart = s, selEnd = e; }
    void ReplaceSelectionWith(std::string_view r) override {
        text.replace(selStart, selEnd - selStart, r);
        selStart = selEnd = selStart + static_cast<uint32_t>(r.size());
    }
    std::string Selected() const { return text.substr(selStart, selEnd - selStart); }
};
