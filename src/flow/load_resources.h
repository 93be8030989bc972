#pragma once
#include <vector>

#include "media/media.h"

// Everything the game needs, loaded once behind the loading screen (game state 3): the three
// fonts, the gameplay classes and every menu, in that order. Each picture, pixel-map and sound
// load advances the loading bar.
void LoadResources();
// Its first two steps, for play without the menus (tests): the three fonts Font1..Font3, then
// the gameplay classes' Init in their order.
void LoadFonts();
void InitGameplay();

// The number of loads LoadResources reports to the loading bar (pictures, pixel maps and sounds,
// found or not), so that the bar is full exactly when loading ends. A test holds it to the code.
constexpr int START_UP_LOADS = 180;

// Every picture file LoadResources reads, in its order, as its loads name them, and for each
// sheet the cells its load cuts it into, so that they can be decoded and cut ahead on the decode
// threads while the loading panel slides in (Media::PrefetchPictures). A picture left out is only
// decoded later, when its load comes, and a sheet listed with other cells is cut again on the main
// thread; a test holds the list to the code.
const std::vector<Media::PictureAhead>& StartUpPictures();
