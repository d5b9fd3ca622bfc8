#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct IMalloc;

// What the main window keeps beside its controls; one instance, g_Main.
struct MainWindowState {
    HWND FileList = nullptr;
    HWND DirectoryCombo = nullptr;
    HWND FileNameCombo = nullptr;
    HWND SearchTextCombo = nullptr;
    HWND Toolbar = nullptr;
    HWND ToolbarCombo = nullptr;
    HWND StatusBar = nullptr;

    RECT ClientRect = {};     // remembered for resizing
    POINT MinTrackSize = {};  // the window's first size; never smaller
    int StatusBarHeight = 0;  // shared with FileView
    int BaseUnitX = 0;        // dialog base units in pixels
    int BaseUnitY = 0;

    unsigned LessMultiplier = 1024;  // units of the Less and More boxes
    unsigned MoreMultiplier = 1024;

    std::vector<std::string> ExcludedFiles;  // the File Filter's patterns, at most 32

    HFONT ComboFont = nullptr;
    bool ComboEditSubclassed = false;
    bool CloseAfterSearch = false;  // the close box was used during a search
    IMalloc* ShellMalloc = nullptr;
};
extern MainWindowState g_Main;

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Construction, called from the creation message and by InitInstance.
void OnMainCreate(HWND hwnd);
bool InitMainWindow(HWND hwnd);
void OnMainSize(HWND hwnd, int width, int height);
void SubclassToolbarComboEdit();

// Puts text on top of a combo's history list and into its edit field; the
// list keeps at most `limit` entries (kHistoryLimit without one).
void AddToHistory(HWND combo, size_t limit, const char* text);
void AddToHistory(HWND combo, const char* text);
// Item `index` of a combo's list, whatever its length.
std::string ComboItemText(HWND combo, int index);
// The entries of a combo's list, top first.
std::vector<std::string> ComboListEntries(HWND combo);
void CenterWindow(HWND window, int top);
HWND CreateStatusBar(HWND parent, int id, int parts, const int* widths);
void SetStatusParts(HWND bar, HWND parent, int parts, const int* widths);
HWND AddToolTip(HWND parent, HWND tool, const char* text);
HWND AddToolbarCombo(HWND toolbar, int position, int id, int chars);
HFONT CreateComboFont();
HWND CreateMainToolbar(HWND parent);

// The status line: the string with the command's number, in part 0.
int ShowStatusHelp(int stringId, HWND statusBar);
void SetStatusText(const char* text);
void ShowMainStatusPart(int part, const char* text);

// The File Filter's excluded-name patterns as they stand.
const std::vector<std::string>& ExcludedFilePatterns();

// Applies the loaded settings to the criteria controls.
void ApplySettingsToControls(HWND hwnd);
