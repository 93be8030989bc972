#include "flow/play_states.h"

#include <string>

#include "game/enemy.h"
#include "game/level.h"
#include "game/player.h"
#include "game/powerup.h"
#include "game/scoreboard.h"
#include "media/media.h"
#include "menus/menu_input.h"
#include "presentation/sound.h"
#include "save/save_games.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/pointer.h"
#include "shell/state_system.h"

namespace {

// The slot name that turns on the play-test keys.
constexpr const char* PLAY_TEST_NAME = "Gadzook!";

constexpr int KEY_D = Media::KEY_A + 3;
constexpr int KEY_F = Media::KEY_A + 5;

bool StageOptionUsed = false;

bool KeyHit(int key) {
    return Media::KeyPresses(key) > 0;
}

void NewGame() {
    ResetForNewGame(0);
    StateSystem::SetState(STATE_NEXT_LEVEL);
}

void NextLevel() {
    Level::LoadNext();
    SetPointerMode(1);
    Player::Respawn();
    StateSystem::SetState(STATE_PLAYING);
}

// Keys 1..9 and 0 throw a powerup at the playfield centre; D destroys the ship; Space kills every
// enemy and ends the wave.
void PlayTestKeys() {
    struct DigitPowerup {
        int Key;
        int Kind; // −1: a random gem
    };
    static constexpr DigitPowerup DIGITS[] = {
        {Media::KEY_0 + 1, Powerup::WATERMELON}, {Media::KEY_0 + 2, Powerup::APPLE},
        {Media::KEY_0 + 3, Powerup::SNEAKER},    {Media::KEY_0 + 4, Powerup::ROCKET},
        {Media::KEY_0 + 5, Powerup::MUG},        {Media::KEY_0 + 6, Powerup::BARREL},
        {Media::KEY_0 + 7, Powerup::MONEYBAG},   {Media::KEY_0 + 8, -1},
        {Media::KEY_0 + 9, Powerup::SHIELD},     {Media::KEY_0, Powerup::EXTRALIFE},
    };
    for (const DigitPowerup& digit : DIGITS) {
        if (!KeyHit(digit.Key)) continue;
        const int kind = digit.Kind >= 0 ? digit.Kind : Media::RandomInt(Powerup::GEM1, Powerup::GEM3);
        Powerup::Spawn(kind, 400, 250);
    }
    if (KeyHit(KEY_D)) Player::Explode();
    if (KeyHit(Media::KEY_SPACE)) {
        Enemy::KillAll();
        Level::SetState(2);
    }
}

void Playing() {
    Level::Update();
    // Once play has moved on to another screen (statistics, game over), its keys belong to it.
    if (StateSystem::State() != STATE_PLAYING) return;
    if (SaveGames::Name() == PLAY_TEST_NAME) PlayTestKeys();
    if (KeyHit(KEY_F)) App::ToggleFullscreen();
    // An unplugged pad pauses the game, as Escape does, so that play does not run on unsteered.
    if (EscapePressed() || PadUnplugged != 0) StateSystem::Show(STATE_QUIT_CONFIRM);
}

} // namespace

void RegisterPlayStates() {
    StateSystem::Register(STATE_NEW_GAME, NewGame);
    StateSystem::Register(STATE_NEXT_LEVEL, NextLevel);
    StateSystem::Register(STATE_PLAYING, Playing);
}

void ResetForNewGame(int firstStage) {
    Level::Stage = firstStage - 1;

    Player::Invincible = 0;
    Player::Lives = Player::DEFAULT_LIVES;
    Player::Health = Player::DEFAULT_HEALTH;
    Player::Weapon = Player::WEAPON_LASER1;
    Player::SlowedTime = Player::ReversedTime = -65536;
    Player::TotalEnemies = Player::TotalKills = Player::TotalPowerups = 0;
    Player::TotalCollected = Player::TotalShots = Player::TotalHits = 0;
    Player::GameCompleted = 0;

    Powerup::ActivationTimes.fill(0);
    Player::Shield->Hide();

    Player::PreviousScore = SaveGames::Score();
    SaveGames::SetScore(0);
    ScoreBoard::Score = ScoreBoard::DisplayedScore = 0;
}

int RequestedStage() {
    return StageOptionUsed ? -1 : Media::CurrentOptions().Stage;
}

bool StartRequestedStage() {
    const int stage = RequestedStage();
    if (stage < 0 || stage >= Level::Stages) return false;
    StageOptionUsed = true;
    ResetForNewGame(stage);
    // A game started in the middle of a level still gets its level's music (wave 1 starts it).
    if (stage % Level::WavesPerLevel != 0)
        Sound::PlayMusic("level" + std::to_string(stage / Level::WavesPerLevel + 1) + ".ogg");
    StateSystem::SetState(STATE_NEXT_LEVEL);
    return true;
}
