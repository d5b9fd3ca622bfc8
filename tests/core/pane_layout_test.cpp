#include "fileview/layout.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "fileview/file_view_logic.h"
#include "ui/controls.h"

namespace {

// A FileView of 400 x 300 client pixels: toolbar to 28, status bar of 20,
// splitter of 5.
PaneFrame Frame(bool edit, bool lines) {
    PaneFrame frame;
    frame.panesTop = 30, frame.statusHeight = 20, frame.splitterHeight = 5;
    frame.hasEditView = edit, frame.hasLineView = lines;
    frame.lastWidth = 400, frame.lastHeight = 300;
    return frame;
}

const PaneRect kSplitter{0, 210, 400, 215};

TEST(PaneLayout, PanesForEachArrangement) {
    // clang-format off
    const struct { const char* name; bool edit, lines; int width, height; PaneRect splitter, editView, lineView; }
    cases[] = {
        {"both, new size: 70 % of the height", true, true, 500, 400, {0, 280, 500, 285}, {0, 30, 500, 280}, {0, 285, 500, 380}},
        {"both, same size: splitter stays", true, true, 400, 300, kSplitter, {0, 30, 400, 210}, {0, 215, 400, 280}},
        {"LineView alone: below the toolbar", false, true, 400, 320, {0, 31, 400, 36}, {}, {0, 31, 400, 300}},
        {"EditView alone: down to the status bar", true, false, 400, 320, {0, 300, 400, 305}, {0, 30, 400, 300}, {}},
        {"LineView alone, same size", false, true, 400, 300, {0, 31, 400, 36}, {}, {0, 31, 400, 280}},
    };
    // clang-format on
    for (const auto& c : cases) {
        PaneFrame frame = Frame(c.edit, c.lines);
        const PaneRect standing = c.lines && !c.edit   ? PaneRect{0, 31, 400, 36}
                                  : !c.lines && c.edit ? PaneRect{0, 300, 400, 305}
                                                       : kSplitter;
        const PanePlacement place = LayoutPanes(frame, c.width, c.height, standing);
        EXPECT_EQ(std::tuple(place.splitter, place.editView, place.lineView),
                  std::tuple(c.splitter, c.editView, c.lineView))
            << c.name;
        EXPECT_EQ(std::pair(frame.lastWidth, frame.lastHeight), std::pair(c.width, c.height));
    }
}

// After a drag the splitter keeps its new share through later resizes.
TEST(PaneLayout, DraggedShareSurvivesResizing) {
    PaneFrame frame = Frame(true, true);
    frame.splitPermille = SplitPermilleFor(150, 300);
    EXPECT_EQ(frame.splitPermille, 500);
    EXPECT_EQ(LayoutPanes(frame, 400, 600, kSplitter).splitter.top, 300);
    EXPECT_EQ(LayoutPanes(frame, 400, 600, {0, 300, 400, 305}).splitter.top, 300);
}

TEST(PaneLayout, SplitterStaysBetweenToolbarAndStatusBar) {
    const PaneFrame frame = Frame(true, true);
    // clang-format off
    const struct { int y, top; } cases[] = {{-50, 31}, {30, 31}, {31, 31}, {150, 150}, {274, 274}, {275, 274}, {900, 274}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(ClampSplitterTop(frame, c.y, 300), c.top) << c.y;
    // A window too low for both clamps keeps the splitter under the toolbar.
    EXPECT_EQ(ClampSplitterTop(frame, 40, 50), 31);
}

// The pointer's moves over and off the splitter take and give back the
// capture once each; after a drag ended on it, only a move off it ends the hold.
TEST(PaneLayout, HoverFollowsThePointerOnceADragIsLetGo) {
    using H = HoverChange;
    // clang-format off
    const struct { SplitterHover before; std::vector<bool> moves; std::vector<H> changes; bool hovering; } cases[] = {
        {{}, {false, true, true, false}, {H::None, H::Begin, H::None, H::End}, false},
        {{false, true}, {true, true, false, true}, {H::None, H::None, H::None, H::Begin}, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        SplitterHover hover = c.before;
        std::vector<H> changes;
        for (bool over : c.moves) changes.push_back(TrackSplitterHover(hover, over));
        EXPECT_EQ(changes, c.changes);
        EXPECT_EQ(hover.hovering, c.hovering);
    }
}

TEST(PaneLayout, SmallestWindowHoldsToolbarSplitterAndStatusBar) {
    const PaneSize least = MinimumTrackSize(Frame(true, true), 400);
    EXPECT_EQ(std::pair(least.width, least.height), std::pair(100, 5 + 30 + 20 + 2));
}

// Each status part holds its longest text with a unit to spare for its
// borders, and in the default window, 400 pixels wide, part 0 keeps room
// for "Ready" and a file's short messages.
TEST(PaneLayout, StatusPartsHoldTheirLongestTexts) {
    const auto widths = FileViewStatusWidths();
    // clang-format off
    const struct { int part; std::string text; } cases[] = {{1, "CAPS"}, {2, "NUM"}, {3, "OVR"},
        {4, CaretLineText(400000)}, {4, CaretLineText(999999)}, {5, CaretColumnText(250)}, {6, "9999"}, {7, "9999"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_GT(widths[c.part], static_cast<int>(c.text.size())) << c.part << " " << c.text;
    for (int charWidth : {6, 8}) {
        const auto edges = StatusPartEdges(392, charWidth, {widths.begin(), widths.end()});
        EXPECT_GE(edges[0], 12 * charWidth) << charWidth;
    }
}

}  // namespace
