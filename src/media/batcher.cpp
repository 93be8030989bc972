#include "media/batcher.h"

namespace Media {

Batcher::Batcher() : vertices_(size_t(CAPACITY) * 4) {}

void Batcher::Flush() {
    if (quads_ == 0) return;
    CurrentBackend().DrawBatch(key_, vertices_.data(), quads_);
    ++batches_;
    quads_ = 0;
}

void Batcher::SendStack(const StackQuad& quad) {
    Flush();
    CurrentBackend().DrawStack(quad);
    ++batches_;
    ++quadsAdded_;
}

} // namespace Media
