// The Line List built by a Line List scan over a random file: never more
// entries than the limit, each entry's text within its length, entries in
// file order on lines the file has, each occurrence inside its own line, and
// the entry's text the line itself (or the line from the occurrence on).
// Also the text model's line starts and tab widths over the same file.

#include <algorithm>
#include <string>
#include <vector>

#include "fileview/line_list.h"
#include "fileview/text_model.h"
#include "fuzz_input.h"
#include "search/matcher.h"
#include "short_reader.h"

namespace {

class RecordingLineView : public LineViewSink {
  public:
    explicit RecordingLineView(int refuseAt) : refuseAt_(refuseAt) {}
    std::vector<std::string> texts;
    std::vector<LineListEntry> entries;
    bool full = false;

    bool AppendLineViewItem(const std::string& text, const LineListEntry& entry) override {
        FUZZ_CHECK(!full);
        if (static_cast<int>(entries.size()) == refuseAt_) return false;
        texts.push_back(text);
        entries.push_back(entry);
        return true;
    }
    void LineListWarning(const std::string& text) override { full = full || text == "Line List full!"; }

  private:
    int refuseAt_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t options = input.Byte() & 7;
    const int repeat = 1 << (2 * (input.Byte() % 5));  // up to 256 copies: past the limit
    const uint32_t cap = input.Word32() % 70000;  // bytes a read returns at most; 0: all
    const int refuseAt = static_cast<int>(input.Byte()) * 8 - 1;
    const int tabLength = static_cast<int8_t>(input.Byte());
    const uint32_t lineAsked = input.Byte();
    const std::string searchText = input.Piece(kPatternSize - 1);
    const std::string body = input.Rest();
    std::string file;
    for (int i = 0; i < repeat && file.size() + body.size() <= 200000; ++i) file += body;

    ShortReader reader(file, {cap == 0 ? 0 : std::max<uint32_t>(cap, 16)});
    RecordingLineView view(refuseAt);
    LineListBuilder builder(view);
    ScanState scan;
    scan.Mode = ScanMode::LineList;
    ScanFile(scan, reader, builder, "c:\\f.txt", searchText.c_str(), options);
    FUZZ_CHECK(!reader.open());

    FUZZ_CHECK(builder.Entries() == view.entries && view.entries.size() <= kLineListLimit);
    if (view.full) FUZZ_CHECK(view.entries.size() == kLineListLimit);
    const auto lineFeeds = static_cast<uint32_t>(std::count(file.begin(), file.end(), '\n'));
    for (size_t i = 0; i < view.entries.size(); ++i) {
        const LineListEntry& entry = view.entries[i];
        const std::string& text = view.texts[i];
        FUZZ_CHECK(entry.line <= lineFeeds);
        if (i > 0) {
            const LineListEntry& last = view.entries[i - 1];
            // A Regular text matching a line feed ("^", "?") also gives the
            // next line's start, an entry of length 0 before any at its column.
            FUZZ_CHECK(last.line < entry.line ||
                       (last.line == entry.line && last.column <= entry.column && last != entry));
        }
        const size_t start = LineStartOffset(file, entry.line);
        const std::string line = file.substr(start, file.find('\n', start) - start);
        FUZZ_CHECK(entry.column + entry.length <= line.size() && text.size() <= kLineListEntryChars);
        // The line's own text follows the number: from its start, or "..."
        // and the text from the occurrence on.
        const size_t from = text.find(": ") + 2;
        const bool whole = text[0] == ' ';
        if (whole)
            FUZZ_CHECK(text.compare(from, std::string::npos, line, 0, text.size() - from) == 0);
        else
            FUZZ_CHECK(text.compare(from, 3, "...") == 0 &&
                       text.compare(from + 3, std::string::npos, line, entry.column,
                                    text.size() - from - 3) == 0);
        FUZZ_CHECK(LineViewItemWidth(text, tabLength, 7) > 0);
    }

    // Line starts lie just after a line feed; tab widths grow with the count.
    const size_t at = LineStartOffset(file, lineAsked);
    FUZZ_CHECK(at <= file.size() && (at == 0 || at == file.size() || file[at - 1] == '\n'));
    FUZZ_CHECK(ExpandTabsWidth(body, body.size() + 1, tabLength) >=
               ExpandTabsWidth(body, body.size(), tabLength));
    return 0;
}
