// Score awards: the save slot at once, the board after the award's delay; the board's display.
#include <gtest/gtest.h>

#include "level_fixture.h"

namespace {

TEST_F(LevelTest, AnAwardReachesTheSlotAtOnceAndTheBoardAfterItsDelay) {
    SaveGames::SetScore(0);
    ScoreBoard::AdjustScore(500, 1000);
    EXPECT_EQ(SaveGames::Score(), 500);
    EXPECT_EQ(ScoreBoard::Score, 0);
    for (int elapsed = 16; elapsed < 1000; elapsed += 16) {
        ScoreBoard::Update(); // 16 ms frames
        ASSERT_EQ(ScoreBoard::Score, 0) << elapsed << " ms";
    }
    ScoreBoard::Update(); // 1008 ms
    EXPECT_EQ(ScoreBoard::Score, 500);
    EXPECT_EQ(ScoreBoard::ScoreText->String(), "500");
    EXPECT_EQ(Points::PointsList().Count(), 0);
}

TEST_F(LevelTest, SpawnPointsModesDecideWhereThePointsGo) {
    const struct {
        int Mode;
        int64_t ToSlot, ToBoardAtOnce;
    } cases[] = {{0, 250, 0}, {1, 250, 250}, {2, 0, 0}, {3, 0, 0}};
    for (const auto& c : cases) {
        SaveGames::SetScore(0);
        ScoreBoard::Set(0);
        Level::SpawnPoints(250, 400, 250, c.Mode);
        ScoreBoard::Update();
        EXPECT_EQ(SaveGames::Score(), c.ToSlot) << "mode " << c.Mode;
        EXPECT_EQ(ScoreBoard::Score, c.ToBoardAtOnce) << "mode " << c.Mode;
    }
}

TEST_F(LevelTest, SetDropsPendingAwardsButTheSlotKeepsThem) {
    SaveGames::SetScore(0);
    ScoreBoard::AdjustScore(1000, 1000);
    ScoreBoard::Set(40);
    for (int i = 0; i < 100; ++i)
        ScoreBoard::Update();
    EXPECT_EQ(ScoreBoard::Score, 40);
    EXPECT_EQ(SaveGames::Score(), 40);
}

TEST_F(LevelTest, ScoresPastTheFloatRangeKeepEveryPoint) {
    ScoreBoard::Set(16777216);
    ScoreBoard::AdjustScore(1, 0);
    ScoreBoard::Update();
    EXPECT_EQ(ScoreBoard::Score, 16777217);
    EXPECT_EQ(ScoreBoard::ScoreText->String(), "16,777,217");
    EXPECT_EQ(SaveGames::Score(), 16777217);
}

TEST(ScoreFormatTest, ThousandsSeparators) {
    EXPECT_EQ(ScoreBoard::FormatScore(0), "0");
    EXPECT_EQ(ScoreBoard::FormatScore(999), "999");
    EXPECT_EQ(ScoreBoard::FormatScore(1000), "1,000");
    EXPECT_EQ(ScoreBoard::FormatScore(1234567), "1,234,567");
    EXPECT_EQ(ScoreBoard::FormatScore(-4500), "-4,500");
    EXPECT_EQ(ScoreBoard::FormatScore(INT64_MAX), "9,223,372,036,854,775,807");
}

TEST_F(LevelTest, IconsFollowLivesAndHealth) {
    ScoreBoard::Show();
    const struct { int Lives, Health; } cases[] = {{0, 0}, {3, 3}, {5, 1}, {1, 2}};
    for (const auto& c : cases) {
        Player::Lives = c.Lives;
        Player::Health = c.Health;
        ScoreBoard::Update();
        for (int i = 0; i < ScoreBoard::LIFE_ICONS; ++i)
            EXPECT_EQ(ScoreBoard::LifeIcons[i]->Hidden(0), i < c.Lives ? 0 : 1)
                << c.Lives << " lives, icon " << i;
        for (int i = 0; i < ScoreBoard::HEALTH_ICONS; ++i)
            EXPECT_EQ(ScoreBoard::HealthIcons[i]->Hidden(0), i < c.Health ? 0 : 1)
                << c.Health << " health, icon " << i;
    }
    ScoreBoard::Hide();
    EXPECT_EQ(ScoreBoard::LifeIcons[0]->Hidden(0), 1);
    EXPECT_EQ(ScoreBoard::ScorePivot->Hidden(0), 1);
}

TEST_F(LevelTest, TheNewGameResetRemembersTheSlotScoreAndClearsTheBoard) {
    SaveGames::SetScore(12345);
    ScoreBoard::Set(12345);
    Player::Lives = 1;
    Player::TotalKills = 7;
    Powerup::ActivationTimes[Powerup::BARREL] = GameTime;
    ResetForNewGame(0);
    EXPECT_EQ(Player::PreviousScore, 12345);
    EXPECT_EQ(SaveGames::Score(), 0);
    EXPECT_EQ(ScoreBoard::Score, 0);
    EXPECT_EQ(ScoreBoard::DisplayedScore, 0);
    EXPECT_EQ(Player::Lives, Player::DEFAULT_LIVES);
    EXPECT_EQ(Player::TotalKills, 0);
    EXPECT_EQ(Powerup::Active(Powerup::BARREL), 0);
    EXPECT_EQ(Level::Stage, -1);
}

} // namespace
