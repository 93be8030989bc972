#include "game/scoreboard.h"

#include <string>

#include "game/background.h"
#include "game/player.h"
#include "game/points.h"
#include "presentation/font.h"
#include "save/save_games.h"
#include "shell/helpers.h"
#include "shell/load_helpers.h"

namespace {

SpriteRef MakeIcon(const Media::ImageRef& image, float x, float y) {
    SpriteRef icon = Sprite::Create(image, 18, Background::Playfield);
    icon->SetPosition(x, y, 0);
    icon->SetScale(0.66f);
    icon->Hide();
    return icon;
}

} // namespace

void ScoreBoard::Init() {
    ScorePivot = Sprite::Create(nullptr, 18, Background::Playfield);
    Font1->Set();
    ScoreLabel = Text::Create("Score:", 0, 0, 1, ScorePivot, Text::CENTRE);
    ScoreLabel->Pivot->SetScale(0.6f);
    ScoreText = Text::Create("0", 0, 16, 1, ScorePivot, Text::CENTRE);
    ScoreText->Pivot->SetScale(0.85f);
    ShownScore_ = 0;
    ScorePivot->SetPosition(0, -218, 0);
    ScorePivot->Hide();

    LifeImage = LoadGameImage("gfx\\ship\\extralife.png", -1, 0);
    for (int i = 0; i < LIFE_ICONS; ++i)
        LifeIcons[i] = MakeIcon(LifeImage, 376.0f - 24.0f * float(i), 226);
    HealthImage = LoadGameImage("gfx\\ship\\health.png", -1, 0);
    for (int i = 0; i < HEALTH_ICONS; ++i)
        HealthIcons[i] = MakeIcon(HealthImage, -376.0f + 24.0f * float(i), 226);
}

void ScoreBoard::Show() {
    ScorePivot->Show();
}

void ScoreBoard::Hide() {
    ScorePivot->Hide();
    for (const SpriteRef& icon : LifeIcons)
        icon->Hide();
    for (const SpriteRef& icon : HealthIcons)
        icon->Hide();
}

void ScoreBoard::Update() {
    Points::UpdateAll();
    DisplayedScore = Score; // UPDATESPEED is 0: the display takes the score at once
    UpdateDisplay();
    for (int i = 0; i < LIFE_ICONS; ++i) {
        if (Player::Lives >= i + 1)
            LifeIcons[i]->Show();
        else
            LifeIcons[i]->Hide();
    }
    for (int i = 0; i < HEALTH_ICONS; ++i) {
        if (Player::Health >= i + 1)
            HealthIcons[i]->Show();
        else
            HealthIcons[i]->Hide();
    }
}

void ScoreBoard::UpdateDisplay() {
    // Only a changed score builds a new string, so a steady frame allocates nothing.
    if (DisplayedScore == ShownScore_) return;
    ScoreText->Set(FormatScore(DisplayedScore));
    ShownScore_ = DisplayedScore;
}

void ScoreBoard::AdjustScore(int64_t points, int delay) {
    SaveGames::AdjustScore(points);
    Points::Create(points, delay);
}

void ScoreBoard::Set(int64_t score) {
    SaveGames::SetScore(score);
    Score = DisplayedScore = score;
    UpdateDisplay();
    Points::FreeAll();
}

std::string ScoreBoard::FormatScore(int64_t score) {
    // A negative score (never awarded, but Set accepts one) keeps its sign in front.
    const uint64_t magnitude = score < 0 ? 0 - uint64_t(score) : uint64_t(score);
    std::string text = FormatThousands(std::to_string(magnitude));
    return score < 0 ? "-" + text : text;
}
