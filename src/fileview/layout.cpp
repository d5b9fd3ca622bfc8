#include "fileview/layout.h"

#include <algorithm>
#include <cstring>

PanePlacement LayoutPanes(PaneFrame& frame, int width, int height, const PaneRect& splitter) {
    PanePlacement place;
    place.splitter = splitter;
    int lineViewTop = splitter.bottom;
    if (width != frame.lastWidth || height != frame.lastHeight) {
        int top = 0;
        if (frame.hasEditView && frame.hasLineView) {
            top = height * frame.splitPermille / 1000;
            lineViewTop = top + frame.splitterHeight;
        } else if (!frame.hasEditView) {
            top = lineViewTop = frame.panesTop + 1;
        } else {
            top = lineViewTop = height - frame.statusHeight;
        }
        place.splitter.top = top;
        place.splitter.bottom = top + frame.splitterHeight;
        place.splitter.right += width - frame.lastWidth;
        frame.lastWidth = width;
        frame.lastHeight = height;
    } else if (!frame.hasEditView || !frame.hasLineView) {
        lineViewTop = splitter.top;
    }
    const PaneRect& bar = place.splitter;
    if (frame.hasEditView) place.editView = {bar.left, frame.panesTop, bar.right, bar.top};
    if (frame.hasLineView)
        place.lineView = {bar.left, lineViewTop, bar.right, height - frame.statusHeight};
    return place;
}

int ClampSplitterTop(const PaneFrame& frame, int y, int clientHeight) {
    y = std::min(y, clientHeight - frame.splitterHeight - frame.statusHeight - 1);
    return std::max(y, frame.panesTop + 1);
}

int SplitPermilleFor(int y, int clientHeight) {
    return clientHeight > 0 ? y * 1000 / clientHeight : 700;
}

HoverChange TrackSplitterHover(SplitterHover& hover, bool over) {
    if (hover.heldOff) {
        hover.heldOff = over;
        return HoverChange::None;
    }
    if (over == hover.hovering) return HoverChange::None;
    hover.hovering = over;
    return over ? HoverChange::Begin : HoverChange::End;
}

PaneSize MinimumTrackSize(const PaneFrame& frame, int statusBarRight) {
    return {statusBarRight / 4, frame.splitterHeight + frame.panesTop + frame.statusHeight + 2};
}

std::array<int, kFileViewStatusParts> FileViewStatusWidths() {
    // The longest text of each part; a unit to spare covers the part's
    // borders, as the status font is no wider than the dialog base unit.
    static const char* const longest[kFileViewStatusParts] = {"",       "CAPS", "NUM",  "OVR",
                                                              "000000", "000",  "0000", "0000"};
    std::array<int, kFileViewStatusParts> widths = {};
    for (int part = 1; part < kFileViewStatusParts; ++part)
        widths[part] = static_cast<int>(std::strlen(longest[part])) + 1;
    return widths;
}
