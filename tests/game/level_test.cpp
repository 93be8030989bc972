// The level's difficulty, its spawning and burst rules, the wave's end, and the fatal messages of
// a missing or broken level file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "level_fixture.h"
#include "shell/state_system.h"
#include "sprites/animate.h"
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

TEST_F(LevelTest, TheLastLevelsBossCompletesTheGame) {
    Level::LoadLevel(54); // level 11 wave 5
    NoTimedSpawns();
    Enemy::SpawnCount = Level::Quota + 1;
    Frame();
    ASSERT_EQ(Level::State, 7);
    Frame();
    ASSERT_EQ(Level::State, 8);
    ASSERT_EQ(Enemy::EnemyList().Count(), 1);
    EXPECT_EQ(Enemy::EnemyList().First()->Type_, Enemy::BOSS2);
    Frame();
    EXPECT_EQ(Player::GameCompleted, 0) << "not while the boss lives";
    Enemy::FreeAll();
    Frame();
    EXPECT_EQ(Level::State, 2);
    EXPECT_EQ(Player::GameCompleted, 1);
}

// The new-game step puts back every per-game value, whatever the last game left.
TEST_F(LevelTest, ANewGameResetsEveryPerGameValue) {
    Level::Stage = 37;
    Player::Invincible = 1;
    Player::Lives = 5;
    Player::Health = 1;
    Player::Weapon = Player::WEAPON_LASER4;
    Player::SlowedTime = Player::ReversedTime = GameTime;
    Player::TotalEnemies = Player::TotalKills = Player::TotalPowerups = 7;
    Player::TotalCollected = Player::TotalShots = Player::TotalHits = 7;
    Player::GameCompleted = 1;
    Powerup::ActivationTimes.fill(GameTime);
    Player::Shield->Show();
    SaveGames::SetScore(12345);
    ScoreBoard::Score = ScoreBoard::DisplayedScore = 999;

    ResetForNewGame(0);
    EXPECT_EQ(Level::Stage, -1) << "the next LoadNext loads stage 0";
    EXPECT_EQ(Player::Invincible, 0);
    EXPECT_EQ(Player::Lives, 3);
    EXPECT_EQ(Player::Health, 3);
    EXPECT_EQ(Player::Weapon, Player::WEAPON_LASER1);
    EXPECT_EQ(Player::SlowedTime, -65536);
    EXPECT_EQ(Player::ReversedTime, -65536);
    for (const int total : {Player::TotalEnemies, Player::TotalKills, Player::TotalPowerups,
                            Player::TotalCollected, Player::TotalShots, Player::TotalHits})
        EXPECT_EQ(total, 0);
    EXPECT_EQ(Player::GameCompleted, 0);
    for (int kind = 0; kind < Powerup::POWERUPS; ++kind)
        EXPECT_EQ(Powerup::ActivationTimes[size_t(kind)], 0) << "kind " << kind;
    EXPECT_EQ(Player::Shield->Hidden(0), 1);
    EXPECT_EQ(Player::PreviousScore, 12345);
    EXPECT_EQ(SaveGames::Score(), 0);
    EXPECT_EQ(ScoreBoard::Score, 0);
    EXPECT_EQ(ScoreBoard::DisplayedScore, 0);
    Level::LoadNext();
    EXPECT_EQ(Level::Stage, 0);
}

// [SECTION] Transient texts and shaking

// The newest transient text.
SpriteRef NewestText() {
    SpriteRef found;
    for (Sprite* sprite = Sprite::SpriteList().First(); sprite; sprite = sprite->Link_.Next)
        if (sprite->Name() == "text") found = sprite->shared_from_this();
    return found;
}

// One 10 ms step of the sprite engine.
void Tick() {
    GameTime += 10;
    Sprite::SetTimeStep(10);
    Sprite::Update();
}

TEST_F(LevelTest, EachTextStyleHasItsFontPlaceMotionAndLife) {
    struct Check {
        int ms;            // age of the text's animations
        float x, y, scale; // screen position and scale then
    };
    struct Case {
        int style;
        const FontRef* font;
        std::vector<Check> checks;
        int life; // ms until the text frees itself; -1: it stays
    } cases[] = {
        {0, &Font1, {{0, 300, 200, 1}}, 1000},
        {1, &Font1, {{0, 300, 200, 0}}, 500},
        {2, &Font1, {{0, 300, 200, 1}}, 500},
        {3, &Font2, {{0, 300, 200, 0.66f}, {500, 300, 125, 0.66f}}, 1000},
        {4, &Font2, {{0, 300, 200, 1}, {3000, 300, 200, 1}}, -1},
        {5, &Font3, {{0, -256, 238, 0.5f}, {500, 400, 238, 0.5f}, {1500, 400, 238, 0.5f}}, 2000},
        {6, &Font3, {{0, 1056, 262, 0.33f}, {500, 400, 262, 0.33f}, {1500, 400, 262, 0.33f}}, 2000},
        {7, &Font3, {{0, 400, 250, 0}, {500, 400, 250, 0.5f}}, 2000},
    };
    const SpriteRef& score = ScoreBoard::ScoreText->Pivot;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        Level::SpawnText("Abc", 300, 200, c.style);
        SpriteRef text = NewestText();
        ASSERT_TRUE(text);
        bool fontSeen = false;
        for (Sprite* letter = Sprite::SpriteList().First(); letter; letter = letter->Link_.Next)
            if (letter->Parent() == text) fontSeen = fontSeen || letter->Image() == (*c.font)->Image();
        EXPECT_TRUE(fontSeen) << "letters of the style's font";
        Tick(); // the animations start at age 0
        int age = 0;
        float lastX = 0, lastY = 0;
        for (const Check& check : c.checks) {
            while (age < check.ms) {
                Tick();
                age += 10;
            }
            EXPECT_NEAR(text->X(1), check.x, 0.5f) << "at " << check.ms << " ms";
            EXPECT_NEAR(text->Y(1), check.y, 0.5f) << "at " << check.ms << " ms";
            EXPECT_NEAR(text->ScaleX(0), check.scale, 1e-3f) << "at " << check.ms << " ms";
        }
        while (text->Linked() && age < 4000) {
            lastX = text->X(1);
            lastY = text->Y(1);
            Tick();
            age += 10;
        }
        if (c.life < 0) {
            EXPECT_TRUE(text->Linked());
            text->Free();
        } else {
            EXPECT_FALSE(text->Linked());
            // A delayed leave counts its delay from the frame it was queued in, one step early.
            EXPECT_GE(age, c.life - 10);
            EXPECT_LE(age, c.life + 20);
        }
        if (c.style == 0) {
            EXPECT_NEAR(lastX, score->X(1), 10) << "points fly to the score";
            EXPECT_NEAR(lastY, score->Y(1), 10);
        }
    }
}

// The shake's points rise from nothing over the attack, hold the amplitude, fall over the decay,
// and the last step returns the sprite to where it was; the whole takes (a + s + d) steps.
TEST_F(LevelTest, AShakeJittersWithinItsEnvelopeAndReturnsInItsTime) {
    SpriteRef sprite = Sprite::Create(nullptr, 0, Background::Playfield);
    sprite->SetPosition(10, 20, 0);
    Level::ShakeSprite(sprite, 8, 100, 250, 1000, 25); // 4 + 10 + 40 steps of 25 ms
    Tick();
    int age = 0;
    float attackReach = 0, sustainReach = 0, tailReach = 0;
    while (sprite->Animating(Animate::TRANSFORM_POSITION) && age < 3000) {
        const float reach = std::max(std::fabs(sprite->X(0) - 10), std::fabs(sprite->Y(0) - 20));
        EXPECT_LE(reach, 8.0f + 1e-3f) << "at " << age << " ms";
        if (age < 50) attackReach = std::max(attackReach, reach);
        if (age >= 100 && age < 350) sustainReach = std::max(sustainReach, reach);
        if (age >= 1300) tailReach = std::max(tailReach, reach);
        Tick();
        age += 10;
    }
    EXPECT_GE(age, 54 * 25);
    EXPECT_LE(age, 54 * 25 + 20);
    EXPECT_FLOAT_EQ(sprite->X(0), 10);
    EXPECT_FLOAT_EQ(sprite->Y(0), 20);
    EXPECT_LE(attackReach, 8.0f / 4 + 1e-3f) << "the first point is the start, the second a quarter out";
    EXPECT_GT(sustainReach, 4.0f) << "the sustain shakes at full amplitude";
    EXPECT_LE(tailReach, 8.0f * 3 / 40 + 1e-3f) << "the decay dies down";
}

// A slam of strength k shakes for 0 / k, 150 / k and 50 / k ms in 20 ms steps; a slam that finds
// the sprite still shaking does not start again.
TEST_F(LevelTest, ASlamLastsByItsStrengthAndIsNotRestarted) {
    struct Case {
        float strength;
        int ms; // 20 × (150/k / 20 + 50/k / 20)
    } cases[] = {{0.66f, 280}, {1.0f, 180}, {0.33f, 580}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "strength " << c.strength);
        SpriteRef sprite = Sprite::Create(nullptr, 0, Background::Playfield);
        Level::Slam(sprite, c.strength);
        Tick();
        int age = 0;
        while (sprite->Animating(Animate::TRANSFORM_POSITION) && age < 2000) {
            if (age == 100) Level::Slam(sprite, c.strength);
            Tick();
            age += 10;
        }
        EXPECT_GE(age, c.ms - 10); // the delayed steps count from the frame they were queued in
        EXPECT_LE(age, c.ms + 20);
        sprite->Free();
    }
}

// [SECTION] Music

// Level music starts with the first wave of each level only; the boss track comes with the boss.
// The pieces are taken away, so the log names every piece asked for.
class LevelMusicTest : public LevelTest {
protected:
    std::string DataRoot() override {
        namespace fs = std::filesystem;
        if (root.empty()) {
            root = testfiles::MakeTempDir();
            const fs::path data = QS_DATA_ROOT;
            fs::create_directory_symlink(data / "gfx", fs::path(root) / "gfx");
            fs::create_directory_symlink(data / "data", fs::path(root) / "data");
            fs::create_directories(fs::path(root) / "sfx");
            for (const fs::directory_entry& entry : fs::directory_iterator(data / "sfx"))
                if (entry.is_regular_file())
                    fs::create_symlink(entry.path(), fs::path(root) / "sfx" / entry.path().filename());
        }
        return root;
    }
    void TearDown() override {
        LevelTest::TearDown();
        std::filesystem::remove_all(root);
    }
    static int Asked(const std::string& piece) {
        const std::string log = testfiles::ReadText(LogPath());
        const std::string line = "''sfx\\music\\" + piece + "'' failed to load";
        int n = 0;
        for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
            ++n;
        return n;
    }
    std::string root;
};

TEST_F(LevelMusicTest, LevelMusicOnTheFirstWaveOnlyAndTheBossTrackWithTheBoss) {
    Level::LoadLevel(0);
    EXPECT_EQ(Asked("level1.ogg"), 1);
    for (int stage = 1; stage <= 4; ++stage)
        Level::LoadLevel(stage);
    EXPECT_EQ(Asked("level1.ogg"), 1) << "waves 2 to 5 keep the level's piece";
    Level::LoadLevel(5);
    EXPECT_EQ(Asked("level2.ogg"), 1);
    Level::LoadLevel(24);
    EXPECT_EQ(Asked("level5.ogg"), 0);
    NoTimedSpawns();
    Enemy::SpawnCount = Level::Quota + 1;
    Frame();
    EXPECT_EQ(Asked("boss.ogg"), 0) << "not before the field is empty";
    Frame();
    ASSERT_EQ(Level::State, 8);
    EXPECT_EQ(Asked("boss.ogg"), 1);
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
