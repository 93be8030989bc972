#include "menus/player_menu.h"

#include "media/fatal_error.h"
#include "media/media.h"
#include "menus/main_menu.h"
#include "menus/menu_backdrop.h"
#include "menus/menu_input.h"
#include "menus/story.h"
#include "presentation/font.h"
#include "save/save_games.h"
#include "shell/controls.h"
#include "shell/frame_clock.h"
#include "shell/load_helpers.h"
#include "shell/pointer.h"
#include "shell/state_system.h"
#include "sprites/animate.h"

namespace {

constexpr float ROW_SPACING = 28, FIRST_ROW_Y = -126;
constexpr float NAME_X = -202, SCORE_X = 38;
// The highlight of a row that the keys or the pad stand on, beside the active row's full one.
constexpr float STEPPED_ROW_ALPHA = 0.4f;

struct ButtonLayout {
    const char* Picture;
    bool OnDeletePanel;
    float X, Y, Scale;
};
constexpr ButtonLayout BUTTON_LAYOUT[PlayerMenu::BUTTONS] = {
    {"gfx\\menus\\button-renameplayer.png", false, 0, 280, 0.66f},
    {"gfx\\menus\\button-deleteplayer.png", false, 0, 344, 0.66f},
    {"gfx\\menus\\button-back.png", false, -400, 0, 0.75f},
    {"gfx\\menus\\button-startplayer.png", false, 400, 0, 0.75f},
    {"gfx\\menus\\button-canceldelete.png", true, -400, 0, 0.75f},
    {"gfx\\menus\\button-confirmdelete.png", true, 0, 150, 0.75f},
};

SpriteRef MakePanel(int columns, int rows) {
    SpriteRef panel = Sprite::Create(MenuBackdrop::Create(columns, rows), 21, nullptr);
    panel->SetPosition(400, 250, 0);
    panel->SetScale(0.55f);
    panel->SetShadow(6, 45, 0.33f);
    panel->Hide();
    return panel;
}

float RowY(int slot) {
    return ROW_SPACING * float(slot) + FIRST_ROW_Y;
}

bool InFont1(int ch) {
    return Font1->CharacterSet().find(char32_t(ch)) != std::u32string::npos;
}

} // namespace

void PlayerMenu::Load() {
    SaveGames::LoadAll();
    Panel_ = MakePanel(5, 5);
    // Six pieces wide, one more than the quit panel: its longer warning must sit inside the rim.
    DeletePanel_ = MakePanel(6, 3);

    SpriteRef title =
        Sprite::Create(LoadGameImage("gfx\\menus\\menutitle-selectplayer.png", -1, 0), 1, Panel_);
    title->SetPosition(0, -280, 0);
    for (int i = 0; i < BUTTONS; ++i) {
        const ButtonLayout& layout = BUTTON_LAYOUT[i];
        Buttons_[i] = Sprite::Create(LoadGameImage(layout.Picture, -1, 0), 1,
                                     layout.OnDeletePanel ? DeletePanel_ : Panel_);
        Buttons_[i]->SetPosition(layout.X, layout.Y, 0);
        Buttons_[i]->SetScale(layout.Scale);
        ButtonScales_[i] = layout.Scale;
    }

    Font1->Set();
    Text::Create("Player", NAME_X, -174, 1, Panel_, Text::LEFT);
    Text::Create("High Score", SCORE_X, -174, 1, Panel_, Text::LEFT);
    Media::ImageRef highlight = LoadGameImage("gfx\\menus\\playerselect.png", 7, 0);
    for (int i = 0; i < SaveGames::MAX_SAVEGAMES; ++i) {
        NameTexts_[i] = Text::Create("", NAME_X, RowY(i), 1, Panel_, Text::LEFT);
        ScoreTexts_[i] = Text::Create("", SCORE_X, RowY(i), 1, Panel_, Text::LEFT);
        SlotHighlights_[i] = Sprite::Create(highlight, 2, Panel_);
        SlotHighlights_[i]->SetPosition(0, RowY(i), 0);
        SlotHighlights_[i]->SetBlend(Media::LIGHTBLEND);
        SlotHighlights_[i]->Hide();
    }
    Text::Create("WARNING!", 0, -48, 1, DeletePanel_, Text::CENTRE);
    // The longest line of any panel: a little smaller, so it also clears the Cancel button that
    // straddles the panel's left rim.
    Text::Create("All progress for this player will be lost!", 0, -16, 1, DeletePanel_, Text::CENTRE)
        ->Pivot->SetScale(0.9f);
    Text::Create("Are you sure?", 0, 32, 1, DeletePanel_, Text::CENTRE);
}

void PlayerMenu::Show() {
    MenuState_ = 0;
    StateSystem::SetState(STATE_PLAYER_MENU);
    SaveGames::LoadAll();
    UpdatePlayerSlots();
    SetPointerMode(0);
    Media::ClearInput();
}

void PlayerMenu::UpdatePlayerSlots() {
    for (int i = 0; i < SaveGames::MAX_SAVEGAMES; ++i) {
        NameTexts_[i]->Set(SaveGames::SlotName(i));
        ScoreTexts_[i]->Set(std::to_string(SaveGames::SlotScore(i)));
        SlotHighlights_[i]->Hide();
    }
    SlotHighlights_[SaveGames::Active()]->SetAlpha(1);
    SlotHighlights_[SaveGames::Active()]->Show();
}

void PlayerMenu::Hide(int) {
    Panel_->Hide();
}

void PlayerMenu::Update() {
    switch (MenuState_) {
    case 0:
        SlideInPanel(Panel_);
        MenuState_ = 1;
        break;
    case 1:
        if (Panel_->Animating(Animate::TRANSFORM_ALL) == 0) MenuState_ = 2;
        break;
    case 2:
        Choose();
        break;
    case 3:
        Rename();
        break;
    default:
        break;
    }
}

void PlayerMenu::Choose() {
    // The keys and the pad reach the buttons of the panel that shows and, on the list, its rows.
    MenuTargets targets;
    if (Panel_->Hidden(0) == 0) {
        for (int button : {BUTTON_RENAME, BUTTON_DELETE, BUTTON_BACK, BUTTON_PLAY})
            targets.Add(Buttons_[button]);
        for (const SpriteRef& row : SlotHighlights_)
            targets.Add(row);
    } else {
        targets.Add(Buttons_[BUTTON_DELETECANCEL]);
        targets.Add(Buttons_[BUTTON_DELETEOKAY]);
    }
    bool clicked = MenuPressed(targets);
    int hovered = HoverButton(Buttons_, ButtonScales_, BUTTONS);
    ShowSteppedRow(hovered);

    if (EscapePressed()) {
        clicked = true;
        hovered = Panel_->Hidden(0) == 0 ? BUTTON_BACK : BUTTON_DELETECANCEL;
    }
    if (!clicked) return;
    if (hovered >= 0) {
        Click(hovered);
        return;
    }
    // Rows are picked only on the list itself: while the delete confirmation covers it, a click
    // beside its buttons must not change the slot that is about to be deleted.
    if (Panel_->Hidden(0) != 0) return;
    for (int i = 0; i < SaveGames::MAX_SAVEGAMES; ++i) {
        if (SlotHighlights_[i]->OverlapsPoint(PointerX, PointerY, 1)) {
            SlotHighlights_[SaveGames::Active()]->Hide();
            SaveGames::SetActive(i);
            SlotHighlights_[i]->SetAlpha(1);
            SlotHighlights_[i]->Show();
            return;
        }
    }
}

void PlayerMenu::ShowSteppedRow(int hoveredButton) {
    // Rows have no look of their own under the pointer; with the pointer hidden, the keys and the
    // pad would leave no sign of where they stand, so that row shows its highlight faintly.
    const bool stepping = LastDevice != InputDevice::Mouse && Panel_->Hidden(0) == 0 && hoveredButton < 0;
    for (int i = 0; i < SaveGames::MAX_SAVEGAMES; ++i) {
        if (i == SaveGames::Active()) {
            SlotHighlights_[i]->SetAlpha(1);
            SlotHighlights_[i]->Show();
            continue;
        }
        const bool stepped = stepping && SlotHighlights_[i]->OverlapsPoint(PointerX, PointerY, 1);
        SlotHighlights_[i]->SetAlpha(stepped ? STEPPED_ROW_ALPHA : 1);
        if (stepped)
            SlotHighlights_[i]->Show();
        else
            SlotHighlights_[i]->Hide();
    }
}

void PlayerMenu::Click(int button) {
    switch (button) {
    case BUTTON_RENAME:
        if (SaveGames::Name() == PLAYTEST_NAME) return;
        HidePointer();
        OldName_ = SaveGames::Name();
        SaveGames::SetName(OldName_ + "_");
        CursorTime_ = GameTime + CURSOR_BLINK;
        Media::ClearInput();
        UpdatePlayerSlots();
        MenuState_ = 3;
        break;
    case BUTTON_DELETE:
        DeletePanel_->Show();
        Panel_->Hide();
        break;
    case BUTTON_BACK:
        Hide(0);
        MainMenu::Show(0);
        break;
    case BUTTON_PLAY:
        Hide(1);
        Media::ClearInput();
        SaveGames::SaveAll();
        if (SaveGames::Score() == 0)
            Story::Show();
        else
            StateSystem::SetState(STATE_NEW_GAME);
        break;
    case BUTTON_DELETECANCEL:
        DeletePanel_->Hide();
        Panel_->Show();
        break;
    case BUTTON_DELETEOKAY:
        SaveGames::Reset(SaveGames::Active());
        SaveGames::SaveAll();
        UpdatePlayerSlots();
        DeletePanel_->Hide();
        Panel_->Show();
        break;
    default:
        break;
    }
}

void PlayerMenu::Rename() {
    // The name being edited always ends with the cursor, "_" or " ".
    std::string name = SaveGames::Name();
    if (GameTime > CursorTime_) {
        if (name.empty() || (name.back() != ' ' && name.back() != '_'))
            FatalError("Error in PlayerMenu.Update() : Invalid cursor!  Player name string corrupt!");
        name.back() = name.back() == ' ' ? '_' : ' ';
        SaveGames::SetName(name);
        UpdatePlayerSlots();
        CursorTime_ = GameTime + CURSOR_BLINK;
    }

    if (EscapePressed()) {
        SaveGames::SetName(OldName_);
        UpdatePlayerSlots();
        ShowPointer(0);
        MenuState_ = 2;
        return;
    }
    if (Media::KeyPresses(Media::KEY_ENTER) > 0) {
        if (name.size() == 1)
            SaveGames::SetName(OldName_);
        else
            SaveGames::SetName(name.substr(0, name.size() - 1));
        SaveGames::SaveAll();
        UpdatePlayerSlots();
        ShowPointer(0);
        MenuState_ = 2;
        return;
    }
    if (Media::KeyPresses(Media::KEY_BACKSPACE) > 0 && name.size() > 1) {
        name.erase(name.size() - 2, 1);
        SaveGames::SetName(name);
        UpdatePlayerSlots();
        return;
    }
    int ch = Media::NextTypedChar();
    if (ch != 0 && InFont1(ch) && name.size() < PLAYERNAME_MAXLENGTH + 1) {
        name.insert(name.size() - 1, 1, char(ch));
        SaveGames::SetName(name);
        UpdatePlayerSlots();
    }
}
