#include "fileview/file_view_win.h"

// FileView's window is still to come; until then nothing opens.
namespace {
FileViewFile g_Shown;
int g_Above = kDefaultContextAbove;
int g_Below = kDefaultContextBelow;
}  // namespace

FileViewFile& ShownFile() { return g_Shown; }
void SetContextLines(int above, int below) { g_Above = above; g_Below = below; }
int ContextLinesAbove() { return g_Above; }
int ContextLinesBelow() { return g_Below; }
HWND FileViewHandle() { return nullptr; }
HWND OpenFileViewWindow(HWND) { return nullptr; }
