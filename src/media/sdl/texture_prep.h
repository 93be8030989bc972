#pragma once
// Textures prepared on a worker thread of the sdl back end. Making a texture's levels (the colour
// bleed, the mip levels) is processor work that needs no GL context, so it runs beside the game's
// loading. Where the worker has a GL context of its own it uploads the levels too, so that the
// main thread never copies texture memory; otherwise the main thread uploads them before the
// texture is first drawn, or at a present when that comes first. Every call but the worker's own
// is made on the main thread.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "media/media.h"

namespace Media {

// The levels of a texture of image flags `flags`, ready to upload: level 0 with its transparent
// texels bled (unless PREMULTIPLIEDIMAGE), then (when MIPMAPPEDIMAGE) each half the size of the
// one before, down to 1 × 1; texels in B, G, R, A order.
std::vector<PixelMap> PrepareTextureLevels(PixelMap rgba, int flags);

class TexturePreparer {
public:
    using Upload = std::function<void(uint32_t texture, int flags, std::vector<PixelMap>& levels)>;

    TexturePreparer() = default;
    ~TexturePreparer(); // waits for the texture in hand; the rest are dropped
    TexturePreparer(const TexturePreparer&) = delete;
    TexturePreparer& operator=(const TexturePreparer&) = delete;

    // Lets the worker upload each texture through `upload` as soon as its levels are made:
    // `begin` runs on the worker before its first job and makes its GL context current there
    // (false: the main thread uploads, as without this call); `end` runs on the worker when it
    // stops. `upload` must complete the upload (glFinish) before it returns, so that the main
    // thread may draw the texture at once. Call before the first Submit.
    void UploadOnWorker(std::function<bool()> begin, Upload upload, std::function<void()> end);
    // Queues an RGBA map for GL texture name `texture` (flags: MIPMAPPEDIMAGE and the rest, passed
    // on to the upload).
    void Submit(uint32_t texture, PixelMap rgba, int flags);
    // True from Submit until the texture's levels were uploaded (or it was cancelled).
    bool Pending(uint32_t texture) const { return pending_.count(texture) != 0; }
    // True when a pending texture's levels are made (or uploaded by the worker), so that
    // UploadPrepared with it as `waitFor` does not wait.
    bool Prepared(uint32_t texture);
    // Uploads prepared textures through `upload`, in the order they were submitted, first waiting
    // for `waitFor` when that one is pending. Once `budget` bytes of levels have gone up, the rest
    // wait for a later call, but `waitFor` always goes. Textures the worker uploaded cost no
    // budget; they are only marked done.
    void UploadPrepared(const Upload& upload, uint32_t waitFor = 0, size_t budget = SIZE_MAX);
    // Forgets a pending texture that is being deleted: its levels are dropped. When the worker is
    // uploading it, waits for the end of that upload, so that GL may hand the name out again.
    void Cancel(uint32_t texture);

private:
    struct Job {
        uint32_t Texture = 0;
        int Flags = 0;
        PixelMap Rgba;
        std::vector<PixelMap> Levels;
        bool Done = false;      // guarded by lock_
        bool Cancelled = false; // guarded by lock_
        bool Uploading = false; // guarded by lock_: the worker is uploading it
        bool Uploaded = false;  // guarded by lock_: by the worker
    };

    void Run();

    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Job>> queue_;                     // to prepare, in order
    std::vector<std::shared_ptr<Job>> prepared_;                 // to upload
    std::unordered_map<uint32_t, std::shared_ptr<Job>> pending_; // the main thread's alone
    bool stopping_ = false;
    std::function<bool()> beginOnWorker_;
    Upload uploadOnWorker_;
    std::function<void()> endOnWorker_;
    std::thread worker_;
};

} // namespace Media
