#pragma once
// MenuBackdrop: the framed panels behind every menu, assembled from nine picture pieces
// ("gfx\menus\menupiece1.png" … "menupiece9.png") that form a 3 × 3 frame: corners, edges and a
// middle that tiles. All pieces have the size of the first.
#include "media/media.h"

class MenuBackdrop {
public:
    // Loads the nine pieces as pixel maps (all required). Call once, before any Create.
    static void Load();
    // A new panel image of columns × rows pieces (both at least 1): corners at the corners, edges
    // along the sides, the middle piece inside. Panels used: 5 × 5, 5 × 4, 5 × 3 and 6 × 3.
    static Media::ImageRef Create(int columns, int rows);
    // The piece (0..8) that cell (column, row) of a columns × rows panel gets.
    static int PieceAt(int column, int row, int columns, int rows);

private:
    static inline Media::PixelMapRef Pieces_[9];
};
