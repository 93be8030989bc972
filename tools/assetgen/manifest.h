#pragma once
// The picture manifest: every picture the game loads under a fixed name, how it is cut into
// frames and what the game needs of it. The generator writes and validates from this table, the
// preview cuts its contact sheets by it and the data-root test checks a generated root against
// it, so a cell size is stated once. Header only and free of Cairo, so tests can include it.
#include <stdexcept>
#include <string>
#include <vector>

namespace assetgen {

struct PictureEntry {
    std::string path; // relative to the data root, with '/'
    // Cell size in pixels and number of cells, cut row by row; cellW 0 means a single picture
    // that is its own only frame (its size is free).
    int cellW = 0, cellH = 0, count = 1;
    bool hittable = false; // takes part in pixel-exact hit tests: every frame needs solid texels
    bool optional = false; // the game only logs a line when it is missing
    bool written = true;   // false: the generator leaves it out, and the game can do without it
    // Drawn free in space: the border of every cell stays fully transparent, so filtering never
    // bleeds a neighbouring cell or a hard edge into view.
    bool clearEdges = false;

    bool Animated() const { return cellW > 0; }
};

namespace manifest_detail {

inline std::string Numbered(const std::string& prefix, int n, const std::string& suffix) {
    return prefix + std::to_string(n) + suffix;
}

inline std::vector<PictureEntry> Build() {
    std::vector<PictureEntry> p;
    enum Flags { NONE = 0, HIT = 1, OPTIONAL = 2, CLEAR = 4, UNWRITTEN = 8 };
    auto add = [&](const std::string& path, int cellW, int cellH, int count, int flags) {
        p.push_back({path, cellW, cellH, count, (flags & HIT) != 0, (flags & OPTIONAL) != 0,
                     (flags & UNWRITTEN) == 0, (flags & CLEAR) != 0});
    };
    auto single = [&](const std::string& path, int flags) { add(path, 0, 0, 1, flags); };

    // gfx/: the three fonts (94 glyph cells each).
    add("gfx/font1.png", 32, 32, 94, NONE);
    add("gfx/font2.png", 32, 32, 94, NONE);
    add("gfx/font3.png", 64, 64, 94, NONE);

    // gfx/menus/
    for (const char* name : {"mouse",
                             "loading",
                             "loadingbar",
                             "title",
                             "button-start",
                             "button-options",
                             "button-credits",
                             "button-quit",
                             "menutitle-selectplayer",
                             "button-renameplayer",
                             "button-deleteplayer",
                             "button-back",
                             "button-startplayer",
                             "button-canceldelete",
                             "button-confirmdelete",
                             "playerselect",
                             "menutitle-options",
                             "configselect",
                             "menutitle-levelstats",
                             "menutitle-finalstats",
                             "button-continue",
                             "menutitle-quitgame",
                             "button-cancelquit",
                             "button-confirmquit",
                             "levelcomplete",
                             "gameover",
                             "warning",
                             "pixel",
                             "story1",
                             "story2",
                             "end1",
                             "end2"})
        single(std::string("gfx/menus/") + name + ".png", NONE);
    for (int i = 1; i <= 9; ++i)
        single(Numbered("gfx/menus/menupiece", i, ".png"), NONE);
    for (int i = 1; i <= 17; ++i)
        single(Numbered("gfx/menus/credits", i, ".png"), NONE);
    single("gfx/menus/logo1.png", OPTIONAL); // the start-up logos are optional as a set

    // gfx/ship/
    add("gfx/ship/ship.png", 64, 64, 15, HIT | CLEAR);
    for (int i = 1; i <= 4; ++i)
        add(Numbered("gfx/ship/flames", i, ".png"), 32, 32, 15, CLEAR);
    for (const char* name : {"shield", "extralife", "health"})
        single(std::string("gfx/ship/") + name + ".png", CLEAR);

    // gfx/bullets/: every bullet picture is optional to the loader. The six unnamed kinds are
    // never fired, so the generator leaves them out.
    for (int kind : {0, 1, 2, 3, 6, 9, 12})
        add(Numbered("gfx/bullets/bullet", kind, ".png"), 64, 64, 1, HIT | OPTIONAL | CLEAR);
    add("gfx/bullets/bullet4.png", 48, 48, 16, HIT | OPTIONAL | CLEAR);
    for (int kind : {5, 7, 16})
        add(Numbered("gfx/bullets/bullet", kind, ".png"), 64, 64, 16, HIT | OPTIONAL | CLEAR);
    for (int kind : {8, 10, 11, 13, 14, 15})
        add(Numbered("gfx/bullets/bullet", kind, ".png"), 64, 64, 16, OPTIONAL | UNWRITTEN);
    add("gfx/bullets/rocketsmoke.png", 32, 32, 16, CLEAR);

    // gfx/effects/: all optional (a missing one makes its effect invisible).
    add("gfx/effects/explosion.png", 64, 64, 16, OPTIONAL | CLEAR);
    for (const char* name : {"slime_green", "eggsplosion", "shockwave", "spark"})
        add(std::string("gfx/effects/") + name + ".png", 256, 256, 16, OPTIONAL | CLEAR);
    single("gfx/effects/shockwave2.png", OPTIONAL | CLEAR);

    // gfx/powerups/: collected by pixel overlap; the indicators are only drawn.
    for (int i = 1; i <= 12; ++i)
        single(Numbered("gfx/powerups/powerup", i, ".png"), HIT | CLEAR);
    for (int i = 1; i <= 12; ++i)
        single(Numbered("gfx/powerups/indicator", i, ".png"), CLEAR);

    // gfx/enemies/: optional to the loader, needed in practice.
    for (int type = 0; type <= 26; ++type)
        add(Numbered("gfx/enemies/bug", type, ".png"), 64, 64, 16, HIT | OPTIONAL | CLEAR);
    add("gfx/enemies/bug27.png", 64, 64, 64, HIT | OPTIONAL | CLEAR);
    add("gfx/enemies/bug28.png", 32, 32, 64, HIT | OPTIONAL | CLEAR);
    add("gfx/enemies/bug29.png", 256, 256, 16, HIT | OPTIONAL | CLEAR);
    add("gfx/enemies/bug30.png", 384, 384, 16, HIT | OPTIONAL | CLEAR);

    // gfx/background/
    single("gfx/background/dust2.jpg", NONE);
    for (int i = 1; i <= 6; ++i)
        single(Numbered("gfx/background/nebula", i, ".png"), NONE);
    for (int i = 1; i <= 4; ++i)
        single(Numbered("gfx/background/darkmatter", i, ".png"), NONE);
    single("gfx/background/star3.png", NONE);

    // gfx/planets/: a missing planet only leaves its level without one.
    for (int i = 1; i <= 11; ++i)
        single(Numbered("gfx/planets/planet", i, ".png"), OPTIONAL);
    return p;
}

} // namespace manifest_detail

// Every picture, in a fixed order.
inline const std::vector<PictureEntry>& Pictures() {
    static const std::vector<PictureEntry> pictures = manifest_detail::Build();
    return pictures;
}

// The entry of `path`; throws std::out_of_range for a picture the manifest does not list.
inline const PictureEntry& FindPicture(const std::string& path) {
    for (const PictureEntry& e : Pictures())
        if (e.path == path) return e;
    throw std::out_of_range(path + " is not in the picture manifest");
}

} // namespace assetgen
