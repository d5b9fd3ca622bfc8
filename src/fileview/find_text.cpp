#include "fileview/find_text.h"

#include <algorithm>

#include "fileview/find_state.h"
#include "search/matcher.h"
#include "ui/text_options.h"

namespace {

// The matcher reports this for a set without its closing bracket: no occurrence.
bool UsableLength(uint32_t length, size_t room) {
    return length > 0 && length != kMalformedSetLength && length <= room;
}

// The nearest occurrence at or after `position` in the buffer "\n" + text:
// the line feed stands for the character before offset 0 in the Word test.
bool FindDown(const std::string& buffer, uint32_t position, const std::string& pattern,
              uint8_t options, uint32_t& start, uint32_t& length) {
    const char* from = buffer.c_str() + 1 + position;
    const char* hit =
        FindMatch(from, buffer.size() - 1 - position, pattern.c_str(), options, &length);
    if (!hit || !UsableLength(length, buffer.size() - (hit - buffer.c_str()))) return false;
    start = static_cast<uint32_t>(hit - buffer.c_str() - 1);
    return true;
}

// The occurrence nearest before `position`. A plain text is found by reversing
// the text up to the position and the pattern; a Regular pattern cannot be
// reversed (sets and ranges would read backwards), so its last occurrence in
// the text up to the position is taken instead: for a plain text both give the
// same occurrence.
bool FindUp(const std::string& buffer, uint32_t position, const std::string& pattern,
            uint8_t options, uint32_t& start, uint32_t& length) {
    std::string before = buffer.substr(1, position);
    if (!(options & kTextRegular)) {
        std::string reversedText(before.rbegin(), before.rend());
        std::string reversedPattern(pattern.rbegin(), pattern.rend());
        const char* hit = FindMatch(reversedText.c_str(), reversedText.size(),
                                    reversedPattern.c_str(), options, &length);
        if (!hit || !UsableLength(length, reversedText.size() - (hit - reversedText.c_str())))
            return false;
        start = position - static_cast<uint32_t>(hit - reversedText.c_str()) - length;
        return true;
    }
    bool found = false;
    for (size_t from = 0; from < before.size();) {
        uint32_t hitLength = 0;
        const char* hit = FindMatch(before.c_str() + from, before.size() - from, pattern.c_str(),
                                    options, &hitLength);
        size_t offset = hit ? static_cast<size_t>(hit - before.c_str()) : 0;
        if (!hit || !UsableLength(hitLength, before.size() - offset)) break;
        start = static_cast<uint32_t>(offset);
        length = hitLength;
        found = true;
        from = offset + 1;
    }
    return found;
}

void CollapseTo(EditBuffer& edit, uint32_t position) {
    edit.SetSelection(position, position);
}

}  // namespace

bool FindOccurrence(std::string_view text, uint32_t position, const FindFlags& flags,
                    std::string_view findText, uint32_t& start, uint32_t& length) {
    if (text.size() >= kFileViewCapacity || findText.empty()) return false;
    position = std::min<uint32_t>(position, static_cast<uint32_t>(text.size()));
    // The whole find text is searched: the combo boxes hold up to 1023
    // characters and the matcher takes them all.
    std::string pattern(findText);
    std::string buffer = "\n";
    buffer.append(text);
    if (!flags.MatchCase) {
        LowerCaseText(pattern.data(), pattern.size());
        LowerCaseText(buffer.data(), buffer.size());
    }
    uint8_t options = flags.Regular ? kTextRegular : 0;
    bool found = flags.Down ? FindDown(buffer, position, pattern, options, start, length)
                            : FindUp(buffer, position, pattern, options, start, length);
    if (!found) return false;
    // Only the nearest occurrence is tested: inside a word, the search fails.
    return !flags.WholeWord || PassesWordTest(buffer.c_str(), buffer.c_str() + 1 + start, length);
}

bool FindInEditView(EditBuffer& edit, uint32_t& position, const FindFlags& flags,
                    std::string_view findText) {
    std::string text = edit.Text();
    if (text.size() >= kFileViewCapacity) return false;
    uint32_t selStart = 0, selEnd = 0;
    edit.GetSelection(selStart, selEnd);
    uint32_t start = 0, length = 0;
    if (FindOccurrence(text, position, flags, findText, start, length)) {
        if (flags.Down) position = start;
        edit.SetSelection(start, start + length);
        return true;
    }
    position = flags.Down && !flags.FindNext ? selEnd : selStart;
    CollapseTo(edit, position);
    return false;
}

void ReplaceSelection(EditBuffer& edit, uint32_t& position, std::string_view replaceText) {
    edit.ReplaceSelectionWith(replaceText);
    position += static_cast<uint32_t>(replaceText.size());
}

bool ReplacementFits(size_t length, size_t removed, size_t inserted) {
    return length - removed + inserted < kFileViewCapacity;
}

ReplaceAllResult ReplaceAllInEditView(EditBuffer& edit, const FindFlags& flags,
                                      std::string_view findText, std::string_view replaceText) {
    FindFlags down = flags;
    down.Down = true;
    // Every replacement is planned on a copy first, so a text that would not
    // fit is not touched at all.
    std::string text = edit.Text();
    std::vector<std::pair<uint32_t, uint32_t>> spans;
    uint32_t position = 0, start = 0, length = 0;
    while (FindOccurrence(text, position, down, findText, start, length)) {
        if (!ReplacementFits(text.size(), length, replaceText.size())) return {0, true};
        text.replace(start, length, replaceText);
        spans.emplace_back(start, length);
        position = start + static_cast<uint32_t>(replaceText.size());
    }
    CollapseTo(edit, 0);
    for (const auto& [at, found] : spans) {
        edit.SetSelection(at, at + found);
        edit.ReplaceSelectionWith(replaceText);
    }
    // The caret ends after the last replacement, as a search down from it left it.
    if (!spans.empty()) CollapseTo(edit, position);
    return {static_cast<uint32_t>(spans.size()), false};
}

void FindNextFromBox(FindBoxHost& host, EditBuffer& edit, FindState& state, const FindFlags& flags,
                     std::string_view findText) {
    uint32_t selStart = 0, selEnd = 0;
    edit.GetSelection(selStart, selEnd);
    state.SearchPosition = flags.Down ? selEnd : selStart;
    bool found = FindInEditView(edit, state.SearchPosition, flags, findText);
    while (!found) {
        if (state.StartPosition == 0) {
            host.CloseBox();
            // Having found occurrences on the way down is not "not found".
            host.Warn(state.FoundAny ? kFindCompleteText : NotFoundText(findText));
            return;
        }
        if (!flags.Down || !host.AskWrap()) return;
        state.StopPosition = state.StartPosition;
        state.SearchPosition = 0;
        state.StartPosition = 0;
        host.FocusBox();
        found = FindInEditView(edit, state.SearchPosition, flags, findText);
    }
    if (state.SearchPosition < state.StopPosition) {
        state.FoundAny = true;
        return;
    }
    // Came round to where the search began.
    CollapseTo(edit, state.StopPosition);
    host.CloseBox();
    host.Warn(kFindCompleteText);
    host.SetHelpContext(0);
}

void ReplaceFromBox(FindBoxHost& host, EditBuffer& edit, FindState& state, const FindFlags& flags,
                    std::string_view findText, std::string_view replaceText, bool all) {
    FindFlags down = flags;
    down.Down = true;
    down.FindNext = false;
    // The run goes on from the selection the user sees, not from a position
    // left over from a caret that has moved since.
    uint32_t selStart = 0, selEnd = 0;
    edit.GetSelection(selStart, selEnd);
    state.SearchPosition = selStart;
    uint32_t counter = 0;
    for (;;) {
        if (FindInEditView(edit, state.SearchPosition, down, findText)) {
            uint32_t textEnd = static_cast<uint32_t>(edit.Text().size());
            if (state.StartPosition == 0 && textEnd - state.SearchPosition <= state.WrapSpan) {
                host.SetHelpContext(0);
                host.CloseBox();
                host.Warn(kReplaceCompleteText);
                CollapseTo(edit, state.SearchPosition);
                return;
            }
            if (!all && counter == 1) return;
            uint32_t foundStart = 0, foundEnd = 0;
            edit.GetSelection(foundStart, foundEnd);
            if (!ReplacementFits(textEnd, foundEnd - foundStart, replaceText.size())) {
                host.ReportNoRoom();
                return;
            }
            ++counter;
            ReplaceSelection(edit, state.SearchPosition, replaceText);
            continue;
        }
        if (state.StartPosition != 0) {
            state.WrapSpan = static_cast<uint32_t>(edit.Text().size()) - state.StartPosition;
            state.SearchPosition = 0;
            state.StartPosition = 0;
            host.FocusBox();
            continue;
        }
        host.SetHelpContext(0);
        CollapseTo(edit, 0);
        host.CloseBox();
        host.Warn(counter > 0 ? kReplaceCompleteText : NotFoundText(findText));
        return;
    }
}

bool FindNextCommand(EditBuffer& edit, const FindFlags& flags, std::string_view findText) {
    if (findText.empty()) return true;
    FindFlags plain = flags;
    plain.FindNext = false;
    uint32_t selStart = 0, selEnd = 0;
    edit.GetSelection(selStart, selEnd);
    uint32_t position = flags.Down ? selEnd : selStart;
    if (FindInEditView(edit, position, plain, findText)) return true;
    if (selStart == 0 && flags.Down) return false;
    // Once more from the far end: the top going down, the bottom going up.
    position = flags.Down ? 0 : static_cast<uint32_t>(edit.Text().size());
    return FindInEditView(edit, position, plain, findText);
}

void OnFindBoxRequest(FindBoxHost& host, EditBuffer& edit, FindState& state,
                      const FindBoxRequest& request) {
    FindFlags flags = request.Flags;
    if (request.FindNext) {
        SetFindButtons(flags.Down, flags.MatchCase, flags.WholeWord);
        FindNextFromBox(host, edit, state, flags, request.Find);
    } else if (request.Replace) {
        flags.Down = true;
        SetFindButtons(flags.Down, flags.MatchCase, flags.WholeWord);
        ReplaceFromBox(host, edit, state, flags, request.Find, request.With, request.All);
    }
}

FindFlags LastFindFlags() {
    FindFlags flags;
    flags.Down = g_FindReplace.Down;
    flags.MatchCase = g_FindReplace.MatchCase;
    flags.WholeWord = g_FindReplace.WholeWord;
    flags.Regular = g_FindReplace.Regular;
    return flags;
}

std::string FindNextAgain(EditBuffer& edit) {
    const std::string& find = g_FindReplace.FindString;
    if (find.empty() || FindNextCommand(edit, LastFindFlags(), find)) return {};
    return NotFoundAgainText(find);
}

std::string NotFoundText(std::string_view findText) {
    return "Text '" + std::string(findText) + "' not found!\t";
}

std::string NotFoundAgainText(std::string_view findText) {
    return "Text '" + std::string(findText) + "' was not found.\t";
}
