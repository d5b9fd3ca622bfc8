#pragma once

#include <array>

// Where FileView's panes go: EditView above the splitter bar, LineView below
// it, between the toolbar and the status bar. Client coordinates in pixels.

struct PaneRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PaneRect&) const = default;
};

// What the layout reads: the fixed heights OpenFileView recorded, the panes
// present, the splitter's share and its rectangle as it stands.
struct PaneFrame {
    int panesTop = 0;  // the toolbar's bottom edge + 2
    int statusHeight = 0;
    int splitterHeight = 0;
    bool hasEditView = false;
    bool hasLineView = false;
    int splitPermille = 700;  // splitter top in thousandths of the client height
    int lastWidth = 0;        // client size at the last layout
    int lastHeight = 0;
};

struct PanePlacement {
    PaneRect splitter;
    PaneRect editView;  // empty without EditView
    PaneRect lineView;  // empty without LineView
};

// The panes for a client area of width x height. An unchanged size keeps the
// splitter where it stands (a finished drag); a new size puts it at its share
// of the height and widens it by the change of width. Records the size.
PanePlacement LayoutPanes(PaneFrame& frame, int width, int height, const PaneRect& splitter);

// A splitter top kept between the toolbar and the status bar.
int ClampSplitterTop(const PaneFrame& frame, int y, int clientHeight);

// The splitter's share of the height after a drag ended at top y.
int SplitPermilleFor(int y, int clientHeight);

// The splitter's hover: the capture and the splitter cursor while the
// pointer is over it. A drag that ended on the splitter holds the hover off
// until the pointer has left it: taking the capture again at once would hold
// back every shortcut key until the mouse moved away.
struct SplitterHover {
    bool hovering = false;
    bool heldOff = false;
};
enum class HoverChange { None, Begin, End };
// A pointer move without a drag, over the splitter or not.
HoverChange TrackSplitterHover(SplitterHover& hover, bool over);

// The smallest window FileView allows: a quarter of the status bar's width,
// and room for the toolbar, the splitter and the status bar.
struct PaneSize {
    int width = 0;
    int height = 0;
};
PaneSize MinimumTrackSize(const PaneFrame& frame, int statusBarRight);

// The status bar's eight parts in the units of SetStatusParts (the dialog
// base unit): parts 1 to 7 hold "CAPS", "NUM", "OVR", a six-digit line, a
// three-digit column and four-digit entry and count; part 0 takes the rest.
constexpr int kFileViewStatusParts = 8;
std::array<int, kFileViewStatusParts> FileViewStatusWidths();
