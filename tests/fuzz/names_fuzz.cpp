// File-name patterns and the File Name(s) list cutter: the cutter always
// ends and moves forward, a target's parts put together give the entry back,
// and a name pattern matches as the name's letters do whatever their case.

#include <string>

#include "fuzz_input.h"
#include "search/criteria.h"

namespace {

// A resolver that takes every path as already full, and refuses some.
class FakeResolver : public TargetResolver {
  public:
    explicit FakeResolver(uint8_t refusals) : refusals_(refusals) {}
    bool FullPath(const std::string& path, std::string& fullPath) override {
        return fullPath = path == "." ? "c:\\work" : path, (refusals_ & 1) == 0;
    }
    bool EnterDirectory(const std::string&) override { return (refusals_ & 2) == 0; }

  private:
    uint8_t refusals_;
};

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t refusals = input.Byte();
    const std::string pattern = input.Piece(600);
    const std::string name = input.Piece(600);
    const std::string defaultType = input.Piece(600);
    const std::string list = input.Rest();

    const bool matched = MatchFileName(pattern, name);
    FUZZ_CHECK(MatchFileName(Upper(pattern), name) == matched);
    FUZZ_CHECK(MatchFileName(pattern, Upper(name)) == matched);
    if (name.find('*') == std::string::npos) FUZZ_CHECK(MatchFileName(name, name));
    // A lone star takes a name whose first dot, if any, ends it.
    const size_t dot = name.find('.');
    FUZZ_CHECK(MatchFileName("*", name) == (dot == std::string::npos || dot + 1 == name.size()));

    size_t position = 0;
    std::string entry;
    int entries = 0;
    for (;;) {
        const size_t before = position;
        const bool more = NextListEntry(list, position, entry);
        FUZZ_CHECK((position > before || !more) && position <= list.size());
        if (!more) break;
        FUZZ_CHECK(!entry.empty() && entry.size() <= list.size() && ++entries <= static_cast<int>(list.size()));

        const TargetPathParts parts = SplitTargetPath(entry);
        FUZZ_CHECK(parts.drive + parts.directory + parts.name + parts.extension == entry);
        FUZZ_CHECK(parts.name.find_first_of("\\/") == std::string::npos);
        const std::string targetPattern = TargetPattern(parts, defaultType);
        if (!parts.extension.empty()) FUZZ_CHECK(targetPattern == parts.name + parts.extension);

        FakeResolver resolver(refusals);
        SearchTarget target;
        const int resolved = ResolveTarget(entry, defaultType, resolver, target);
        FUZZ_CHECK(resolved == 1 || resolved == -2);
        if (resolved == 1) FUZZ_CHECK(target.directory.size() < kMaxPath && target.pattern == targetPattern);
    }
    FUZZ_CHECK(TrimTargetDirectory("c:\\") == "c:\\");
    return 0;
}
