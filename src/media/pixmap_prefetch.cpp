// Decoding pictures ahead on a worker thread, for loading screens: the game's loads stay in their
// order on the main thread and take the worker's results as they come to them.
#include <condition_variable>
#include <list>
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
    PixelMapRef Map = nullptr;
};

// The worker lives from the first list on and waits for the next one; a new list replaces the
// old one at once, without waiting for the file in hand (its result is dropped when it comes).
struct Prefetcher {
    std::mutex Lock;
    std::condition_variable Changed;
    std::list<Entry> Entries; // a list: the worker keeps its entry while the lock is let go
    size_t BytesAhead = 0;    // pixels of Done entries
    Entry* InHand = nullptr;  // the entry the worker is decoding; never erased meanwhile
    bool Stopping = false;
    std::thread Worker;

    Entry* NextQueued() {
        for (Entry& entry : Entries) {
            if (entry.Now == Entry::State::Queued) return &entry;
        }
        return nullptr;
    }

    void Run() {
        std::unique_lock<std::mutex> hold(Lock);
        for (;;) {
            Changed.wait(hold, [this] {
                return Stopping || (NextQueued() != nullptr && BytesAhead < MAX_BYTES_AHEAD);
            });
            if (Stopping) return;
            Entry& entry = *NextQueued();
            entry.Now = Entry::State::Decoding;
            InHand = &entry;
            const std::string path = entry.Path;
            hold.unlock();
            PixelMapRef map = Internal::ReadPictureFile(path);
            hold.lock();
            InHand = nullptr;
            if (entry.Now == Entry::State::Decoding) { // not dropped meanwhile
                entry.Map = std::move(map);
                entry.Now = Entry::State::Done;
                if (entry.Map) BytesAhead += entry.Map->Pixels.size();
            }
            Changed.notify_all();
        }
    }

    // With the lock held: forgets every entry; the one being decoded is marked taken, so its
    // result is dropped when it comes and nobody waits for it.
    void DropEntries() {
        for (auto entry = Entries.begin(); entry != Entries.end();) {
            if (&*entry == InHand) {
                entry->Now = Entry::State::Taken;
                ++entry;
            } else {
                entry = Entries.erase(entry);
            }
        }
        BytesAhead = 0;
    }

    void Stop() {
        {
            std::lock_guard<std::mutex> hold(Lock);
            Stopping = true;
        }
        Changed.notify_all();
        if (Worker.joinable()) Worker.join();
        Entries.clear();
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
    {
        std::lock_guard<std::mutex> hold(p.Lock);
        p.DropEntries();
        for (const std::string& path : paths)
            p.Entries.emplace_back().Path = path;
        if (!p.Worker.joinable() && !paths.empty()) p.Worker = std::thread([&p] { p.Run(); });
    }
    p.Changed.notify_all();
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
        p.Changed.wait(hold, [&entry] { return entry.Now != Entry::State::Decoding; });
        if (entry.Now != Entry::State::Done) return false;
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
