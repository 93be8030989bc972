// Decoding pictures ahead on a worker thread, for loading screens: the game's loads stay in their
// order on the main thread and take the worker's results as they come to them.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

// Decoded results waiting to be taken; the workers wait while they are this far ahead.
constexpr size_t MAX_BYTES_AHEAD = size_t(64) << 20;
// Two files decode at once where there are two cores: while the loading screen waits for its
// pictures the main thread is idle, and one decoder alone leaves a core unused.
constexpr unsigned MAX_WORKERS = 2;
// The workers run below the main thread's priority, so that a decode ahead during play never
// takes the processor from a frame.
constexpr int WORKER_NICENESS = 5;

struct Entry {
    enum class State { Queued, Decoding, Done, Taken };
    std::string Path;
    State Now = State::Queued;
    PixelMapRef Map = nullptr;
    bool InHand = false; // a worker is decoding it; never erased meanwhile
};

// The workers live from the first list on and wait for the next one; a new list replaces the
// old one at once, without waiting for the files in hand (their results are dropped when they
// come). Files are started in the list's order, so the loads, which come in that order, find the
// first ones done first.
struct Prefetcher {
    std::mutex Lock;
    std::condition_variable Changed;
    std::list<Entry> Entries; // a list: a worker keeps its entry while the lock is let go
    size_t BytesAhead = 0;    // pixels of Done entries
    bool Stopping = false;
    std::vector<std::thread> Workers;

    Entry* NextQueued() {
        for (Entry& entry : Entries) {
            if (entry.Now == Entry::State::Queued) return &entry;
        }
        return nullptr;
    }

    void Run() {
        setpriority(PRIO_PROCESS, id_t(gettid()), WORKER_NICENESS); // best effort: may be refused
        std::unique_lock<std::mutex> hold(Lock);
        for (;;) {
            Changed.wait(hold, [this] {
                return Stopping || (NextQueued() != nullptr && BytesAhead < MAX_BYTES_AHEAD);
            });
            if (Stopping) return;
            Entry& entry = *NextQueued();
            entry.Now = Entry::State::Decoding;
            entry.InHand = true;
            const std::string path = entry.Path;
            hold.unlock();
            PixelMapRef map = Internal::ReadPictureFile(path);
            hold.lock();
            entry.InHand = false;
            if (entry.Now == Entry::State::Decoding) { // not dropped meanwhile
                entry.Map = std::move(map);
                entry.Now = Entry::State::Done;
                if (entry.Map) BytesAhead += entry.Map->Pixels.size();
            }
            Changed.notify_all();
        }
    }

    // With the lock held: forgets every entry; those being decoded are marked taken, so their
    // results are dropped when they come and nobody waits for them.
    void DropEntries() {
        for (auto entry = Entries.begin(); entry != Entries.end();) {
            if (entry->InHand) {
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
        for (std::thread& worker : Workers)
            worker.join();
        Workers.clear();
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
        if (p.Workers.empty() && !paths.empty()) {
            const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, MAX_WORKERS);
            for (unsigned n = 0; n < workers; ++n)
                p.Workers.emplace_back([&p] { p.Run(); });
        }
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
