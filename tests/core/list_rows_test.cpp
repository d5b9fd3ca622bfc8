#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "resource_ids.h"
#include "results/list_rows.h"

namespace {

TEST(ListRows, NextMarkedRowSearchesCyclicallyFromAfterTheStart) {
    const struct { const char* marks; int after, met; } cases[] = {  // '*' marked
        {"-*-*", -1, 1}, {"-*-*", 1, 3}, {"-*-*", 3, 1}, {"--*", 2, 2} /* only itself: back at it */,
        {"---", 0, -1}, {"", -1, -1}, {"*--", 2, 0}};
    for (const auto& c : cases) {
        const std::string marks = c.marks;
        EXPECT_EQ(NextMarkedRow(c.after, static_cast<int>(marks.size()),
                                [&](int row) { return marks.at(row) == '*'; }),
                  c.met)
            << c.marks << " after " << c.after;
    }
}

TEST(ListRows, FocusAfterDeletionTakesTheFirstOnesPlaceElseTheNewLast) {
    const struct { int first, remaining, focused; } cases[] = {{1, 3, 1}, {3, 3, 2}, {5, 3, 2}, {0, 0, -1}, {0, 1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(RowFocusedAfterDeletion(c.first, c.remaining), c.focused) << c.first;
}

TEST(ListRows, ButtonsAndStatusTexts) {
    EXPECT_EQ(std::tuple(IsListButtonEnabled(IDM_COPY_LIST, true, 0), IsListButtonEnabled(IDM_OPEN_FILE, false, 5),
                         IsListButtonEnabled(IDM_SORT_LIST, true, 0), IsListButtonEnabled(IDM_SORT_LIST, false, 1)),
              std::tuple(true, false, false, true));
    EXPECT_EQ(DeletedRowsText(2), "2 file info(s) deleted");
    EXPECT_EQ(StatusCountText(7) + StatusCountText(1000), "0071000");
    EXPECT_EQ(FocusedRowText(0) + "|" + FocusedRowText(-1), "1|");
}

}  // namespace
