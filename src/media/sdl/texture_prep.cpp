#include "media/sdl/texture_prep.h"

#include <cstring>
#include <utility>

#include "media/sdl/mip_level.h"
#include "media/sdl/texture_bleed.h"

namespace Media {

std::vector<PixelMap> PrepareTextureLevels(PixelMap rgba, int flags) {
    const bool mipmapped = (flags & MIPMAPPEDIMAGE) != 0;
    std::vector<PixelMap> levels;
    // A premultiplied texel of alpha 0 may add light, and filtering premultiplied colours needs
    // no bleed.
    if ((flags & PREMULTIPLIEDIMAGE) == 0) BleedTransparentColours(rgba);
    levels.push_back(std::move(rgba));
    while (mipmapped && (levels.back().Width > 1 || levels.back().Height > 1))
        levels.push_back(HalfSizeMipLevel(levels.back()));
    // Uploaded in BGRA order, a texture keeps the layout of the window's pixels; Mesa's software
    // rasterizer has fast paths for such textures only. The box filter treats channels alike, so
    // the order can change after the levels are made.
    for (PixelMap& level : levels) {
        // A word at a time, which the compiler vectorises: bytes 0 and 2 of each texel trade places.
        uint8_t* texel = level.Pixels.data();
        const size_t texels = level.Pixels.size() / 4;
        for (size_t i = 0; i < texels; ++i) {
            uint32_t v;
            std::memcpy(&v, texel + i * 4, 4);
            v = (v & 0xFF00FF00u) | (v >> 16 & 0xFFu) | (v & 0xFFu) << 16;
            std::memcpy(texel + i * 4, &v, 4);
        }
    }
    return levels;
}

TexturePreparer::~TexturePreparer() {
    {
        const std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void TexturePreparer::UploadOnWorker(std::function<bool()> begin, Upload upload, std::function<void()> end) {
    beginOnWorker_ = std::move(begin);
    uploadOnWorker_ = std::move(upload);
    endOnWorker_ = std::move(end);
}

void TexturePreparer::Submit(uint32_t texture, PixelMap rgba, int flags) {
    auto job = std::make_shared<Job>();
    job->Texture = texture;
    job->Flags = flags;
    job->Rgba = std::move(rgba);
    pending_[texture] = job;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        queue_.push_back(job);
        if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
    }
    changed_.notify_all();
}

void TexturePreparer::Run() {
    const bool uploads = beginOnWorker_ && beginOnWorker_();
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        changed_.wait(hold, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) break;
        const std::shared_ptr<Job> job = queue_.front();
        queue_.pop_front();
        if (job->Cancelled) continue;
        hold.unlock();
        job->Levels = PrepareTextureLevels(std::move(job->Rgba), job->Flags);
        hold.lock();
        // Marked under the lock, so that a Cancel either comes first (no upload) or waits for it.
        if (uploads && !job->Cancelled) {
            job->Uploading = true;
            hold.unlock();
            uploadOnWorker_(job->Texture, job->Flags, job->Levels);
            std::vector<PixelMap>().swap(job->Levels); // the copies in GL are all that is needed
            hold.lock();
            job->Uploading = false;
            job->Uploaded = true;
        }
        job->Done = true;
        prepared_.push_back(job);
        changed_.notify_all();
    }
    hold.unlock();
    if (uploads && endOnWorker_) endOnWorker_();
}

void TexturePreparer::UploadPrepared(const Upload& upload, uint32_t waitFor, size_t budget) {
    std::vector<std::shared_ptr<Job>> ready;
    {
        std::unique_lock<std::mutex> hold(lock_);
        const auto waited = waitFor != 0 ? pending_.find(waitFor) : pending_.end();
        if (waited != pending_.end()) {
            const std::shared_ptr<Job> job = waited->second;
            changed_.wait(hold, [&job] { return job->Done; });
        }
        ready.swap(prepared_);
    }
    std::vector<std::shared_ptr<Job>> later;
    size_t spent = 0;
    for (const std::shared_ptr<Job>& job : ready) {
        const auto entry = pending_.find(job->Texture);
        // A cancelled texture's name may already belong to a newer texture.
        if (entry == pending_.end() || entry->second != job) continue;
        if (job->Uploaded) {
            pending_.erase(entry);
            continue;
        }
        if (spent >= budget && job->Texture != waitFor) {
            later.push_back(job);
            continue;
        }
        for (const PixelMap& level : job->Levels)
            spent += level.Pixels.size();
        upload(job->Texture, job->Flags, job->Levels);
        pending_.erase(entry);
    }
    if (!later.empty()) {
        const std::lock_guard<std::mutex> hold(lock_);
        prepared_.insert(prepared_.begin(), later.begin(), later.end());
    }
}

bool TexturePreparer::Prepared(uint32_t texture) {
    const auto entry = pending_.find(texture);
    if (entry == pending_.end()) return false;
    const std::lock_guard<std::mutex> hold(lock_);
    return entry->second->Done;
}

void TexturePreparer::Cancel(uint32_t texture) {
    const auto entry = pending_.find(texture);
    if (entry == pending_.end()) return;
    {
        std::unique_lock<std::mutex> hold(lock_);
        const std::shared_ptr<Job>& job = entry->second;
        job->Cancelled = true;
        changed_.wait(hold, [&job] { return !job->Uploading; });
    }
    pending_.erase(entry);
}

} // namespace Media
