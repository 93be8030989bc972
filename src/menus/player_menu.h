#pragma once
// PlayerMenu: player selection (game state 6). Lists the nine save slots with their names and
// best scores; a click on a row makes that slot active; the slot can be renamed by typing,
// deleted after a confirmation, and played. Escape is Back on the list and Cancel on the
// delete confirmation.
#include <string>

#include "presentation/text.h"
#include "sprites/sprite.h"

class PlayerMenu {
public:
    static constexpr int PLAYERNAME_MAXLENGTH = 9;
    static constexpr int BUTTONS = 6;
    static constexpr int BUTTON_RENAME = 0, BUTTON_DELETE = 1, BUTTON_BACK = 2, BUTTON_PLAY = 3,
                         BUTTON_DELETECANCEL = 4, BUTTON_DELETEOKAY = 5;
    static constexpr int CURSOR_BLINK = 250; // ms
    // The slot with this name enables the play-test keys and cannot be renamed.
    static constexpr const char* PLAYTEST_NAME = "Gadzook!";

    // Reads the save file and builds the panels, buttons, texts and row highlights (hidden).
    static void Load();
    // Enters game state 6: reloads the save file, refreshes the rows, releases the pointer.
    static void Show();
    // Rewrites every row's name and score and highlights the active row.
    static void UpdatePlayerSlots();
    // Hides the list panel.
    static void Hide(int unused);
    // Once per frame in game state 6.
    static void Update();

    // 0 slide in, 1 wait for the slide, 2 choose, 3 rename.
    static int MenuState() { return MenuState_; }
    static const SpriteRef& Panel() { return Panel_; }
    static const SpriteRef& DeletePanel() { return DeletePanel_; }
    static const SpriteRef& Button(int index) { return Buttons_[index]; }
    static const SpriteRef& SlotHighlight(int slot) { return SlotHighlights_[slot]; }
    static const TextRef& NameText(int slot) { return NameTexts_[slot]; }
    static const TextRef& ScoreText(int slot) { return ScoreTexts_[slot]; }

private:
    static void Choose();
    // The row under the hidden pointer shows a faint highlight while the keys or the pad step.
    static void ShowSteppedRow(int hoveredButton);
    static void Rename();
    static void Click(int button);

    static inline int MenuState_ = 0;
    static inline SpriteRef Panel_, DeletePanel_;
    static inline SpriteRef Buttons_[BUTTONS];
    static inline float ButtonScales_[BUTTONS] = {};
    static inline TextRef NameTexts_[9], ScoreTexts_[9];
    static inline SpriteRef SlotHighlights_[9];
    static inline std::string OldName_;
    static inline int CursorTime_ = 0;
};
