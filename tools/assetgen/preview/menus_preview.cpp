// Menu sheets: the nine frame pieces assembled into every panel size the game builds, and
// mock-ups of each menu screen at the game's 800 × 500 layout with its pictures and texts.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "preview/sheets.h"

namespace assetgen::preview {
namespace {

constexpr int kScreenW = 800, kScreenH = 500;

void Save(cairo_surface_t* s, const std::filesystem::path& file) {
    if (cairo_surface_write_to_png(s, file.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + file.string());
}

// A copy of a picture with every premultiplied ARGB pixel passed through `map`.
template <typename Map> Surface MapPixels(cairo_surface_t* src, Map map) {
    if (!src) return nullptr;
    int w = cairo_image_surface_get_width(src), h = cairo_image_surface_get_height(src);
    Surface out = NewSurface(w, h);
    cairo_surface_flush(src);
    cairo_surface_flush(out.get());
    for (int y = 0; y < h; ++y) {
        auto* s = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(src) +
                                                    y * cairo_image_surface_get_stride(src));
        auto* d = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(out.get()) +
                                              y * cairo_image_surface_get_stride(out.get()));
        for (int x = 0; x < w; ++x)
            d[x] = map(s[x]);
    }
    cairo_surface_mark_dirty(out.get());
    return out;
}

// The two highlight pictures carry pure magenta where they are see-through.
Surface KeyMagenta(cairo_surface_t* src) {
    return MapPixels(src, [](uint32_t p) { return p == 0xFFFF00FFu ? 0u : p; });
}

struct Rgb8 {
    int r, g, b;
    Rgb8 Times(int k) const { return {std::min(255, r * k), std::min(255, g * k), std::min(255, b * k)}; }
};

// A copy of a picture with its colours multiplied by `tint`, as the game's sprite colour does.
Surface Tinted(cairo_surface_t* src, Rgb8 tint) {
    return MapPixels(src, [tint](uint32_t p) {
        uint32_t r = ((p >> 16) & 0xFF) * uint32_t(tint.r) / 255,
                 g = ((p >> 8) & 0xFF) * uint32_t(tint.g) / 255, b = (p & 0xFF) * uint32_t(tint.b) / 255;
        return (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
    });
}

// The dust JPEG as the game uses it: its grey becomes the opacity of the tint colour.
Surface DustPicture(cairo_surface_t* src, Rgb8 tint) {
    return MapPixels(src, [tint](uint32_t p) {
        uint32_t a = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
        return (a << 24) | ((uint32_t(tint.r) * a / 255) << 16) | ((uint32_t(tint.g) * a / 255) << 8) |
               (uint32_t(tint.b) * a / 255);
    });
}

class Mockups {
public:
    Mockups(const std::filesystem::path& root) : root_(root) {
        font1_ = LoadBitmapFont(root, "gfx/font1.png", 0.05, 0.33);
        font2_ = LoadBitmapFont(root, "gfx/font2.png", 0.05, 0.33);
        font3_ = LoadBitmapFont(root, "gfx/font3.png", 0.0125, 0.33);
        for (int i = 1; i <= 9; ++i)
            pieces_.push_back(Load("gfx/menus/menupiece" + std::to_string(i) + ".png"));
    }

    bool HavePieces() const {
        for (const auto& p : pieces_)
            if (!p) return false;
        return true;
    }
    const std::vector<Surface>& Pieces() const { return pieces_; }

    Surface Load(const std::string& relative) { return LoadPicture(root_ / relative); }

    // A screen with the scenery composed as the game composes a background: two dust layers in
    // the level colour, a nebula at twice and dark matter at three times that colour, 100 stars
    // and the planet. `level` is 1 … 11 (the title screen uses level 5); 0 leaves the screen black.
    cairo_t* Begin(Surface& screen, int level = 5, double planetScale = 0.66) {
        screen = NewSurface(kScreenW, kScreenH);
        cairo_t* cr = cairo_create(screen.get());
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        if (level == 0) return cr;
        int index = level - 1;
        Rgb8 tint{0, 0, 63};
        Rgb8 starA{0, 255, 255}, starB{0, 255, 96};
        if (index == 9)
            tint = {47, 15, 0}, starA = {255, 96, 0}, starB = {255, 196, 0};
        else if (index == 2 || index == 6 || index == 8)
            tint = {0, 39, 31}, starA = {255, 255, 0}, starB = {96, 255, 0};
        else if (index == 1 || index == 3 || index == 5)
            tint = {47, 0, 47};
        unsigned seed = 7u + unsigned(level) * 13u;
        auto next = [&](int lo, int hi) {
            seed = seed * 1103515245u + 12345u;
            return lo + int((seed >> 8) % unsigned(hi - lo + 1));
        };
        Surface dust = DustPicture(Load("gfx/background/dust2.jpg").get(), tint);
        for (int layer = 0; layer < 2; ++layer)
            DrawCentred(cr, dust.get(), 400, 250, 1);
        Surface nebula =
            Tinted(Load("gfx/background/nebula" + std::to_string(next(1, 6)) + ".png").get(), tint.Times(2));
        if (nebula) {
            cairo_save(cr);
            cairo_translate(cr, 400 + next(-272, 272), 250 + next(-122, 122));
            cairo_rotate(cr, next(-45, 45) * M_PI / 180);
            DrawCentred(cr, nebula.get(), 0, 0, 1.5, 0.33);
            cairo_restore(cr);
        }
        Surface dark = Tinted(Load("gfx/background/darkmatter" + std::to_string(next(1, 4)) + ".png").get(),
                              tint.Times(3));
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        DrawCentred(cr, dark.get(), 400, 250, 1);
        Surface star = Load("gfx/background/star3.png");
        Surface stars[2] = {Tinted(star.get(), starA), Tinted(star.get(), starB)};
        for (int i = 0; i < 100 && star; ++i) {
            double d = std::pow(next(0, 1000) / 1000.0, 6);
            DrawCentred(cr, stars[next(0, 1)].get(), 400 + next(-400, 400), 250 + next(-258, 258),
                        (0.13333334 + 0.86666666 * d) / 2, 0.9);
        }
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        Surface planet = Load("gfx/planets/planet" + std::to_string(level) + ".png");
        DrawCentred(cr, planet.get(), 400, 250, planetScale);
        return cr;
    }

    // Enters panel space: the panel sits at the screen centre at scale 0.55.
    void Panel(cairo_t* cr, int columns, int rows) {
        Surface panel = AssemblePanel(pieces_, columns, rows);
        cairo_translate(cr, 400, 250);
        cairo_scale(cr, 0.55, 0.55);
        DrawCentred(cr, panel.get(), 0, 0, 1);
    }

    void Picture(cairo_t* cr, const std::string& relative, double x, double y, double scale) {
        Surface p = Load(relative);
        DrawCentred(cr, p.get(), x, y, scale);
    }

    void Additive(cairo_t* cr, const std::string& relative, double x, double y) {
        Surface p = KeyMagenta(Load(relative).get());
        if (!p) return;
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        DrawCentred(cr, p.get(), x, y, 1);
        cairo_restore(cr);
    }

    void Pointer(cairo_t* cr, double x, double y) {
        Surface p = Load("gfx/menus/mouse.png");
        if (!p) return;
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 0.5, 0.5);
        cairo_set_source_surface(cr, p.get(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }

    BitmapFont font1_, font2_, font3_;

private:
    std::filesystem::path root_;
    std::vector<Surface> pieces_;
};

// The story and credits columns as they scroll past on the 800-unit-wide screen (scale 0.4),
// with the gaps the game leaves between the pictures.
void WriteColumns(Mockups& m, const std::filesystem::path& previewDir) {
    struct Column {
        const char* file;
        std::vector<std::string> pictures;
        std::vector<double> gaps;
    };
    std::vector<std::string> credits;
    for (int i = 1; i <= 17; ++i)
        credits.push_back("gfx/menus/credits" + std::to_string(i) + ".png");
    const Column columns[] = {
        {"column-story.png", {"gfx/menus/story1.png", "gfx/menus/story2.png"}, {48 / 0.4}},
        {"column-credits.png",
         credits,
         {150, 100, 100, 100, 50, 50, 50, 50, 50, 50, 50, 100, 100, 100, 100, 50}},
        {"column-ending.png", {"gfx/menus/end1.png", "gfx/menus/end2.png"}, {100}},
    };
    const double scale = 0.4;
    for (const Column& c : columns) {
        std::vector<Surface> pictures;
        double height = 40;
        for (size_t i = 0; i < c.pictures.size(); ++i) {
            pictures.push_back(m.Load(c.pictures[i]));
            if (pictures.back()) height += cairo_image_surface_get_height(pictures.back().get()) * scale;
            if (i < c.gaps.size()) height += c.gaps[i] * scale;
        }
        Surface sheet = NewSurface(kScreenW, int(height) + 40);
        cairo_t* cr = cairo_create(sheet.get());
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        double y = 40;
        for (size_t i = 0; i < pictures.size(); ++i) {
            if (cairo_surface_t* p = pictures[i].get()) {
                double h = cairo_image_surface_get_height(p) * scale;
                DrawCentred(cr, p, kScreenW / 2.0, y + h / 2, scale);
                y += h;
            }
            if (i < c.gaps.size()) y += c.gaps[i] * scale;
        }
        cairo_destroy(cr);
        Save(sheet.get(), previewDir / c.file);
    }
}

} // namespace

void WriteMenuSheets(const std::filesystem::path& dataRoot, const std::filesystem::path& previewDir) {
    Mockups m(dataRoot);
    if (!m.HavePieces()) return;
    // Panels of every size the game assembles.
    {
        const int sizes[][2] = {{5, 5}, {5, 3}, {5, 4}, {6, 3}};
        Surface sheet = NewSurface(2 * 780 + 30, 2 * 700 + 30);
        cairo_t* cr = cairo_create(sheet.get());
        FillBoard(cr, 2 * 780 + 30, 2 * 700 + 30);
        for (int i = 0; i < 4; ++i) {
            Surface panel = AssemblePanel(m.Pieces(), sizes[i][0], sizes[i][1]);
            double x = 10 + (i % 2) * 790, y = 30 + (i / 2) * 700;
            DrawLabel(cr, std::to_string(sizes[i][0]) + " x " + std::to_string(sizes[i][1]) + " pieces", x,
                      y - 8, 14);
            cairo_set_source_surface(cr, panel.get(), x, y);
            cairo_paint(cr);
        }
        cairo_destroy(cr);
        Save(sheet.get(), previewDir / "menu-panels.png");
    }
    Surface screen;
    std::vector<Surface> shown;
    auto finish = [&](cairo_t* cr, const std::string& name) {
        cairo_destroy(cr);
        Save(screen.get(), previewDir / ("screen-" + name + ".png"));
        shown.push_back(std::move(screen));
    };
    // Title screen with the Options button hovered.
    {
        cairo_t* cr = m.Begin(screen);
        m.Picture(cr, "gfx/menus/title.png", 400, 128, 0.55);
        const char* buttons[] = {"start", "options", "credits", "quit"};
        for (int i = 0; i < 4; ++i)
            m.Picture(cr, std::string("gfx/menus/button-") + buttons[i] + ".png", 400, 300 + 35 * i,
                      i == 1 ? 0.66 : 0.55);
        m.Pointer(cr, 430, 338);
        finish(cr, "title");
    }
    // Loading screen with the bar 60 % full; no scenery exists yet while loading.
    {
        cairo_t* cr = m.Begin(screen, 0);
        Surface panel = m.Load("gfx/menus/loading.png");
        Surface bar = m.Load("gfx/menus/loadingbar.png");
        DrawCentred(cr, panel.get(), 400, 400, 0.4);
        if (bar) {
            double bw = cairo_image_surface_get_width(bar.get()),
                   bh = cairo_image_surface_get_height(bar.get());
            cairo_save(cr);
            cairo_translate(cr, 400, 400);
            cairo_scale(cr, 0.4, 0.4);
            cairo_rectangle(cr, -bw / 2, -bh / 2, std::floor(bw * 0.6), bh);
            cairo_clip(cr);
            DrawCentred(cr, bar.get(), 0, 0, 1);
            cairo_restore(cr);
        }
        finish(cr, "loading");
    }
    // Player selection.
    {
        cairo_t* cr = m.Begin(screen);
        m.Panel(cr, 5, 5);
        m.Picture(cr, "gfx/menus/menutitle-selectplayer.png", 0, -280, 1);
        m.Picture(cr, "gfx/menus/button-renameplayer.png", 0, 280, 0.66);
        m.Picture(cr, "gfx/menus/button-deleteplayer.png", 0, 344, 0.66);
        m.Picture(cr, "gfx/menus/button-back.png", -400, 0, 0.75);
        m.Picture(cr, "gfx/menus/button-startplayer.png", 400, 0, 0.9);
        DrawBitmapText(cr, m.font1_, "Player", -202, -174, 1, -1);
        DrawBitmapText(cr, m.font1_, "High Score", 38, -174, 1, -1);
        for (int i = 0; i < 9; ++i) {
            DrawBitmapText(cr, m.font1_, i == 2 ? "Nova_" : "Player " + std::to_string(i + 1), -202,
                           28 * i - 126, 1, -1);
            DrawBitmapText(cr, m.font1_, std::to_string(i * 123457 % 900000), 38, 28 * i - 126, 1, -1);
        }
        m.Additive(cr, "gfx/menus/playerselect.png", 0, 28 * 2 - 126);
        m.Pointer(cr, 620, 250);
        finish(cr, "playermenu");
    }
    // Delete confirmation and quit confirmation share the 5 × 3 layout.
    const char* confirms[][4] = {{"deleteplayer", "gfx/menus/button-canceldelete.png",
                                  "gfx/menus/button-confirmdelete.png",
                                  "All progress for this player will be lost!"},
                                 {"quitgame", "gfx/menus/button-cancelquit.png",
                                  "gfx/menus/button-confirmquit.png", "All progress will be lost!"}};
    for (const auto& c : confirms) {
        cairo_t* cr = m.Begin(screen);
        m.Panel(cr, 5, 3);
        if (std::string(c[0]) == "quitgame") m.Picture(cr, "gfx/menus/menutitle-quitgame.png", 0, -160, 1);
        m.Picture(cr, c[1], -400, 0, 0.75);
        m.Picture(cr, c[2], 0, 150, 0.75);
        DrawBitmapText(cr, m.font1_, "WARNING!", 0, -48, 1, 0);
        DrawBitmapText(cr, m.font1_, c[3], 0, -16, 1, 0);
        DrawBitmapText(cr, m.font1_, "Are you sure?", 0, 32, 1, 0);
        finish(cr, c[0]);
    }
    // Options with the music line hovered.
    {
        cairo_t* cr = m.Begin(screen);
        m.Panel(cr, 5, 4);
        m.Picture(cr, "gfx/menus/menutitle-options.png", 0, -216, 1);
        m.Picture(cr, "gfx/menus/button-back.png", -130, 216, 0.75);
        const char* labels[] = {"Sound Volume:", "Music Volume:", "Video Mode:"};
        const char* values[] = {"High", "Medium", "Windowed"};
        for (int i = 0; i < 3; ++i) {
            DrawBitmapText(cr, m.font1_, labels[i], 0, -96 + 80 * i, 1, 0);
            DrawBitmapText(cr, m.font2_, values[i], 0, -64 + 80 * i, 1.5, 0);
        }
        m.Additive(cr, "gfx/menus/configselect.png", 0, 16);
        finish(cr, "options");
    }
    // Level and final statistics.
    for (const char* which : {"levelstats", "finalstats"}) {
        cairo_t* cr = m.Begin(screen);
        m.Panel(cr, 6, 3);
        m.Picture(cr, std::string("gfx/menus/menutitle-") + which + ".png", 0, -160, 1);
        m.Picture(cr, "gfx/menus/button-continue.png", 172, 216, 0.9);
        const char* labels[] = {"Powerups Collected:", "Enemies Destroyed:", "Overall Accuracy:"};
        const char* values[] = {"7/12", "143/150", "66%"};
        for (int i = 0; i < 3; ++i) {
            DrawBitmapText(cr, m.font1_, labels[i], 40, -36 + 36 * i, 1, 1);
            DrawBitmapText(cr, m.font3_, values[i], 48, -36 + 36 * i, 0.55, -1);
        }
        finish(cr, which);
    }
    // The play banners over the scenery, as the level shows them.
    for (const char* banner : {"levelcomplete", "gameover", "warning"}) {
        cairo_t* cr = m.Begin(screen);
        m.Picture(cr, std::string("gfx/menus/") + banner + ".png", 400, 250, 0.4);
        DrawBitmapText(cr, m.font1_, "Score:", 400, 32, 0.6, 0);
        DrawBitmapText(cr, m.font1_, "1,234,560", 400, 48, 0.85, 0);
        DrawBitmapText(cr, m.font3_, "Level 3", 400, 160, 0.5, 0);
        DrawBitmapText(cr, m.font2_, "Extra Life!", 200, 330, 1.0, 0);
        finish(cr, banner);
    }
    // Play scenery of four levels with their tints, planets at wave 3 and wave 5 size.
    for (int level : {1, 2, 3, 10}) {
        cairo_t* cr = m.Begin(screen, level, level % 2 ? 0.66 : 0.41);
        DrawBitmapText(cr, m.font1_, "Score:", 400, 32, 0.6, 0);
        DrawBitmapText(cr, m.font1_, "48,250", 400, 48, 0.85, 0);
        finish(cr, "level" + std::to_string(level));
    }
    // The last two credits pictures where the column leaves them: the first centred, the
    // second 50 px (scaled) below it.
    {
        cairo_t* cr = m.Begin(screen, 0);
        Surface last = m.Load("gfx/menus/credits16.png"), farewell = m.Load("gfx/menus/credits17.png");
        if (last && farewell) {
            double h16 = cairo_image_surface_get_height(last.get()),
                   h17 = cairo_image_surface_get_height(farewell.get());
            DrawCentred(cr, last.get(), 400, 250, 0.4);
            DrawCentred(cr, farewell.get(), 400, 250 + 0.4 * (h16 / 2 + 50 + h17 / 2), 0.4);
        }
        finish(cr, "credits-end");
    }
    // The story where it comes to rest: the second picture centred at y 400, the first 48 units
    // above it.
    {
        cairo_t* cr = m.Begin(screen, 0);
        Surface first = m.Load("gfx/menus/story1.png"), second = m.Load("gfx/menus/story2.png");
        if (first && second) {
            double h1 = cairo_image_surface_get_height(first.get()),
                   h2 = cairo_image_surface_get_height(second.get());
            DrawCentred(cr, second.get(), 400, 400, 0.4);
            DrawCentred(cr, first.get(), 400, 400 - 0.2 * h2 - 48 - 0.2 * h1, 0.4);
        }
        finish(cr, "story-end");
    }
    WriteColumns(m, previewDir);
    // Every mock-up on one sheet, two across.
    int rows = int((shown.size() + 1) / 2);
    Surface all = NewSurface(2 * kScreenW + 30, rows * (kScreenH + 10) + 10);
    cairo_t* cr = cairo_create(all.get());
    FillBoard(cr, 2 * kScreenW + 30, rows * (kScreenH + 10) + 10);
    for (size_t i = 0; i < shown.size(); ++i) {
        cairo_set_source_surface(cr, shown[i].get(), 10 + double(i % 2) * (kScreenW + 10),
                                 10 + double(i / 2) * (kScreenH + 10));
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    Save(all.get(), previewDir / "screens.png");
}

} // namespace assetgen::preview
