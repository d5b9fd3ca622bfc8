#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileview/file_view_file.h"

// Find and replace over EditView's text. The edit control stays on the Win32
// side behind EditBuffer; every decision (where a search starts, what a miss
// does to the selection, when a wrap or a replace loop ends) is made here.

// EditView's text model holds a file whole only below kFileViewCapacity
// characters; a longer text is never searched or grown by a replacement.
// The find and replace texts and the combo boxes' limit.
constexpr size_t kFindTextLimit = 1023;
// Entries kept in each of the Find and Replace boxes' histories.
constexpr size_t kFindHistoryLimit = 16;
// The stop position before any wrap: none.
constexpr uint32_t kNoStopPosition = 0xFFFE;

struct FindFlags {
    bool Down = true;
    bool MatchCase = false;
    bool WholeWord = false;
    bool Regular = false;
    bool FindNext = false;  // the box's find-next request (a miss then keeps the selection's start)
};

// The text, selection and edits of one edit control.
class EditBuffer {
  public:
    virtual ~EditBuffer() = default;
    virtual std::string Text() = 0;
    virtual void GetSelection(uint32_t& start, uint32_t& end) = 0;
    virtual void SetSelection(uint32_t start, uint32_t end) = 0;
    // One undoable edit; the caret ends after the inserted text.
    virtual void ReplaceSelectionWith(std::string_view text) = 0;
};

// Where the occurrence of `findText` nearest to `position` in the search's
// direction lies in `text` (down: at or after it; up: ending at or before it).
// False when there is none, when the text is too long for EditView, or when
// Word is on and that nearest occurrence is inside a word.
bool FindOccurrence(std::string_view text, uint32_t position, const FindFlags& flags,
                    std::string_view findText, uint32_t& start, uint32_t& length);

// Searches EditView from *position and selects the occurrence. Down moves
// *position to it; up leaves it. A miss collapses the selection to *position
// (the selection's end on a plain downward search, its start otherwise); a
// text too long for EditView is not searched and nothing changes.
bool FindInEditView(EditBuffer& edit, uint32_t& position, const FindFlags& flags,
                    std::string_view findText);
// Replaces the selection and moves *position past the new text, so a replace
// text holding the find text is never searched again.
void ReplaceSelection(EditBuffer& edit, uint32_t& position, std::string_view replaceText);
// Whether EditView's text of `length` characters still fits when `removed`
// of them give way to `inserted`: below kFileViewCapacity, so the text stays
// searchable and can be saved, and the edit control never cuts it.
bool ReplacementFits(size_t length, size_t removed, size_t inserted);

struct ReplaceAllResult {
    uint32_t count = 0;
    bool noRoom = false;  // the text was left as it was: the replaced text would not fit
};
// Replaces every occurrence from the start of the text, or none at all when
// one replacement would not fit: a file is never left half replaced.
ReplaceAllResult ReplaceAllInEditView(EditBuffer& edit, const FindFlags& flags,
                                      std::string_view findText, std::string_view replaceText);

// The positions of a box's run over EditView, kept between its requests.
struct FindState {
    uint32_t SearchPosition = 0;
    uint32_t StartPosition = 0;
    uint32_t StopPosition = kNoStopPosition;
    uint32_t WrapSpan = 0;
    bool FoundAny = false;  // an occurrence was selected since the box opened
};

// What the open Find or Replace box asks of FileView and the user.
class FindBoxHost {
  public:
    virtual ~FindBoxHost() = default;
    // "End of file reached.\nStart from begining of file?": true for Yes.
    virtual bool AskWrap() = 0;
    virtual void Warn(const std::string& text) = 0;
    virtual void CloseBox() = 0;
    virtual void FocusBox() = 0;
    virtual void SetHelpContext(int context) = 0;
    // The editor's out-of-space message: a replacement did not fit.
    virtual void ReportNoRoom() = 0;
};

// The box's Find Next request.
void FindNextFromBox(FindBoxHost& host, EditBuffer& edit, FindState& state, const FindFlags& flags,
                     std::string_view findText);
// The box's Replace (all = false) and Replace All requests. A replacement
// that would not fit is not made: the run stops with its occurrence
// selected and the host's ReportNoRoom.
void ReplaceFromBox(FindBoxHost& host, EditBuffer& edit, FindState& state, const FindFlags& flags,
                    std::string_view findText, std::string_view replaceText, bool all);
// Find Next without the box (F3, the toolbar): a miss from a selection that
// did not start at 0 searches once more from the top. False when nothing was
// found from the top ("Text '%s' was not found.\t" is then the caller's).
bool FindNextCommand(EditBuffer& edit, const FindFlags& flags, std::string_view findText);

// A request of the open box, with its buttons as they stand.
struct FindBoxRequest {
    bool FindNext = false;
    bool Replace = false;  // Replace, or Replace All with All
    bool All = false;
    FindFlags Flags;
    std::string_view Find, With;
};
// The box's direction, Match Case and Whole Word become the last find's (a
// replace always runs down), then the request is carried out.
void OnFindBoxRequest(FindBoxHost& host, EditBuffer& edit, FindState& state,
                      const FindBoxRequest& request);
// The last find's texts and buttons, as F3 and a new Find box take them.
FindFlags LastFindFlags();
// F3: the last find again (FindNextCommand); the text to show when nothing
// was found, else empty.
std::string FindNextAgain(EditBuffer& edit);

// The program's texts of the boxes.
std::string NotFoundText(std::string_view findText);       // box closed after a miss from the top
std::string NotFoundAgainText(std::string_view findText);  // Find Next's miss
inline constexpr const char* kWrapQuestion = "End of file reached.\nStart from begining of file?";
inline constexpr const char* kFindCompleteText = "Find complete!\t";
inline constexpr const char* kReplaceCompleteText = "Replace complete!\t";
