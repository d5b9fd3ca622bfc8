#pragma once

#include <string>
#include <vector>

// The main window's decisions that need no window: tested natively, applied
// by the Win32 side.

// A typed default file type: everything from the first full stop, lower-cased,
// behind a star ("Notes.TXT" gives "*.txt"). Without a full stop the text is
// not valid and stays as it was.
bool ValidateFileType(std::string& text);

// What the popups of the main menu may offer, from a snapshot of the list.
struct ListSnapshot {
    bool hasFocusedRow = false;
    int selectedCount = 0;
    int rowCount = 0;
    bool anyMarked = false;
};
bool IsMainCommandEnabled(int command, const ListSnapshot& list);
// The commands of a main menu popup (by its position) whose state follows the
// list; none for the popups that keep theirs.
std::vector<int> ListCommandsOfMenu(int position);

// Dropped names joined with ";" between them, lower-cased. Empty when the
// joined text would not stay under 65,536 bytes.
std::string JoinDroppedNames(const std::vector<std::string>& names);
// What a drop of `names` puts into its box: onto the Directory box the first
// name, as its 255 characters hold it, lower-cased; elsewhere every name,
// joined. Empty when there is nothing to put.
std::string DroppedText(bool onDirectoryBox, const std::vector<std::string>& names);

// What closing the main window waits for or asks, in this order: a Replace
// in Files run ends first (it commits or removes its pending files); a
// running walk stops and the close comes once the search has handed over
// what it found; FileView's question about unsaved changes may keep the
// program open; only then are the settings saved and the windows destroyed.
class MainCloseHost {
  public:
    virtual ~MainCloseHost() = default;
    virtual bool ListRunIsOn() = 0;
    virtual void OweCloseAfterListRun() = 0;
    virtual bool SearchIsRunning() = 0;
    virtual void AbortSearch() = 0;
    // Asks about FileView's unsaved changes when there are any; false when
    // the user keeps it (Cancel, or Yes with a save that failed).
    virtual bool FileViewMayClose() = 0;
    virtual bool SaveSettingsOnExit() = 0;
    virtual void SaveSettings() = 0;
    // FileView, if open, then the main window.
    virtual void DestroyWindows() = 0;
};

enum class MainClose { Closed, AfterListRun, AfterSearch, KeptOpen };
MainClose CloseMainWindow(MainCloseHost& host);
