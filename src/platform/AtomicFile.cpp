#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

bool Fail(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return Fail(error, "cannot create a temporary file beside " + path, errno);

    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            close(fd);
            unlink(temp.c_str());
            return Fail(error, "cannot write " + temp, err);
        }
        written += static_cast<size_t>(n);
    }
    // mkstemp creates the file 0600; saved files should be readable like any other.
    fchmod(fd, 0644);
    if (fsync(fd) != 0 || close(fd) != 0) {
        const int err = errno;
        unlink(temp.c_str());
        return Fail(error, "cannot finish " + temp, err);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        unlink(temp.c_str());
        return Fail(error, "cannot replace " + path, err);
    }
    return true;
}

} // namespace veltrane
