// Decoding pictures ahead on a worker thread, for loading screens: the game's loads stay in their
// order on the main thread and take the worker's results as they come to them.
#include <condition_variable>
#include <mutex>
#include <thread>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

// Decoded results waiting to be taken; the worker waits while it is this far ahead.
constexpr size_t MAX_BYTES_AHEAD = size_t(64) << 20;

struct Entry {
    enum class State { Queued, Decoding, Done, Taken };
    std::string Path;
    State Now = State::Queued;
    PixelMapRef Map;
};

struct Prefetcher {
    std::mutex Lock;
    std::condition_variable Changed;
    std::vector<Entry> Entries;
    size_t Next = 0;        // first entry the worker has not looked at
    size_t BytesAhead = 0;  // pixels of Done entries
    bool Stopping = false;
    std::thread Worker;

    void Run() {
        std::unique_lock<std::mutex> hold(Lock);
        for (;;) {
            Changed.wait(hold, [this] { return Stopping || Next == Entries.size() || BytesAhead < MAX_BYTES_AHEAD; });
            if (Stopping || Next == Entries.size()) return;
            Entry& entry = Entries[Next++];
            // A load that came first decodes the file itself.
            if (entry.Now != Entry::State::Queued) continue;
            entry.Now = Entry::State::Decoding;
            const std::string path = entry.Path;
            hold.unlock();
            PixelMapRef map = Internal::ReadPictureFile(path);
            hold.lock();
            entry.Map = std::move(map);
            entry.Now = Entry::State::Done;
            if (entry.Map) BytesAhead += entry.Map->Pixels.size();
            Changed.notify_all();
        }
    }

    void Stop() {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Stopping = true;
        }
        Changed.notify_all();
        if (Worker.joinable()) Worker.join();
        Entries.clear();
        Next = 0;
        BytesAhead = 0;
        Stopping = false;
    }
};

Prefetcher& ThePrefetcher() {
    // Never destroyed: the process may end with the worker still decoding.
    static Prefetcher* prefetcher = new Prefetcher();
    return *prefetcher;
}

} // namespace

void PrefetchPixmaps(const std::vector<std::string>& paths) {
    Prefetcher& p = ThePrefetcher();
    p.Stop();
    if (paths.empty()) return;
    for (const std::string& path : paths)
        p.Entries.emplace_back().Path = path;
    p.Worker = std::thread([&p] { p.Run(); });
}

void EndPrefetch() {
    ThePrefetcher().Stop();
}

namespace Internal {

bool TakePrefetchedPixmap(const std::string& path, PixelMapRef& map) {
    Prefetcher& p = ThePrefetcher();
    std::unique_lock<std::mutex> hold(p.Lock);
    for (Entry& entry : p.Entries) {
        if (entry.Now == Entry::State::Taken || entry.Path != path) continue;
        if (entry.Now == Entry::State::Queued) {
            entry.Now = Entry::State::Taken;
            return false;
        }
        p.Changed.wait(hold, [&entry] { return entry.Now == Entry::State::Done; });
        if (entry.Map) p.BytesAhead -= entry.Map->Pixels.size();
        map = std::move(entry.Map);
        entry.Now = Entry::State::Taken;
        p.Changed.notify_all();
        return true;
    }
    return false;
}

} // namespace Internal
} // namespace Media
