// Contact sheets of a generated data root, so the whole art set can be reviewed at a glance:
// one sheet per animated picture (every frame in a labelled cell), one sheet per folder of
// single pictures, the fonts with sample text, the menu panels and mock-ups of each screen.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "generators.h"
#include "manifest.h"
#include "preview/sheets.h"

namespace assetgen {
namespace {

std::string SheetName(const std::string& relative) {
    std::string name = relative.substr(4);
    std::replace(name.begin(), name.end(), '/', '-');
    return name.substr(0, name.rfind('.')) + ".png";
}

void WriteAnimation(const std::filesystem::path& root, const std::filesystem::path& dir,
                    const PictureEntry& a) {
    preview::Surface strip = preview::LoadPicture(root / a.path);
    if (!strip) return;
    int columns = std::max(1, cairo_image_surface_get_width(strip.get()) / a.cellW);
    int available = columns * (cairo_image_surface_get_height(strip.get()) / a.cellH);
    std::vector<preview::Cell> cells;
    for (int k = 0; k < a.count; ++k) {
        preview::Cell c{"frame " + std::to_string(k)};
        if (k < available) {
            c.picture = strip.get();
            c.x = (k % columns) * a.cellW;
            c.y = (k / columns) * a.cellH;
            c.w = a.cellW;
            c.h = a.cellH;
        }
        cells.push_back(c);
    }
    int cellSize = std::clamp(std::max(a.cellW, a.cellH) * 2, 96, 256);
    preview::WriteCellSheet(dir / SheetName(a.path),
                            a.path + ": " + std::to_string(a.count) + " frames of " +
                                std::to_string(a.cellW) + " x " + std::to_string(a.cellH),
                            cells, cellSize, a.count == 15 ? 5 : (a.count == 64 ? 8 : 4), 4.0);
}

} // namespace

void WritePreview(const std::filesystem::path& dataRoot, const std::filesystem::path& previewDir) {
    std::filesystem::create_directories(previewDir);
    // Multi-frame pictures get one sheet each, cut as the manifest lists them.
    std::map<std::string, const PictureEntry*> animations;
    for (const PictureEntry& e : Pictures())
        if (e.count > 1 && e.written && e.path.rfind("gfx/font", 0) != 0) animations[e.path] = &e;
    // Single pictures grouped by folder; the fonts have their own sheets.
    std::map<std::string, std::vector<std::string>> singles;
    std::filesystem::path gfx = dataRoot / "gfx";
    if (!std::filesystem::exists(gfx)) throw std::runtime_error("no gfx folder in " + dataRoot.string());
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(gfx))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::string relative = std::filesystem::relative(file, dataRoot).generic_string();
        auto it = animations.find(relative);
        if (it != animations.end()) {
            WriteAnimation(dataRoot, previewDir, *it->second);
        } else if (relative.rfind("gfx/font", 0) != 0) {
            singles[std::filesystem::path(relative).parent_path().generic_string()].push_back(relative);
        }
    }
    std::vector<preview::Surface> keep;
    for (const auto& [folder, list] : singles) {
        std::vector<preview::Cell> cells;
        for (const auto& relative : list) {
            keep.push_back(preview::LoadPicture(dataRoot / relative));
            preview::Cell c{std::filesystem::path(relative).filename().string()};
            if (cairo_surface_t* s = keep.back().get()) {
                c.picture = s;
                c.w = cairo_image_surface_get_width(s);
                c.h = cairo_image_surface_get_height(s);
                c.label += " " + std::to_string(int(c.w)) + "x" + std::to_string(int(c.h));
            }
            cells.push_back(c);
        }
        std::string sheet = folder == "gfx" ? "gfx" : folder.substr(4);
        std::replace(sheet.begin(), sheet.end(), '/', '-');
        preview::WriteCellSheet(previewDir / (sheet + ".png"), folder + ": single pictures", cells, 240, 6,
                                4.0);
        keep.clear();
    }
    preview::WriteFontSheets(dataRoot, previewDir);
    preview::WriteMenuSheets(dataRoot, previewDir);
    std::printf("assetgen: preview sheets written to %s\n", previewDir.c_str());
}

} // namespace assetgen
