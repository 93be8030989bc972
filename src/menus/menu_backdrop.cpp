#include "menus/menu_backdrop.h"

#include <string>

#include "shell/load_helpers.h"

void MenuBackdrop::Load() {
    for (int i = 0; i < 9; ++i)
        Pieces_[i] = LoadGamePixmap("gfx\\menus\\menupiece" + std::to_string(i + 1) + ".png", 0);
}

int MenuBackdrop::PieceAt(int column, int row, int columns, int rows) {
    if (row == 0 && column == 0) return 0;
    if (row == 0 && column == columns - 1) return 2;
    if (row == 0) return 1;
    if (row == rows - 1 && column == 0) return 6;
    if (row == rows - 1 && column == columns - 1) return 8;
    if (row == rows - 1) return 7;
    if (column == 0) return 3;
    if (column == columns - 1) return 5;
    return 4;
}

Media::ImageRef MenuBackdrop::Create(int columns, int rows) {
    const int w = Pieces_[0]->Width, h = Pieces_[0]->Height;
    Media::PixelMapRef panel = Media::CreatePixmap(columns * w, rows * h);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            Media::PastePixmap(*panel, *Pieces_[PieceAt(column, row, columns, rows)], column * w, row * h);
    return LoadGameImage(*panel, "MenuBackdrop " + std::to_string(columns) + "x" + std::to_string(rows), -1,
                         0);
}
