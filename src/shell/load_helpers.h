#pragma once
// The game's picture loaders: each checks the result, writes the debug-log line, prepares the
// image with one off-screen draw and reports the load to the loading bar. A missing required picture is
// fatal: "The following image failed to load: '<path>'.  Please reinstall the game."
#include <string>

#include "media/media.h"

// One picture as one frame; flags -1 = the default flags. optional 1 returns null on failure
// (after a log line) instead of ending the game.
Media::ImageRef LoadGameImage(const std::string& path, int flags, int optional);
// A pixel map already in memory made into a one-frame image; `name` labels it in the log line.
// It does not advance the loading bar: the map's own load (LoadGamePixmap) was counted already,
// or the map was made in memory.
Media::ImageRef LoadGameImage(const Media::PixelMap& pixmap, const std::string& name, int flags,
                              int optional);
// A picture cut into cells row by row, left to right: `count` cells of cellW × cellH from `first`.
Media::ImageRef LoadGameAnimImage(const std::string& path, int cellW, int cellH, int first, int count,
                                  int flags, int optional);
// A picture as a pixel map (not drawable); optional 1 returns null silently on failure.
Media::PixelMapRef LoadGamePixmap(const std::string& path, int optional);

// Every load (pictures here, sounds and fonts above) reports its path through this hook; the
// loading screen installs it while it shows its bar. Null stops the reports.
using LoadProgressHook = void (*)(const std::string& item);
void SetLoadProgressHook(LoadProgressHook hook);
// Reports one finished or failed load of `item` to the installed hook, if any.
void ReportLoadProgress(const std::string& item);
