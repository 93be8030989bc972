// Entry point of the audio generator: the sound effects (sfx/*.wav) and the music
// (sfx/music/*.ogg). Pieces are rendered on two threads; each job writes its own file, so the
// bytes do not depend on scheduling.
#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/music.h"
#include "audio/sfx.h"
#include "audio/synth.h"
#include "audio/wav_writer.h"
#include "generators.h"

namespace assetgen {

void GenerateAudio(const Output& out) {
    std::vector<std::function<void()>> jobs;
    jobs.push_back([&out] {
        for (const SoundEffect& e : MakeSoundEffects())
            WriteWav(out.Path("sfx/" + e.name + ".wav"), e.samples, synth::kRate);
    });
    for (size_t piece = 0; piece < MusicPieceCount(); ++piece)
        jobs.push_back([&out, piece] { WriteMusicPiece(out, piece); });

    std::atomic<size_t> next{0};
    std::mutex errorLock;
    std::exception_ptr error;
    auto worker = [&] {
        for (size_t j = next++; j < jobs.size(); j = next++) {
            try {
                jobs[j]();
            } catch (...) {
                std::lock_guard<std::mutex> lock(errorLock);
                if (!error) error = std::current_exception();
            }
        }
    };
    std::thread helper(worker);
    worker();
    helper.join();
    if (error) std::rethrow_exception(error);
}

} // namespace assetgen
