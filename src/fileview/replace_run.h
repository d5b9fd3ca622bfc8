#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileview/find_text.h"
#include "fileview/save_text.h"
#include "results/file_info.h"

// Replace in Files: the Replace box's texts carried over rows of the File Info
// List, each file loaded into EditView, replaced there and written back. The
// run's decisions live here; the list, EditView, the user and the file system
// are behind the interfaces below.

enum class FilesOption { All, Selected, Marked, None };

// The rows of the File Info List as the run walks them.
class ReplaceRowSet {
  public:
    virtual ~ReplaceRowSet() = default;
    virtual int RowCount() = 0;
    virtual bool IsSelected(int row) = 0;
    virtual bool IsMarked(int row) = 0;
};

// The row after `row` in the set, -1 after the set's last row (and the set's
// first row for `row` -1). Marked rows are found cyclically.
int NextReplaceTarget(ReplaceRowSet& rows, FilesOption option, int row);
// The rows a run visits after `startRow`, in order: the set's rows after it,
// then, turning at the end, those before it; each once, the starting row never.
std::vector<int> ReplaceTargetOrder(ReplaceRowSet& rows, FilesOption option, int startRow);

// User's answers to the run's questions.
enum class Answer { Yes, No, Cancel, Abort, Retry, Ignore };

class ReplaceRunHost : public ReplaceRowSet {
  public:
    virtual FileInfoItem& Item(int row) = 0;
    virtual void SetMark(int row, bool marked) = 0;
    virtual TextFileLayer& Files() = 0;
    // EditView, the run's work area.
    virtual std::string EditText() = 0;
    virtual void SetEditText(const std::string& text) = 0;
    virtual bool EditModified() = 0;
    virtual void SetEditModified(bool modified) = 0;
    // Every occurrence replaced in EditView with the box's texts and options,
    // or none when the replaced text would not fit (ReplaceAllInEditView).
    virtual ReplaceAllResult ReplaceAllInEdit() = 0;
    // The user: "Replace completed in %s!\t\nSave it?" (Yes, No, Cancel);
    // Abort, Retry, Ignore boxes; Yes and No questions; warnings.
    virtual Answer AskSaveReplaced(const std::string& fileName) = 0;
    virtual Answer AskAbortRetryIgnore(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual void Warn(const std::string& text) = 0;
    // The box's status line; empty clears it.
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void CloseBox() = 0;
};

struct ReplaceRunOptions {
    FilesOption Option = FilesOption::All;
    bool ConfirmFileSave = true;
    // EditView holds the starting row's file whole (not a window of lines, not
    // cut at a zero byte, not short of a file that grew); else that row is
    // skipped and named like any other file EditView cannot hold.
    bool StartHeldWhole = true;
    // The starting row's file as FileView found it when it read it; when the
    // file has changed since, the user is asked before its text is replaced.
    FileStamp StartStamp;
};

struct ReplaceRunResult {
    bool Found = false;
    uint32_t Occurrences = 0;
    int Files = 0;
    std::vector<int> Visited;   // rows whose text was replaced in EditView, in order
    bool StartWritten = false;  // the starting row's file now holds its replaced text
};

// The whole run from `startRow`, the row of the file EditView holds. By its
// end EditView holds the starting file's text again and no pending file is
// left, except one holding the only copy of a text, which a message names.
ReplaceRunResult ReplaceInFiles(ReplaceRunHost& host, int startRow,
                                const ReplaceRunOptions& options);

// The end of a run without Confirm File Save: one question, then every
// pending file is moved over its row's file or removed. True when the
// starting row's file now holds its replaced text.
bool CommitPendingFiles(ReplaceRunHost& host, bool found, int startRow);
// The end of a run with Confirm File Save: the starting row's pending file
// (No for it) is removed; EditView keeps the replaced text, unsaved.
void FinishConfirmedRun(ReplaceRunHost& host, int startRow);

inline constexpr const char* kSaveAllQuestion = "Replace in all files completed!\nSave all files?";
inline constexpr const char* kNothingFoundText = "Text not found in any file!";

// The Replace box's Files buttons as checked: the first of All, Selected and
// Marked that is checked; none checked: no other file.
FilesOption FilesOptionOf(bool all, bool selected, bool marked);

// What the Replace box's Replace in Files button starts from.
struct ReplaceInFilesStart {
    bool All = true, Selected = false, Marked = false;  // the Files buttons
    bool ConfirmFileSave = true;
    std::string ShownPath, ShownFileName;
    bool ShownHeldWhole = true;  // as ReplaceRunOptions::StartHeldWhole
    // The file EditView's text was last read from or written to, as it was
    // then: ReplaceRunOptions::StartStamp when that is the shown file.
    std::string StampedPath;
    FileStamp Stamp;
};

// Whether the row holds the file FileView shows: the row's path as FileView
// was handed it; else, Saved As under another spelling of the same file
// (another drive letter), the file's identity, looked up only for rows of
// the same name.
bool RowHoldsShownFile(ReplaceRunHost& host, int row, const ReplaceInFilesStart& start);

// Replace in Files from the first row holding the file FileView shows, so
// EditView's text never goes to another row's file wherever the focus has
// moved. False, after a warning naming the file, when no row holds it any more.
bool ReplaceInFilesFromBox(ReplaceRunHost& host, const ReplaceInFilesStart& start,
                           ReplaceRunResult& result);
