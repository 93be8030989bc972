// The level's difficulty, its spawning and burst rules, the wave's end, and the fatal messages of
// a missing or broken level file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "level_fixture.h"
#include "shell/state_system.h"
#include "support/test_files.h"

namespace {

TEST(LevelDifficultyTest, QuotaAndMaxEnemiesGrowWithLevelAndWave) {
    const struct {
        int Stage, Quota, MaxEnemies;
    } cases[] = {
        {0, 50, 5},    // level 1 wave 1
        {4, 100, 15},  // level 1 wave 5
        {25, 100, 12}, // level 6 wave 1
        {50, 150, 20}, // level 11 wave 1
        {54, 200, 30}, // level 11 wave 5
    };
    for (const auto& c : cases) {
        const Level::Difficulty d = Level::DifficultyOf(c.Stage);
        EXPECT_EQ(d.Quota, c.Quota) << "stage " << c.Stage;
        EXPECT_EQ(d.MaxEnemies, c.MaxEnemies) << "stage " << c.Stage;
    }
}

TEST(LevelStageTest, LevelAndWaveOfAStage) {
    Level::Stage = 0;
    EXPECT_EQ(Level::ThisLevel(), 1);
    EXPECT_EQ(Level::ThisWave(), 1);
    Level::Stage = 54;
    EXPECT_EQ(Level::ThisLevel(), 11);
    EXPECT_EQ(Level::ThisWave(), 5);
    EXPECT_EXIT(Level::LoadNext(), testing::ExitedWithCode(1),
                "Error in Level.LoadNext\\(\\): Attempted to load level beyond final level!");
}

TEST_F(LevelTest, LoadingAStageSetsItsDifficultyAndEntersSpawning) {
    Level::LoadNext();
    EXPECT_EQ(Level::Stage, 0);
    EXPECT_EQ(Level::Quota, 50);
    EXPECT_EQ(Level::MaxEnemies, 5);
    EXPECT_EQ(Level::State, 0);
    EXPECT_EQ(Enemy::SpawnCount, 0);
    EXPECT_FALSE(Level::EnemyTypes.empty());
    EXPECT_EQ(Background::CurrentBackground, 0);
    EXPECT_EQ(Level::NextSpawnTime, GameTime + 3000);
    EXPECT_GE(Level::NextBurstTime, GameTime + 10000);
    EXPECT_LE(Level::NextBurstTime, GameTime + 20000);
}

TEST_F(LevelTest, TheFiftyFirstEnemyEndsSpawning) {
    Level::LoadLevel(0);
    NoTimedSpawns();
    while (Enemy::SpawnCount < 51) {
        Enemy::FreeAll(); // the field never fills, so every due spawn happens
        Level::NextSpawnTime = GameTime;
        const int before = Enemy::SpawnCount;
        Frame();
        ASSERT_EQ(Enemy::SpawnCount, before + 1);
        // The quota is passed only when more than 50 enemies have been created.
        ASSERT_EQ(Level::State, Enemy::SpawnCount > 50 ? 2 : 0) << Enemy::SpawnCount << " created";
    }
}

TEST_F(LevelTest, SpawningStopsWhileTheFieldIsFull) {
    Level::LoadLevel(0);
    NoTimedSpawns();
    for (int i = 0; i < 20; ++i) {
        Level::NextSpawnTime = GameTime;
        Frame();
    }
    EXPECT_EQ(Enemy::EnemyList().Count(), Level::MaxEnemies);
    EXPECT_EQ(Enemy::SpawnCount, Level::MaxEnemies);
}

TEST_F(LevelTest, ABurstRunsPastTheQuotaAndTheWaveEndsRightAfterIt) {
    Level::LoadLevel(0);
    Level::EnemyTypes = {Enemy::SPIDER};
    NoTimedSpawns();
    Enemy::SpawnCount = 49;
    Level::NextBurstTime = GameTime;
    Frame();
    ASSERT_EQ(Level::State, 1);
    const int burst = Level::BurstCount;
    ASSERT_GE(burst, 15);

    while (Level::State == 1) {
        Enemy::FreeAll();
        Frame(250);
    }
    EXPECT_EQ(Enemy::SpawnCount, 49 + burst); // every enemy of the burst came, well past 50
    EXPECT_EQ(Level::State, 0);
    Frame();
    EXPECT_EQ(Level::State, 2);
}

TEST_F(LevelTest, AsteroidBurstsAreThreeTimesAsLong) {
    Level::LoadLevel(0);
    const struct {
        int Type, Min, Max, Multiple;
    } cases[] = {
        {Enemy::SPIDER, 15, 30, 1},
        {Enemy::LADYBUG_LEFT, 15, 30, 1},
        {Enemy::ASTEROID_LARGE, 45, 90, 3},
        {Enemy::ASTEROID_MEDIUM, 45, 90, 3},
    };
    for (const auto& c : cases) {
        Level::EnemyTypes = {c.Type};
        int shortest = 1000, longest = 0;
        for (int trial = 0; trial < 200; ++trial) {
            Level::SetState(0);
            Enemy::SpawnCount = 0;
            NoTimedSpawns();
            Level::NextBurstTime = GameTime;
            Frame();
            ASSERT_EQ(Level::State, 1);
            EXPECT_EQ(Level::BurstCount % c.Multiple, 0);
            shortest = std::min(shortest, Level::BurstCount);
            longest = std::max(longest, Level::BurstCount);
        }
        EXPECT_GE(shortest, c.Min) << "type " << c.Type;
        EXPECT_LE(longest, c.Max) << "type " << c.Type;
        EXPECT_GT(longest - shortest, (c.Max - c.Min) / 2) << "type " << c.Type; // the length varies
    }
}

TEST_F(LevelTest, BurstLadybugsAlternateAndAsteroidsSwitchSizes) {
    Level::LoadLevel(0);
    for (int type : {Enemy::LADYBUG_LEFT, Enemy::ASTEROID_LARGE}) {
        Enemy::FreeAll();
        Level::EnemyTypes = {type};
        Level::SetState(0);
        NoTimedSpawns();
        Level::NextBurstTime = GameTime;
        Frame();
        ASSERT_EQ(Level::State, 1);
        std::vector<int> spawned;
        for (int i = 0; i < 12; ++i) {
            Level::NextBurstSpawnTime = GameTime;
            Frame();
            spawned.push_back(Enemy::EnemyList().Last()->Type_);
            Enemy::FreeAll();
        }
        for (size_t i = 1; i < spawned.size(); ++i) {
            if (type == Enemy::LADYBUG_LEFT) {
                EXPECT_NE(spawned[i], spawned[i - 1]);
            } else {
                EXPECT_TRUE(spawned[i] == Enemy::ASTEROID_LARGE || spawned[i] == Enemy::ASTEROID_MEDIUM);
            }
        }
        if (type == Enemy::ASTEROID_LARGE) {
            EXPECT_NE(std::count(spawned.begin(), spawned.end(), Enemy::ASTEROID_MEDIUM), 0);
        }
    }
}

TEST_F(LevelTest, WavesFollowAtOnceOnceTheFieldIsEmpty) {
    Level::LoadLevel(0);
    NoTimedSpawns();
    Level::SetState(2);
    EnemyRef straggler = Enemy::Spawn(Enemy::SPIDER, 0, 0, 0);
    Frame();
    EXPECT_EQ(Level::Stage, 0);
    straggler->Free();
    Frame();
    EXPECT_EQ(Level::Stage, 1);
    EXPECT_EQ(Level::State, 0);
}

TEST_F(LevelTest, TheFifthWaveWaitsForTheLastPowerupThenCompletesTheLevel) {
    Level::LoadLevel(4);
    NoTimedSpawns();
    Level::SetState(2);
    Powerup::Spawn(Powerup::MONEYBAG, 400, 250);
    Frame();
    EXPECT_EQ(Level::State, 2);
    Powerup::FreeAll();
    Frame();
    EXPECT_EQ(Level::State, 3);
    // The statistics screen opens 2000 ms later.
    bool shown = false;
    StateSystem::RegisterShow(STATE_LEVEL_STATS, [] { StateSystem::SetState(STATE_LEVEL_STATS); });
    StateSystem::SetState(STATE_PLAYING);
    for (int t = 0; t < 2100 && !shown; t += 16) {
        Frame();
        shown = StateSystem::State() == STATE_LEVEL_STATS;
        if (shown) {
            EXPECT_GE(GameTime - Level::LastStateChangeTime, 2000);
        }
    }
    EXPECT_TRUE(shown);
}

TEST_F(LevelTest, TheBossWaveSummonsTheBossWhenTheFieldIsEmpty) {
    Level::LoadLevel(24); // level 5 wave 5
    NoTimedSpawns();
    Enemy::SpawnCount = Level::Quota + 1;
    Frame();
    ASSERT_EQ(Level::State, 7);
    Frame();
    EXPECT_EQ(Level::State, 8);
    ASSERT_EQ(Enemy::EnemyList().Count(), 1);
    EXPECT_EQ(Enemy::EnemyList().First()->Type_, Enemy::BOSS1);
    EXPECT_EQ(Background::WarningBanner->Hidden(0), 0);
    Enemy::FreeAll(); // the boss frees itself at the end of its death
    Frame();
    EXPECT_EQ(Level::State, 2);
    EXPECT_EQ(Player::GameCompleted, 0); // only the last level completes the game
}

// An enemy without a picture can never be shot: the types that stay until destroyed, and the boss,
// would hold their wave forever. They are dropped as they come, and the wave ends all the same.
TEST_F(LevelTest, EnemiesWhosePictureFailedToLoadAreDroppedSoTheWaveEnds) {
    const int stayers[] = {Enemy::BIRDY, Enemy::SKEETER, Enemy::MENTALIST};
    for (const int type : stayers)
        Enemy::EnemyImages[size_t(type)] = nullptr;
    Level::LoadLevel(0);
    Level::EnemyTypes.assign(std::begin(stayers), std::end(stayers));
    const int start = GameTime;
    while (Level::Stage == 0 && GameTime - start < 120000)
        Frame();
    EXPECT_EQ(Level::Stage, 1);
    const std::string log = testfiles::ReadText(LogPath());
    for (const int type : stayers) {
        const std::string line = "Enemy type " + std::to_string(type) + " has no picture";
        size_t first = log.find(line);
        EXPECT_NE(first, std::string::npos) << line;
        EXPECT_EQ(log.find(line, first + 1), std::string::npos) << line << " is logged once";
    }

    Enemy::FreeAll();
    Enemy::EnemyImages[Enemy::BOSS1] = nullptr;
    Level::LoadLevel(24); // level 5 wave 5
    NoTimedSpawns();
    Enemy::SpawnCount = Level::Quota + 1;
    Frame();
    ASSERT_EQ(Level::State, 7);
    Frame(); // the boss comes and goes at once
    EXPECT_EQ(Enemy::EnemyList().Count(), 0);
    Frame();
    EXPECT_EQ(Level::State, 2);
}

TEST_F(LevelTest, LosingTheLastLifeEndsInTheFinalStatistics) {
    Level::LoadLevel(0);
    NoTimedSpawns();
    StateSystem::RegisterShow(STATE_FINAL_STATS, [] { StateSystem::SetState(STATE_FINAL_STATS); });
    StateSystem::SetState(STATE_PLAYING);
    Level::SetState(4);
    const int lost = GameTime;
    while (StateSystem::State() == STATE_PLAYING && GameTime - lost < 10000)
        Frame();
    EXPECT_EQ(StateSystem::State(), STATE_FINAL_STATS);
    EXPECT_GE(GameTime - lost, 1500 + 7000);
    EXPECT_LT(GameTime - lost, 1500 + 7000 + 100);
    EXPECT_EQ(Background::GameOverBanner->Hidden(0), 1);
}

TEST_F(LevelTest, AnUnknownLevelStateIsFatal) {
    Level::LoadLevel(0);
    Level::SetState(9);
    EXPECT_EXIT(Frame(), testing::ExitedWithCode(1), "ERROR: Invalid level state!");
}

// The level files are read from the working folder: each case has its own data root.
class BrokenLevelFileTest : public testing::Test {
protected:
    void SetUp() override {
        root = testfiles::MakeTempDir();
        Media::Options options;
        options.Headless = true;
        options.DataRoot = root;
        options.LogFile = root + "/log.txt";
        std::string error;
        ASSERT_TRUE(Media::Init(options, error)) << error;
    }
    void TearDown() override {
        Media::Shutdown();
        std::filesystem::remove_all(root);
    }
    void WriteLevel1(const std::string& text) {
        testfiles::WriteBytes(root + "/data/level1.dat", std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::string root;
};

TEST_F(BrokenLevelFileTest, AMissingFileAsksForAReinstall) {
    EXPECT_EXIT(Level::LoadLevel(0), testing::ExitedWithCode(1),
                "Error: Enemy data file not found!  Please reinstall the game\\.");
}

TEST_F(BrokenLevelFileTest, AWaveWithoutCodesIsCorrupt) {
    WriteLevel1("'wave 1\n'wave 2\n0\n'\n");
    EXPECT_EXIT(Level::LoadLevel(0), testing::ExitedWithCode(1),
                "Error: Enemy data file corrupt!  Please reinstall the game\\.");
}

TEST_F(BrokenLevelFileTest, AnUnknownCodeIsCorruptAndTheLogNamesIt) {
    WriteLevel1("'wave 1\n0\n42\n'\n");
    EXPECT_EXIT(Level::LoadLevel(0), testing::ExitedWithCode(1),
                "Error: Enemy data file corrupt!  Please reinstall the game\\.");
    const std::string log = testfiles::ReadText(root + "/log.txt");
    EXPECT_NE(log.find("data\\level1.dat line 3: enemy code 42 is not a type from 0 to 30"),
              std::string::npos)
        << log;
}

} // namespace
