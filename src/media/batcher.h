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
    Vertex* AddQuad(const BatchKey& key);
    // Sends the pending quads to the current back end.
    void Flush();
    // Forgets the pending quads.
    void Drop() { quads_ = 0; }
    int PendingQuads() const { return quads_; }
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
