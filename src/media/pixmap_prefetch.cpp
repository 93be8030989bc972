// Decoding pictures ahead on worker threads, for loading screens and for the screens that come
// next: the game's loads stay in their order on the main thread and take the workers' results as
// they come to them. The workers also cut each RGBA picture into the parts of its image (frames,
// masks, visible rectangles, the texture's pixels), of the whole picture or of the sheet's cells
// the list gives, so that a load leaves the main thread only the texture to make.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <list>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {

// Results waiting to be taken; the workers wait while they are this far ahead. A prepared picture
// holds its pixels twice (the image's frame and the texture's copy): the credits' seventeen
// pictures alone take some 80 MB.
constexpr size_t MAX_BYTES_AHEAD = size_t(160) << 20;
// At most two files decode at once, one core being left to the main thread (see PrefetchPixmaps).
constexpr unsigned MAX_WORKERS = 2;
// The workers run below the main thread's priority, so that a decode ahead during play never
// takes the processor from a frame.
constexpr int WORKER_NICENESS = 5;

struct Entry {
    enum class State { Queued, Decoding, Done, Taken };
    PictureAhead Picture;
    State Now = State::Queued;
    Internal::PrefetchedPicture Result;
    size_t Bytes = 0;    // of Result
    bool InHand = false; // a worker is decoding it; never erased meanwhile
};

bool Preparable(const PixelMap& map) {
    return map.PixelFormat == PixelMap::Format::RGBA && map.Width > 0 && map.Height > 0 &&
           map.Pixels.size() == size_t(map.Width) * size_t(map.Height) * 4;
}

bool SameEntry(const PictureAhead& a, const PictureAhead& b) {
    return a.Path == b.Path && a.CellW == b.CellW && a.CellH == b.CellH && a.First == b.First &&
           a.Count == b.Count;
}

// Decodes a picture and, when it can be an image as it is, cuts its image's parts: of the
// listed cells, or of the whole picture when they are the whole picture, none are listed or they
// do not fit it.
Internal::PrefetchedPicture ReadAhead(const PictureAhead& ahead, size_t& bytes) {
    Internal::PrefetchedPicture picture;
    PixelMapRef map = Internal::ReadPictureFile(ahead.Path);
    bytes = 0;
    if (map && Preparable(*map)) {
        const bool whole = ahead.Count == 0 || (ahead.First == 0 && ahead.Count == 1 &&
                                                ahead.CellW == map->Width && ahead.CellH == map->Height);
        if (!whole) {
            Internal::ImageParts cut =
                Internal::CutSheet(*map, ahead.CellW, ahead.CellH, ahead.First, ahead.Count, nullptr);
            if (cut.Width > 0) {
                picture.Prepared = std::make_unique<Internal::ImageParts>(std::move(cut));
                picture.CellW = ahead.CellW;
                picture.CellH = ahead.CellH;
                picture.First = ahead.First;
                picture.Count = ahead.Count;
            }
        }
        if (!picture.Prepared)
            picture.Prepared =
                std::make_unique<Internal::ImageParts>(Internal::PrepareWholeImage(std::move(*map)));
        for (const PixelMap& frame : picture.Prepared->FramePixels)
            bytes += frame.Pixels.size();
        bytes += picture.Prepared->Atlas.Pixels.size();
    } else if (map) {
        bytes = map->Pixels.size();
        picture.Map = std::move(map);
    }
    return picture;
}

// The workers live from the first list on and wait for the next one; a new list replaces the
// old one at once, without waiting for the files in hand (their results are dropped when they
// come). Files are started in the list's order, so the loads, which come in that order, find the
// first ones done first.
struct Prefetcher {
    std::mutex Lock;
    std::condition_variable Changed;
    std::list<Entry> Entries; // a list: a worker keeps its entry while the lock is let go
    size_t BytesAhead = 0;    // Bytes of the Done entries
    int InHand = 0;           // entries being decoded
    bool Stopping = false;
    // Results nobody will take, freed by the worker: freeing a screen's worth of big pictures
    // costs the main thread milliseconds.
    std::vector<Internal::PrefetchedPicture> Discards;
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
                return Stopping || !Discards.empty() ||
                       (NextQueued() != nullptr && BytesAhead < MAX_BYTES_AHEAD);
            });
            if (Stopping) return;
            if (!Discards.empty()) {
                std::vector<Internal::PrefetchedPicture> discards;
                discards.swap(Discards);
                hold.unlock();
                discards.clear();
                hold.lock();
                continue;
            }
            Entry& entry = *NextQueued();
            entry.Now = Entry::State::Decoding;
            entry.InHand = true;
            ++InHand;
            const PictureAhead ahead = entry.Picture;
            hold.unlock();
            size_t bytes = 0;
            Internal::PrefetchedPicture picture = ReadAhead(ahead, bytes);
            hold.lock();
            entry.InHand = false;
            --InHand;
            if (entry.Now == Entry::State::Decoding) { // not dropped meanwhile
                entry.Result = std::move(picture);
                entry.Bytes = bytes;
                entry.Now = Entry::State::Done;
                BytesAhead += bytes;
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
                if (entry->Now == Entry::State::Done) Discards.push_back(std::move(entry->Result));
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
        Discards.clear();
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

void PrefetchPictures(const std::vector<PictureAhead>& pictures) {
    Prefetcher& p = ThePrefetcher();
    {
        std::lock_guard<std::mutex> hold(p.Lock);
        // A picture the old list holds too, decoded, queued or in hand, keeps its place in the
        // work: a screen's list often repeats what the one before it already started.
        std::list<Entry> listed;
        for (const PictureAhead& picture : pictures) {
            const auto old = std::find_if(p.Entries.begin(), p.Entries.end(), [&picture](const Entry& entry) {
                return SameEntry(entry.Picture, picture) && entry.Now != Entry::State::Taken;
            });
            if (old != p.Entries.end())
                listed.splice(listed.end(), p.Entries, old); // the entry itself moves, never copied
            else
                listed.emplace_back().Picture = picture;
        }
        p.DropEntries();
        p.Entries.splice(p.Entries.begin(), listed);
        for (const Entry& entry : p.Entries)
            if (entry.Now == Entry::State::Done) p.BytesAhead += entry.Bytes;
        if (p.Workers.empty() && !pictures.empty()) {
            // One core stays the main thread's: a decode thread that shares it, even below its
            // priority, takes it away for a whole scheduler tick (4 ms) now and then, a hitch in
            // the middle of play. On two cores one decoder is also the faster start: the main
            // thread and the texture worker need the other core while loading.
            const unsigned cores = std::thread::hardware_concurrency();
            const unsigned workers = std::clamp(cores > 1 ? cores - 1 : 1u, 1u, MAX_WORKERS);
            for (unsigned n = 0; n < workers; ++n)
                p.Workers.emplace_back([&p] { p.Run(); });
        }
    }
    p.Changed.notify_all();
}

void PrefetchPixmaps(const std::vector<std::string>& paths) {
    std::vector<PictureAhead> pictures(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        pictures[i].Path = paths[i];
    PrefetchPictures(pictures);
}

void EndPrefetch() {
    ThePrefetcher().Stop();
}

bool PrefetchDone(const std::string& path) {
    Prefetcher& p = ThePrefetcher();
    std::lock_guard<std::mutex> hold(p.Lock);
    return std::any_of(p.Entries.begin(), p.Entries.end(), [&path](const Entry& entry) {
        return entry.Picture.Path == path && entry.Now == Entry::State::Done;
    });
}

namespace Internal {

bool TakePrefetchedPicture(const std::string& path, PrefetchedPicture& picture) {
    Prefetcher& p = ThePrefetcher();
    std::unique_lock<std::mutex> hold(p.Lock);
    for (Entry& entry : p.Entries) {
        if (entry.Now == Entry::State::Taken || entry.Picture.Path != path) continue;
        if (entry.Now == Entry::State::Queued) {
            entry.Now = Entry::State::Taken;
            return false;
        }
        p.Changed.wait(hold, [&entry] { return entry.Now != Entry::State::Decoding; });
        if (entry.Now != Entry::State::Done) return false;
        p.BytesAhead -= entry.Bytes;
        picture = std::move(entry.Result);
        entry.Now = Entry::State::Taken;
        p.Changed.notify_all();
        return true;
    }
    return false;
}

PixelMapRef PixmapOf(PrefetchedPicture&& picture, const std::string& path) {
    if (picture.Map || !picture.Prepared) return std::move(picture.Map);
    PixelMapRef map;
    if (picture.Count == 0) {
        map = std::make_shared<PixelMap>(std::move(picture.Prepared->FramePixels[0]));
    } else {
        DebugLog("Decoding ahead: '" + path + "' was listed with other cells; read again");
        map = ReadPictureFile(path);
    }
    // The rest of what the worker made (the texture's copy, the masks) goes to it to be freed.
    Prefetcher& p = ThePrefetcher();
    {
        std::lock_guard<std::mutex> hold(p.Lock);
        p.Discards.push_back(std::move(picture));
    }
    p.Changed.notify_all();
    return map;
}

void FreeOnWorker(std::vector<PixelMap>&& maps) {
    PrefetchedPicture picture;
    picture.Prepared = std::make_unique<ImageParts>();
    picture.Prepared->FramePixels = std::move(maps);
    Prefetcher& p = ThePrefetcher();
    {
        std::lock_guard<std::mutex> hold(p.Lock);
        if (p.Workers.empty()) return; // freed here, after the lock
        p.Discards.push_back(std::move(picture));
    }
    p.Changed.notify_all();
}

bool PrefetchBusy() {
    Prefetcher& p = ThePrefetcher();
    std::lock_guard<std::mutex> hold(p.Lock);
    return p.InHand > 0 || (p.NextQueued() != nullptr && p.BytesAhead < MAX_BYTES_AHEAD);
}

} // namespace Internal
} // namespace Media
