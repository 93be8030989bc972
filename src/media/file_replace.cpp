// Whole-file replacement that never leaves a partial file behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "media/media.h"

namespace Media {
namespace {

// mkostemp's pattern: the six X become random characters.
constexpr const char* TEMPORARY_SUFFIX = ".tmp.XXXXXX";
constexpr mode_t NEW_FILE_MODE = 0644;

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

bool ReplaceFile(const std::string& gamePath, const std::string& bytes, std::string& reason) {
    const std::string path = NativePath(gamePath);
    struct stat old;
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 0777) : NEW_FILE_MODE;
    // A name of its own per call, so two running copies never write into one temporary file;
    // mkostemp creates it with O_EXCL, which also refuses a link planted under that name.
    std::string temporary = path + TEMPORARY_SUFFIX;
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    // A full disk may show only at the flush, so both count before the rename.
    bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        if (written) error = errno;
        ::unlink(temporary.c_str());
        reason = std::strerror(error);
        return false;
    }
    // The rename itself is durable only once the folder is flushed; the file is already whole,
    // so a failure here is not worth more than the write's success.
    FlushFolder(FolderOf(path));
    return true;
}

bool FlushFolder(const std::string& folder) {
    int fd = ::open(NativePath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
}

int FileWritable(const std::string& path) {
    return ::access(NativePath(path).c_str(), W_OK) == 0 ? 1 : 0;
}

} // namespace Media
