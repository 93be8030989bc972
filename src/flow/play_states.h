#pragma once
// The game-flow states that start and run play:
//   STATE_NEW_GAME (12)   resets the per-game state, then the next level;
//   STATE_NEXT_LEVEL (13) loads the next stage, captures the pointer, flies the ship in;
//   STATE_PLAYING (14)    one frame of play; F toggles full screen, Escape opens the quit
//                         confirmation, and a slot named "Gadzook!" has the play-test keys.

// Registers the updates of states 12, 13 and 14 with StateSystem. Call once at start-up.
void RegisterPlayStates();

// The new-game reset: level, ship, powerup timers, shield, the slot's score (remembered as
// PreviousScore, then 0) and the board. The next LoadNext loads stage `firstStage`.
void ResetForNewGame(int firstStage);

// The --stage option: when it was given and has not been used yet, starts a new game at that
// stage with the active save slot (the next frame loads it) and returns true; otherwise returns
// false. The game flow calls it once loading has finished, in place of the title screen.
bool StartRequestedStage();
// The stage asked for with --stage, or −1 when none was (or it has been used).
int RequestedStage();
