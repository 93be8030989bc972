#pragma once
// Everything the game needs, loaded once behind the loading screen (game state 3): the three
// fonts, the gameplay classes and every menu, in that order. Each picture, pixel-map and sound
// load advances the loading bar.
void LoadResources();
