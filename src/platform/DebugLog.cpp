#include "platform/DebugLog.h"

#include "platform/Clock.h"
#include "platform/FileCalls.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

namespace veltrane {

namespace {

std::function<uint32_t()>& Clock() {
    static std::function<uint32_t()> clock;
    return clock;
}

std::string& FileName() {
    static std::string name = "debug.txt";
    return name;
}

bool& ToStandardError() {
    static bool toStderr = false;
    return toStderr;
}

bool& Complained() {
    static bool complained = false;
    return complained;
}

} // namespace

void SetDebugLogClock(std::function<uint32_t()> clock) {
    Clock() = std::move(clock);
}

void SetDebugLogFile(const std::string& path) {
    FileName() = path.empty() ? "debug.txt" : path;
    Complained() = false;
    ToStandardError() = false;
}

void SetDebugLogToStandardError() {
    ToStandardError() = true;
}

void DebugLog(bool newFile, const std::string& message) {
    const uint32_t tick = Clock() ? Clock()() : GetTickCount();
    if (ToStandardError()) {
        std::fprintf(stderr, "%u%s\n", unsigned(tick), message.c_str());
        return;
    }
    const std::string line = std::to_string(tick) + message + "\r\n";

    // A trace that cannot be written must not take the game down: the line is dropped
    // and the first failure is reported on stderr.
    const TFileCalls& calls = FileCalls();
    int err = 0;
    const int fd =
        calls.Open(FileName().c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (newFile ? O_TRUNC : O_APPEND), 0644);
    if (fd < 0) err = errno;
    for (size_t done = 0; fd >= 0 && done < line.size();) {
        const ssize_t n = calls.Write(fd, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            err = n < 0 ? errno : ENOSPC;
            break;
        }
        done += size_t(n);
    }
    if (fd >= 0 && calls.Close(fd) != 0 && err == 0) err = errno;
    if (err != 0 && !Complained()) {
        Complained() = true;
        std::fprintf(stderr, "veltrane: cannot write the trace file %s: %s\n", FileName().c_str(),
                     std::strerror(err));
    }
}

} // namespace veltrane
