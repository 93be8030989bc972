#pragma once
// Where generated files go: every path is relative to the data root and uses '/'.
#include <filesystem>
#include <string>

namespace assetgen {

class Output {
public:
    explicit Output(std::filesystem::path root) : root_(std::move(root)) {}
    // Full path for a data-root-relative name; creates the parent folders.
    std::filesystem::path Path(const std::string& relative) const;
    const std::filesystem::path& Root() const { return root_; }

private:
    std::filesystem::path root_;
};

} // namespace assetgen
