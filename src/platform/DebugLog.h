// The program's trace, "debug.txt" in the current folder: each line is the tick count
// followed directly by the message, ending in CR LF. Opened and closed on every call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace veltrane {

void DebugLog(bool newFile, const std::string& message);

// Tests replace the tick source and the file name; empty arguments restore the defaults.
void SetDebugLogClock(std::function<uint32_t()> clock);
void SetDebugLogFile(const std::string& path);

} // namespace veltrane
