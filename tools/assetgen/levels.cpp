// Copies the authored level files (tools/assetgen/levels/levelN.dat) into the data root.
#include <stdexcept>
#include <string>

#include "generators.h"

namespace assetgen {

void WriteLevels(const Output& out, const std::filesystem::path& levelSource) {
    for (int level = 1; level <= 11; ++level) {
        const std::string name = "level" + std::to_string(level) + ".dat";
        const std::filesystem::path source = levelSource / name;
        if (!std::filesystem::is_regular_file(source))
            throw std::runtime_error("level file missing: " + source.string());
        std::filesystem::copy_file(source, out.Path("data/" + name),
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

} // namespace assetgen
