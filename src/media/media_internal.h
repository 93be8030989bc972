#pragma once
// Hooks between the parts of the shared media layer (media/*.cpp). Not for the game.
#include <cstdint>
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

// Input (input.cpp, input_script.cpp).
void ResetInput();
// Reads and checks the script; false with "FILE:LINE: reason" in `error`.
bool LoadInputScript(const std::string& path, std::string& error);
void ClearInputScript();
// Feeds the script events due at or before `frame` into `sink`.
void ApplyInputScript(int frame, InputSink& sink);

// Collision layers (collision.cpp).
void ResetCollisions();

// Files (stream.cpp): the whole file (path as the game writes it); false if it cannot be read.
// Files larger than `maxBytes` are refused.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes = size_t(256) << 20);

// Random numbers (random.cpp): back to the start-up seed.
void ResetRandom();

} // namespace Media::Internal
