// The program's trace, "debug.txt" in the player's folder (the current folder unless the program
// names another): each line is the tick count followed directly by the message, ending in CR LF.
// Opened and closed on every call.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace veltrane {

void DebugLog(bool newFile, const std::string& message);

// Tests replace the tick source and the file name; empty arguments restore the defaults.
void SetDebugLogClock(std::function<uint32_t()> clock);
void SetDebugLogFile(const std::string& path);
// When there is no folder to keep the trace in, its lines go to standard error instead, where
// the player still sees what failed. SetDebugLogFile ends this.
void SetDebugLogToStandardError();

} // namespace veltrane
