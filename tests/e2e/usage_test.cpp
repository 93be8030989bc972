// --help, --version and a mistyped option, run on the real program; and the man page, which must
// list the same options and controls in the same words as --help.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "media/media.h"
#include "support/test_files.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs the program from an empty folder with `args`, without a data root: what is tested here
// must not need one.
Outcome RunGame(const std::string& args) {
    const std::string temp = testfiles::MakeTempDir();
    const std::string command = "cd '" + temp + "' && '" + std::string(QS_GAME_BINARY) + "' " + args +
                                " > '" + temp + "/out.txt' 2> '" + temp + "/err.txt'";
    Outcome run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = testfiles::ReadText(temp + "/out.txt");
    run.err = testfiles::ReadText(temp + "/err.txt");
    std::filesystem::remove_all(temp);
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The entries of one "Heading:" block of --help: "  term  meaning" lines, a long meaning
// continued on lines indented further.
Entries HelpSection(const std::string& help, const std::string& heading) {
    Entries entries;
    bool inside = false;
    for (const std::string& line : Lines(help)) {
        if (line == heading) {
            inside = true;
        } else if (inside && line.empty()) {
            break;
        } else if (inside && line.rfind("   ", 0) == 0) {
            if (entries.empty()) break;
            std::string& meaning = entries.back().second;
            if (!meaning.empty()) meaning += ' ';
            meaning += line.substr(line.find_first_not_of(' '));
        } else if (inside) {
            const size_t gap = line.find("  ", 2);
            const std::string term = line.substr(2, gap == std::string::npos ? std::string::npos : gap - 2);
            const std::string meaning =
                gap == std::string::npos ? "" : line.substr(line.find_first_not_of(' ', gap));
            entries.emplace_back(term, meaning);
        }
    }
    return entries;
}

// Plain text of a man-page line: fonts dropped, escaped hyphens and zero-width marks undone.
std::string Unroff(std::string text) {
    for (const char* escape : {"\\fB", "\\fI", "\\fR", "\\fP", "\\&"})
        for (size_t at; (at = text.find(escape)) != std::string::npos;)
            text.erase(at, std::string(escape).size());
    for (size_t at; (at = text.find("\\-")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

// The .TP entries of one .SH section of the man page: the term on the line after .TP, the
// meaning on the text lines after that.
Entries ManSection(const std::string& page, const std::string& heading) {
    Entries entries;
    bool inside = false, term = false;
    for (const std::string& line : Lines(page)) {
        if (line.rfind(".SH", 0) == 0) {
            if (inside) break;
            inside = line == ".SH " + heading;
            continue;
        }
        if (!inside) continue;
        if (line == ".TP") {
            entries.emplace_back();
            term = true;
        } else if (line.rfind(".", 0) == 0 || entries.empty()) {
            ADD_FAILURE() << "a " << heading << " entry holds more than a term and text: " << line;
        } else if (term) {
            entries.back().first = Unroff(line);
            term = false;
        } else {
            std::string& meaning = entries.back().second;
            if (!meaning.empty()) meaning += ' ';
            meaning += Unroff(line);
        }
    }
    return entries;
}

std::string Version() {
    std::string version = Media::VersionText();
    if (!version.empty() && version.back() == '\n') version.pop_back();
    return version;
}

} // namespace

TEST(UsageTest, HelpAndVersionPrintTheirTextAndEndWithStatusZero) {
    const Outcome help = RunGame("--help");
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out, Media::UsageText());
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: quillstorm [options]\n", 0), 0u) << help.out;
    for (const std::string& line : Lines(help.out))
        EXPECT_LE(line.size(), 80u) << line;

    const Outcome version = RunGame("--version");
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, Media::VersionText());
    EXPECT_EQ(version.out.rfind("Quillstorm ", 0), 0u) << version.out;

    // They end the program at once: nothing after them is read, nothing is started.
    const Outcome first = RunGame("--help --no-such-option --data /nowhere");
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, Media::UsageText());
}

TEST(UsageTest, UnknownOptionNamesItselfAndPointsToHelp) {
    const Outcome run = RunGame("--windowed --fulscreen");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("'--fulscreen'"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
}

TEST(UsageTest, ManPageListsTheOptionsAndControlsOfHelpInTheSameWords) {
    const std::string help = Media::UsageText();
    const std::string page = testfiles::ReadText(std::string(QS_BINARY_DIR) + "/dist/quillstorm.6");
    ASSERT_FALSE(page.empty());
    const Entries helpOptions = HelpSection(help, "Options:"), helpControls = HelpSection(help, "Controls:");
    EXPECT_GE(helpOptions.size(), 12u);
    EXPECT_GE(helpControls.size(), 10u);
    EXPECT_EQ(ManSection(page, "OPTIONS"), helpOptions);
    EXPECT_EQ(ManSection(page, "CONTROLS"), helpControls);
    for (const auto& [term, meaning] : helpOptions)
        EXPECT_FALSE(meaning.empty()) << term;

    // The man page's header, the AppStream release and --version name the same version.
    // Named before they are joined: GCC 12 falsely reports -Wrestrict for "text" + a temporary
    // string (GCC bug 105651).
    const std::string version = Version();
    EXPECT_NE(page.find("\"" + version + "\""), std::string::npos) << version;
    const std::string metainfo = testfiles::ReadText(std::string(QS_SOURCE_DIR) +
                                                     "/dist/io.github.quillstorm.Quillstorm.metainfo.xml");
    const size_t release = metainfo.find("<release version=\"");
    ASSERT_NE(release, std::string::npos);
    const std::string newest = metainfo.substr(release + 18, metainfo.find('"', release + 18) - release - 18);
    EXPECT_EQ("Quillstorm " + newest, version) << "the newest release in the metainfo comes first";
}
