// What the fuzz targets share: a broken contract ends the run with a message, and each target
// works in its own fresh folder (the current folder, so the game's relative file names land
// there) with the trace going nowhere.
#pragma once

#include "platform/DebugLog.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

namespace veltrane::fuzz {

inline void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Makes a temporary folder with a data/ folder in it the current one, once per process; the
// process's end leaves it to the system's temporary cleaning (libFuzzer ends with _exit).
inline void EnterScratchFolder() {
    static const bool entered = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "veltrane-fuzz-XXXXXX").string();
        Check(mkdtemp(pattern.data()) != nullptr, "no scratch folder");
        std::filesystem::current_path(pattern);
        std::filesystem::create_directories("data");
        SetDebugLogFile("/dev/null");
        return true;
    }();
    (void)entered;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    Check(bool(out), "cannot write a scratch file");
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace veltrane::fuzz
