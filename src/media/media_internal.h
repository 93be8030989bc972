#pragma once
// Hooks between the parts of the shared media layer (media/*.cpp). Not for the game.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/backend.h"

namespace Media::Internal {

// Bumped by every Init and Shutdown: textures and sound buffers made under an earlier back end
// are never released through a later one.
uint32_t BackendGeneration();
// Frames presented by Flip since Init (display.cpp); ResetDisplay sets it back to 0.
int FramesPresented();
void ResetDisplay();

// Drawing state (draw_state.cpp).
void ResetDrawState();
// Graphics were opened: the projection and the viewport cover the whole back buffer.
void GraphicsOpened();
// Graphics were closed: drawing stops until they open again.
void GraphicsClosed();
// Pending quads are dropped (graphics closed, buffer cleared, back end going away).
void DropPendingDraws();
// Pending quads drawn with `texture` are sent to the back end, before the texture is destroyed.
void FlushDrawsOf(uint32_t texture);
// The frame was presented: its covered area becomes LastFrameOverdraw.
void EndFrameCoverage();

// Input (input.cpp, input_script.cpp).
void ResetInput();
// Reads and checks the script; false with "FILE:LINE: reason" in `error`.
bool LoadInputScript(const std::string& path, std::string& error);
void ClearInputScript();
// Feeds the script events due at or before `frame` into `sink`.
void ApplyInputScript(int frame, InputSink& sink);
// True when the loaded script has step events (the clock then steps as they say).
bool InputScriptHasSteps();
// The clock step in ms of the present that ends frame `frame` (frames asked in rising order):
// the latest step event at or before it, or `fallback` before the first.
int InputScriptStep(int frame, int fallback);
// The control character a key also types (ESC, ENTER, BACKSPACE, TAB), 0 for other keys.
int KeyControlCharacter(int vk);
// The script's name for key code `vk` ("ESC", "A", "UP", "VK112").
std::string InputScriptKeyName(int vk);
// The script's names of a pad button ("a", "dpup") and a pad axis ("leftx"); "" when out of range.
const char* InputScriptPadButtonName(int button);
const char* InputScriptPadAxisName(int axis);

// Recording (input_recorder.cpp): writes the session as an input script that replays it.
bool StartRecording(const std::string& path, std::string& error);
void StopRecording();
// `sink` itself when not recording; otherwise a sink that writes each event, stamped with the
// input-script frame `frame`, and passes it on to `sink`.
InputSink& RecordingSink(InputSink& sink, int frame);
// Writes the clock step of the present that ends frame `frame` when it differs from the last one.
void RecordFrameStep(int frame, int stepMs);

// The session clock (session_clock.cpp). While a session is recorded, or replayed from a script
// with step events, the clock starts at 0 and moves only by whole frame steps and by SleepMs, so
// a replay reads exactly the times the recording read.
void StartSessionClock(bool stepped, int fallbackStep);
bool SessionClockStepped();
uint32_t SessionClockMs();
void SessionClockSlept(int ms);
// Called by Flip after the present that ends frame `frame`.
void SessionFramePresented(int frame);

// Collision layers (collision.cpp).
void ResetCollisions();

// Files (stream.cpp): the whole file (path as the game writes it); false if it cannot be read.
// Files larger than `maxBytes` are refused.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes = size_t(256) << 20);

// Random numbers (random.cpp): back to the start-up seed.
void ResetRandom();

// Pictures (pixmap.cpp): reads and decodes a PNG or JPEG file; null on failure. Safe on any
// thread.
PixelMapRef ReadPictureFile(const std::string& path);
// An image's content but for its texture (image.cpp): the frames, their solid masks, the
// texture's pixels and each frame's place in them (Texture still 0). Made on any thread; the
// main thread makes the image, and so the texture, of them (Image::FromParts).
struct ImageParts {
    int Width = 0, Height = 0; // of one frame
    std::vector<PixelMap> FramePixels;
    std::vector<std::vector<uint64_t>> Masks;
    std::vector<Image::TextureRegion> Regions;
    PixelMap Atlas;
    // The image's WhiteLight, when it has one; empty (Width 0) otherwise.
    PixelMap WhiteLight;
};
// A premultiplied picture's alpha as Format::Alpha when its every texel is white light (each
// colour equal to its alpha); empty (Width 0) for any other picture. Safe on any thread.
PixelMap AlphaOfWhiteLight(const PixelMap& rgba);
// The parts of a whole RGBA picture (complete, not empty) as one unmasked frame, exactly as
// Image::FromSheet cuts them; the frame's pixels are `rgba`'s. Safe on any thread.
ImageParts PrepareWholeImage(PixelMap&& rgba);
// The parts of `count` cells of `sheet` from `first`, as Image::FromSheet cuts them, masked by
// `maskRgb` (red, green, blue) unless it is null. Empty (Width 0) when the cells do not fit the
// sheet or the sheet is incomplete. Safe on any thread.
ImageParts CutSheet(const PixelMap& sheet, int cellW, int cellH, int first, int count, const int* maskRgb);

// A picture the worker decoded ahead (pixmap_prefetch.cpp): the map, or, for an RGBA picture,
// its image's parts made on the worker too. Both are null for a picture that failed to load.
struct PrefetchedPicture {
    PixelMapRef Map;
    std::unique_ptr<ImageParts> Prepared;
    // The cells Prepared holds, as LoadAnimImage asks for them; Count 0 when it is the whole
    // picture, whose one frame is the decoded map.
    int CellW = 0, CellH = 0, First = 0, Count = 0;
    // True when Prepared is the image LoadAnimImage(path, cellW, cellH, first, count) of an
    // unmasked load would cut.
    bool PreparedAs(int cellW, int cellH, int first, int count) const;
};
// True, with the worker's result, when `path` was prefetched and not yet taken (waiting for it
// while it is being decoded); false when the caller must read the file itself.
bool TakePrefetchedPicture(const std::string& path, PrefetchedPicture& picture);
// The decoded map of a taken picture of `path` (null for one that failed to load). A picture cut
// into a sheet's frames holds no map: its file is read again, with a line in the debug log.
PixelMapRef PixmapOf(PrefetchedPicture&& picture, const std::string& path);
// Frees the pixel maps on the prefetch worker when it runs (at once here when it does not).
void FreeOnWorker(std::vector<PixelMap>&& maps);
// True while the worker has a picture in hand or one it may start: for benchmarks, which give
// it the real time it has in play.
bool PrefetchBusy();

} // namespace Media::Internal
