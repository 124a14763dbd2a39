// The system calls behind the game's file writers, kept in one table so that tests can make any
// of them fail (a full disk, an I/O error, a short write) and check what each writer does then.
#pragma once

#include <cstddef>
#include <sys/types.h>

namespace veltrane {

struct TFileCalls {
    int (*MakeTemp)(char* pattern); // mkstemp
    int (*Open)(const char* path, int flags, mode_t mode);
    ssize_t (*Write)(int fd, const void* data, size_t size);
    int (*Fsync)(int fd);
    int (*Close)(int fd);
    int (*Rename)(const char* from, const char* to);
};

// The calls in use: the system's, unless a test has put others in place.
const TFileCalls& FileCalls();
// For tests: the calls to use from now on; null restores the system's.
void SetFileCalls(const TFileCalls* calls);

} // namespace veltrane
