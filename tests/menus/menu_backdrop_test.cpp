// Which frame piece each cell of a menu panel gets.
#include <gtest/gtest.h>

#include "menus/menu_backdrop.h"

TEST(MenuBackdrop, CornersEdgesAndMiddleFallWhereTheyBelong) {
    // A 5 × 3 panel, row by row.
    const int expected[3][5] = {{0, 1, 1, 1, 2}, {3, 4, 4, 4, 5}, {6, 7, 7, 7, 8}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(MenuBackdrop::PieceAt(column, row, 5, 3), expected[row][column])
                << column << "," << row;
    // The tests run in order, so a one-row or one-column panel keeps its top or left pieces.
    EXPECT_EQ(MenuBackdrop::PieceAt(0, 0, 1, 1), 0);
    EXPECT_EQ(MenuBackdrop::PieceAt(2, 0, 3, 1), 2);
    EXPECT_EQ(MenuBackdrop::PieceAt(0, 2, 1, 3), 6);
}
