#include "platform/DebugLog.h"

#include "platform/Clock.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    std::FILE* f = std::fopen(FileName().c_str(), newFile ? "wb" : "ab");
    bool ok = f != nullptr;
    if (ok) ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok && !Complained()) {
        Complained() = true;
        std::fprintf(stderr, "veltrane: cannot write the trace file %s: %s\n", FileName().c_str(),
                     std::strerror(errno));
    }
}

} // namespace veltrane
