// Files and byte streams. Text is 8-bit: one byte per character.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "media/media.h"
#include "media/media_internal.h"

namespace Media {
namespace {
FILE* File(void* file) {
    return static_cast<FILE*>(file);
}
} // namespace

std::string NativePath(const std::string& path) {
    std::string native = path;
    for (char& c : native)
        if (c == '\\') c = '/';
    return native;
}

int FileType(const std::string& path) {
    struct stat info;
    if (stat(NativePath(path).c_str(), &info) != 0) return 0;
    if (S_ISDIR(info.st_mode)) return 2;
    return S_ISREG(info.st_mode) ? 1 : 0;
}

bool FileMissing(const std::string& path) {
    struct stat info;
    if (stat(NativePath(path).c_str(), &info) == 0) return false;
    return errno == ENOENT || errno == ENOTDIR;
}

bool DeleteFile(const std::string& path) {
    return FileType(path) == 1 && std::remove(NativePath(path).c_str()) == 0;
}

std::unique_ptr<Stream> OpenRead(const std::string& path) {
    if (FileType(path) != 1) return nullptr;
    FILE* file = std::fopen(NativePath(path).c_str(), "rb");
    return file ? std::unique_ptr<Stream>(new Stream(file)) : nullptr;
}

std::unique_ptr<Stream> OpenWrite(const std::string& path) {
    FILE* file = std::fopen(NativePath(path).c_str(), "wb");
    return file ? std::unique_ptr<Stream>(new Stream(file)) : nullptr;
}

Stream::~Stream() {
    Close();
}

void Stream::Close() {
    if (file_) std::fclose(File(file_));
    file_ = nullptr;
}

std::string Stream::ReadLine() {
    std::string line;
    if (!file_) return line;
    for (int c = std::getc(File(file_)); c != EOF && c != 10 && c != 0; c = std::getc(File(file_)))
        if (c != 13) line += char(c);
    return line;
}

bool Stream::Eof() {
    if (!file_) return true;
    const int c = std::getc(File(file_));
    if (c == EOF) return true;
    std::ungetc(c, File(file_));
    return false;
}

bool Stream::Failed() {
    return file_ && std::ferror(File(file_)) != 0;
}

void Stream::WriteBytes(const void* data, size_t size) {
    if (file_ && size > 0) std::fwrite(data, 1, size, File(file_));
}

void Stream::WriteString(const std::string& text) {
    WriteBytes(text.data(), text.size());
}

void Stream::WriteLine(const std::string& text) {
    WriteString(text);
    WriteBytes("\r\n", 2);
}

void Stream::WriteInt(int32_t value) {
    const uint32_t v = uint32_t(value);
    const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    WriteBytes(bytes, 4);
}

void Stream::WriteShort(int value) {
    const uint32_t v = uint32_t(value);
    const uint8_t bytes[2] = {uint8_t(v), uint8_t(v >> 8)};
    WriteBytes(bytes, 2);
}

namespace Internal {

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
    bytes.clear();
    if (FileType(path) != 1) return false;
    FILE* file = std::fopen(NativePath(path).c_str(), "rb");
    if (!file) return false;
    uint8_t chunk[65536];
    bool ok = true;
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        if (bytes.size() + n > maxBytes) {
            ok = false;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    if (std::ferror(file)) ok = false;
    std::fclose(file);
    if (!ok) bytes.clear();
    return ok;
}

} // namespace Internal
} // namespace Media
