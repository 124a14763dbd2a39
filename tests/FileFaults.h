// Makes the file writers' system calls fail on purpose. Each fault of the tables fails one call
// with an errno (or, for a short write, writes part of what was asked and then finds the disk
// full); the calls before it go through. ExpectEachFaultReported runs a writer once per fault
// and checks what every writer owes the player: the failure reported, the old file as it was,
// no temporary file and no open descriptor left behind.
#pragma once

#include "platform/FileCalls.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace veltrane::filefaults {

enum class TCall { MakeTemp, Open, Write, Fsync, Close, Rename };

struct TFault {
    const char* Name;
    TCall Call;
    int Error;
    bool ShortFirst = false; // with Error 0: short writes only, which the writer must finish
};

// Every way a writer that replaces its file as a whole can fail.
inline const std::vector<TFault> ReplaceFaults = {
    {"temporary file, disk full", TCall::MakeTemp, ENOSPC},
    {"temporary file, I/O error", TCall::MakeTemp, EIO},
    {"write, disk full", TCall::Write, ENOSPC},
    {"write, I/O error", TCall::Write, EIO},
    {"short write, then disk full", TCall::Write, ENOSPC, true},
    {"fsync, disk full", TCall::Fsync, ENOSPC},
    {"fsync, I/O error", TCall::Fsync, EIO},
    {"close, disk full", TCall::Close, ENOSPC},
    {"close, I/O error", TCall::Close, EIO},
    {"rename, disk full", TCall::Rename, ENOSPC},
    {"rename, I/O error", TCall::Rename, EIO},
};

// Every way a writer that appends to its file (the trace) can fail.
inline const std::vector<TFault> AppendFaults = {
    {"open, disk full", TCall::Open, ENOSPC},
    {"open, I/O error", TCall::Open, EIO},
    {"write, disk full", TCall::Write, ENOSPC},
    {"write, I/O error", TCall::Write, EIO},
    {"short write, then disk full", TCall::Write, ENOSPC, true},
    {"close, I/O error", TCall::Close, EIO},
};

namespace detail {

struct TState {
    TFault Fault{};
    bool Hit = false;
    bool ShortDone = false;
};

inline TState& State() {
    static TState state;
    return state;
}

inline bool Fires(TCall call) {
    TState& s = State();
    if (s.Hit || s.Fault.Call != call || s.Fault.Error == 0) return false;
    s.Hit = true;
    errno = s.Fault.Error;
    return true;
}

inline int MakeTemp(char* pattern) {
    return Fires(TCall::MakeTemp) ? -1 : mkstemp(pattern);
}
inline int Open(const char* path, int flags, mode_t mode) {
    return Fires(TCall::Open) ? -1 : open(path, flags, mode);
}
inline ssize_t Write(int fd, const void* data, size_t size) {
    TState& s = State();
    if (s.Fault.Call == TCall::Write && s.Fault.ShortFirst && !s.ShortDone && size > 1) {
        s.ShortDone = true;
        s.Hit = s.Fault.Error == 0;
        return write(fd, data, size / 2);
    }
    return Fires(TCall::Write) ? -1 : write(fd, data, size);
}
inline int Fsync(int fd) {
    return Fires(TCall::Fsync) ? -1 : fsync(fd);
}
// As on Linux, a failing close still frees the descriptor.
inline int Close(int fd) {
    const int result = close(fd);
    return Fires(TCall::Close) ? -1 : result;
}
inline int Rename(const char* from, const char* to) {
    return Fires(TCall::Rename) ? -1 : std::rename(from, to);
}

inline const TFileCalls Faulty = {MakeTemp, Open, Write, Fsync, Close, Rename};

} // namespace detail

// The fault, for one scope.
class TScopedFault {
public:
    explicit TScopedFault(const TFault& fault) {
        detail::State() = {fault, false, false};
        SetFileCalls(&detail::Faulty);
    }
    ~TScopedFault() { SetFileCalls(nullptr); }
    TScopedFault(const TScopedFault&) = delete;
    TScopedFault& operator=(const TScopedFault&) = delete;
    // Whether the faulty call was made at all.
    bool Hit() const { return detail::State().Hit; }
};

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::set<std::string> FolderNames(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename());
    return names;
}

inline int OpenDescriptors() {
    return int(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator()));
}

// write(fault) replaces file and returns whether it says it succeeded.
template <typename Write>
void ExpectEachFaultReported(const std::filesystem::path& file, Write write) {
    const std::string old = ReadAll(file);
    const std::set<std::string> names = FolderNames(file.parent_path());
    const int descriptors = OpenDescriptors();
    for (const TFault& fault : ReplaceFaults) {
        SCOPED_TRACE(fault.Name);
        {
            TScopedFault scoped(fault);
            EXPECT_FALSE(write(fault));
            EXPECT_TRUE(scoped.Hit());
        }
        EXPECT_EQ(ReadAll(file), old);
        EXPECT_EQ(FolderNames(file.parent_path()), names);
        EXPECT_EQ(OpenDescriptors(), descriptors);
    }
}

} // namespace veltrane::filefaults
