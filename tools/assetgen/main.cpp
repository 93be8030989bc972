// assetgen: writes every picture, sound, music piece and level file of the game.
//   assetgen --out ROOT --levels DIR [--only sprites|screens|audio|levels]
//   assetgen --preview DIR --data ROOT     contact sheets of a generated data root
//   assetgen --icons DIR                   the desktop icons
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "generators.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: assetgen --out ROOT --levels DIR [--only sprites|screens|audio|levels]\n"
                 "       assetgen --preview DIR --data ROOT\n"
                 "       assetgen --icons DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string out, levels, only, preview, data, icons;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        if (key == "--out") out = argv[i + 1];
        else if (key == "--levels") levels = argv[i + 1];
        else if (key == "--only") only = argv[i + 1];
        else if (key == "--preview") preview = argv[i + 1];
        else if (key == "--data") data = argv[i + 1];
        else if (key == "--icons") icons = argv[i + 1];
        else return Usage();
    }
    auto start = std::chrono::steady_clock::now();
    try {
        if (!icons.empty()) {
            assetgen::WriteIcons(icons);
            return 0;
        }
        if (!preview.empty()) {
            if (data.empty()) return Usage();
            assetgen::WritePreview(data, preview);
            return 0;
        }
        if (out.empty() || levels.empty()) return Usage();
        assetgen::Output output(out);
        struct Job {
            const char* name;
            std::function<void()> run;
        };
        std::vector<Job> jobs = {
            {"audio", [&] { assetgen::GenerateAudio(output); }},
            {"sprites", [&] { assetgen::GenerateSpriteArt(output); }},
            {"screens", [&] { assetgen::GenerateScreenArt(output); }},
            {"levels", [&] { assetgen::WriteLevels(output, levels); }},
        };
        // Each job writes its own files, so they run side by side; an error in any job fails the run.
        std::vector<std::thread> threads;
        std::vector<std::string> errors(jobs.size());
        for (size_t j = 0; j < jobs.size(); ++j) {
            if (!only.empty() && only != jobs[j].name) continue;
            threads.emplace_back([&, j] {
                try {
                    jobs[j].run();
                } catch (const std::exception& e) {
                    errors[j] = std::string(jobs[j].name) + ": " + e.what();
                }
            });
        }
        for (auto& t : threads) t.join();
        bool failed = false;
        for (const auto& e : errors)
            if (!e.empty()) {
                std::fprintf(stderr, "assetgen: %s\n", e.c_str());
                failed = true;
            }
        if (failed) return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: done in %.1f s\n", seconds);
    return 0;
}
