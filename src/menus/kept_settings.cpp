#include "menus/kept_settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "media/media.h"
#include "menus/config_menu.h"
#include "presentation/sound.h"
#include "shell/controls.h"
#include "shell/user_files.h"

namespace {

// A settings file is a handful of lines; anything past this is not ours and is not read.
constexpr int MAX_LINES = 64;

const char* const KEYS[4] = {"sound_volume", "music_volume", "display", "rumble"};

void Log(const std::string& name, const std::string& text) {
    Media::DebugLog(name + ": " + text);
}

bool ParseVolume(const std::string& text, float& volume) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    volume = std::strtof(text.c_str(), &end);
    return errno == 0 && *end == '\0';
}

std::string VolumeText(float volume) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(volume));
    return text;
}

// Sets the setting `key` from `value`; false with the reason when the value is not one it takes.
bool Apply(KeptSettings& settings, int key, const std::string& value, std::string& reason) {
    float volume = 0;
    switch (key) {
    case 0:
        if (ParseVolume(value, volume) && ConfigMenu::SoundWord(volume)[0] != '\0') {
            settings.SoundVolume = volume;
            return true;
        }
        reason = "takes 1, 0.5, 0.25 or 0";
        return false;
    case 1:
        if (ParseVolume(value, volume) && ConfigMenu::MusicWord(volume)[0] != '\0') {
            settings.MusicVolume = volume;
            return true;
        }
        reason = "takes 0.75, 0.5, 0.25 or 0";
        return false;
    case 2:
        if (value == "windowed" || value == "fullscreen") {
            settings.Windowed = value == "windowed" ? 1 : 0;
            return true;
        }
        reason = "takes windowed or fullscreen";
        return false;
    default:
        if (value == "on" || value == "off") {
            settings.Rumble = value == "on" ? 1 : 0;
            return true;
        }
        reason = "takes on or off";
        return false;
    }
}

std::string DefaultText(int key) {
    const KeptSettings defaults;
    switch (key) {
    case 0:
        return VolumeText(defaults.SoundVolume);
    case 1:
        return VolumeText(defaults.MusicVolume);
    case 2:
        return defaults.Windowed != 0 ? "windowed" : "fullscreen";
    default:
        return defaults.Rumble != 0 ? "on" : "off";
    }
}

} // namespace

KeptSettings ParseSettings(const std::string& text, const std::string& name) {
    KeptSettings settings;
    bool found[4] = {};
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::string where = "line " + std::to_string(number);
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            Log(name, where + " is not key=value; it is ignored");
            continue;
        }
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        int index = -1;
        for (int i = 0; i < 4; ++i)
            if (key == KEYS[i]) index = i;
        if (index < 0) {
            Log(name, where + ": unknown setting '" + key + "' is ignored");
            continue;
        }
        std::string reason;
        if (!Apply(settings, index, value, reason)) {
            Log(name, where + ": " + key + " " + reason + ", not '" + value + "'; " + DefaultText(index) +
                          " is used");
            found[index] = true; // one line for this setting is enough
            continue;
        }
        found[index] = true;
    }
    for (int i = 0; i < 4; ++i)
        if (!found[i]) Log(name, std::string("no ") + KEYS[i] + " line; " + DefaultText(i) + " is used");
    return settings;
}

std::string FormatSettings(const KeptSettings& settings) {
    return std::string(KEYS[0]) + "=" + VolumeText(settings.SoundVolume) + "\n" + KEYS[1] + "=" +
           VolumeText(settings.MusicVolume) + "\n" + KEYS[2] + "=" +
           (settings.Windowed != 0 ? "windowed" : "fullscreen") + "\n" + KEYS[3] + "=" +
           (settings.Rumble != 0 ? "on" : "off") + "\n";
}

void LoadKeptSettings() {
    const std::string path = SettingsFilePath();
    Kept = KeptSettings();
    const int type = Media::FileType(path);
    std::unique_ptr<Media::Stream> file = type == 1 ? Media::OpenRead(path) : nullptr;
    if (!file) {
        Media::DebugLog(type == 0 ? path + " does not exist yet; the default settings are used"
                                  : "Cannot read " + path + "; the default settings are used");
    } else {
        std::string text;
        for (int i = 0; i < MAX_LINES && !file->Eof(); ++i)
            text += file->ReadLine() + "\n";
        file->Close();
        Kept = ParseSettings(text, path);
    }
    Sound::SoundVolume_ = Kept.SoundVolume;
    Sound::MusicVolume_ = Kept.MusicVolume;
    RumbleEnabled = Kept.Rumble;
}

void SaveKeptSettings() {
    const std::string path = Media::NativePath(SettingsFilePath());
    if (!PrepareSettingsFolder()) return;
    std::string reason;
    if (!Media::ReplaceFile(path, FormatSettings(Kept), reason))
        Media::DebugLog("Could not write " + path + " (" + reason + "); the settings are not kept");
}
