// Whole-file replacement that never leaves a partial file behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "media/media.h"

namespace Media {
namespace {

constexpr const char* TEMPORARY_SUFFIX = ".tmp";

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
    const std::string temporary = path + TEMPORARY_SUFFIX;
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    // A full disk may show only at the flush, so both count before the rename.
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
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
    int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

int FileWritable(const std::string& path) {
    return ::access(NativePath(path).c_str(), W_OK) == 0 ? 1 : 0;
}

} // namespace Media
