// Entry point of the screen art: fonts, menus, story, credits, background and planets.
#include "generators.h"

#include "art/screens/screen_parts.h"
#include "common/validate.h"

namespace assetgen {

void GenerateScreenArt(const Output& out) {
    screens::WriteFonts(out);
    screens::WriteMenuParts(out);
    screens::WriteButtons(out);
    screens::WriteTitles(out);
    screens::WriteBackground(out);
    screens::WritePlanets(out);
    screens::WriteStory(out);
    screens::WriteCredits(out);
    ValidatePictures(out, {"gfx/font", "gfx/menus/", "gfx/background/", "gfx/planets/"});
}

} // namespace assetgen
