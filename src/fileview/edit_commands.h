#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "fileview/find_text.h"

// FileView's editing commands on plain text: the case changes of the
// selection, the Line List as clipboard text, the switch between the wrapping
// and the non-wrapping EditView, and the font the user chose as settings.

enum class CaseChange { Upper, Lower, Toggle };

// The selected characters [start, end) of text, taken directly from it: long
// lines keep every character and a wrapped line gains no line break. A
// selection given backwards counts from its lower end; one past the text
// stops at its end. Empty for an empty selection.
std::string SelectionTextOf(std::string_view text, size_t start, size_t end);

// Only the letters a to z and A to Z change; everything else, accented
// letters included, stays as it is.
void ChangeCase(std::string& text, CaseChange change);

// The case change command: the selection is replaced by its copy in the
// other case and selected again; an empty selection changes nothing.
void ChangeCaseOfSelection(EditBuffer& edit, CaseChange change);

// Overwrite mode: whether a typed character replaces the one after the
// caret. Not in Insert mode, not with Ctrl held, not for Backspace and Enter,
// and not at the end of a line (lineEnd: the offset after its last character).
bool TypedCharacterOverwrites(bool insertMode, bool controlDown, char typed, int caret,
                              int lineEnd);

// The Line List's lines, each followed by CR LF; empty for no lines.
std::string LineViewClipboardText(const std::vector<std::string>& lines);

// What an edit control holds: its text, its selection and whether the user
// changed it since it was loaded or saved.
struct EditContent {
    std::string text;
    size_t selStart = 0;
    size_t selEnd = 0;
};

// The two edit controls behind EditView, one wrapping and one not; only one
// is shown at a time. `wrapping` names the control.
class EditSwapHost {
  public:
    virtual ~EditSwapHost() = default;
    virtual EditContent Take(bool wrapping) = 0;
    // Makes the named control EditView: shown, enabled, placed, prepared and
    // given the font; the other one hidden and disabled.
    virtual void Arrange(bool wrapping) = 0;
    // Gives the named control the text and selection as FileView's own change;
    // false when the control could not take all of the text.
    virtual bool Put(bool wrapping, const EditContent& content) = 0;
    virtual void Clear(bool wrapping) = 0;
    virtual void CheckWrapItem(bool on) = 0;
};

// Moves EditView's text, selection and changed state to the other control
// and returns the wrap state now in force. When the other control cannot
// take the text, EditView stays as it was and the state is unchanged.
bool SwapEditControl(bool wrapLines, EditSwapHost& host);
