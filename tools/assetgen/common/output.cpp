#include "common/output.h"

namespace assetgen {

std::filesystem::path Output::Path(const std::string& relative) const {
    std::filesystem::path full = root_ / relative;
    std::filesystem::create_directories(full.parent_path());
    return full;
}

} // namespace assetgen
