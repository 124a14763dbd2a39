#include "platform/AtomicFile.h"

#include "platform/FileCalls.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veltrane {

namespace {

bool Fail(std::string* error, const std::string& what, int err) {
    if (error) *error = what + ": " + std::strerror(err);
    return false;
}

// "<target>.XXXXXX" as mkstemp fills it in: six letters or digits.
bool IsOurTemporary(const std::string& name, const std::string& target) {
    if (name.size() != target.size() + 7 || name.compare(0, target.size(), target) != 0 ||
        name[target.size()] != '.')
        return false;
    for (size_t i = target.size() + 1; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// Temporary files a killed save left beside path. A writer holds a lock on its temporary file
// while it writes, so one that can be locked has no writer any more; other files are never
// touched.
void RemoveStaleTemporaries(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string target = slash == std::string::npos ? path : path.substr(slash + 1);
    struct TCloseDir {
        void operator()(DIR* d) const { closedir(d); }
    };
    std::unique_ptr<DIR, TCloseDir> dir(opendir(folder.c_str()));
    if (!dir) return;
    while (const dirent* entry = readdir(dir.get())) {
        if (!IsOurTemporary(entry->d_name, target)) continue;
        const int fd =
            openat(dirfd(dir.get()), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlinkat(dirfd(dir.get()), entry->d_name, 0);
        close(fd);
    }
}

// A new temporary file beside path, locked against the clean-up above; -1 and errno on failure.
int MakeLockedTemporary(const std::string& path, std::string& temp) {
    const TFileCalls& calls = FileCalls();
    for (int attempt = 0; attempt < 3; ++attempt) {
        temp = path + ".XXXXXX";
        const int fd = calls.MakeTemp(temp.data());
        if (fd < 0) return -1;
        // Where locks are not supported the file simply goes unprotected.
        flock(fd, LOCK_EX);
        // Another writer's clean-up may have taken it in the moment before the lock.
        struct stat st {};
        if (fstat(fd, &st) != 0 || st.st_nlink > 0) return fd;
        calls.Close(fd);
    }
    errno = EAGAIN;
    return -1;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    const TFileCalls& calls = FileCalls();
    RemoveStaleTemporaries(path);
    std::string temp;
    const int fd = MakeLockedTemporary(path, temp);
    if (fd < 0) {
        const int err = errno;
        return Fail(error, "cannot create a temporary file beside " + path, err);
    }

    // Every failure below closes the descriptor and removes the temporary file, reporting the
    // first error.
    auto abandon = [&](const std::string& what, int err, bool closed) {
        if (!closed) calls.Close(fd);
        unlink(temp.c_str());
        return Fail(error, what, err);
    };
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = calls.Write(fd, bytes.data() + written, bytes.size() - written);
        const int err = n < 0 ? errno : ENOSPC; // a write of nothing means no room
        if (n < 0 && err == EINTR) continue;
        if (n <= 0) return abandon("cannot write " + temp, err, false);
        written += static_cast<size_t>(n);
    }
    // mkstemp creates the file 0600; saved files should be readable like any other.
    fchmod(fd, 0644);
    if (calls.Fsync(fd) != 0) {
        const int err = errno;
        return abandon("cannot finish " + temp, err, false);
    }
    if (calls.Close(fd) != 0) {
        const int err = errno;
        return abandon("cannot finish " + temp, err, true);
    }
    if (calls.Rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        return abandon("cannot replace " + path, err, true);
    }
    return true;
}

} // namespace veltrane
