#pragma once
// Collects quads that share a BatchKey and hands them to the back end in one DrawBatch call.
// The vertex array is reserved once; a frame of drawing allocates nothing.
#include <vector>

#include "media/backend.h"

namespace Media {

class Batcher {
public:
    // Quads held before a batch is sent even without a key change.
    static constexpr int CAPACITY = 8192;

    Batcher();
    // The four vertices of a new quad drawn with `key` (top-left, top-right, bottom-right,
    // bottom-left); valid until the next call. Flushes first when the key changes or the array is full.
    // Inline: the caller's quad math stays in registers instead of being saved around a call.
    Vertex* AddQuad(const BatchKey& key) {
        if (quads_ > 0 && (quads_ == CAPACITY || !(key == key_))) Flush();
        key_ = key;
        ++quadsAdded_;
        return &vertices_[size_t(quads_++) * 4];
    }
    // Sends the pending quads to the current back end.
    void Flush();
    // Sends the pending quads, then the stack; it counts as a batch of one quad.
    void SendStack(const StackQuad& quad);
    // Forgets the pending quads.
    void Drop() { quads_ = 0; }
    int PendingQuads() const { return quads_; }
    // True when the quads not sent yet are drawn with `texture`.
    bool Holds(uint32_t texture) const { return quads_ > 0 && key_.Texture == texture; }
    int BatchesSent() const { return batches_; }
    int QuadsAdded() const { return quadsAdded_; }
    void ResetCounts() { batches_ = quadsAdded_ = 0; }

private:
    std::vector<Vertex> vertices_;
    BatchKey key_;
    int quads_ = 0;
    int batches_ = 0;
    int quadsAdded_ = 0;
};

} // namespace Media
