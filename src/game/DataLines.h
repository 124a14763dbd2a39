// Line-by-line reading shared by the level and figure readers: one value at the start of a
// line, the rest of the line skipped.
#pragma once

#include "platform/TextReader.h"

#include <cstdint>
#include <string>

namespace veltrane::datalines {

// An integer that must lie in lo..hi; what names it in the error.
inline int32_t ReadInt(TTextReader& r, const char* what, int32_t lo, int32_t hi) {
    const int32_t value = r.ReadInt();
    if (value < lo || value > hi)
        r.Fail(std::string(what) + " " + std::to_string(value) + " outside " + std::to_string(lo) + ".." +
               std::to_string(hi));
    r.ReadLn();
    return value;
}

inline int32_t ReadInt(TTextReader& r) {
    const int32_t value = r.ReadInt();
    r.ReadLn();
    return value;
}

// A byte field keeps the low 8 bits of what is read.
inline uint8_t ReadByte(TTextReader& r) {
    return static_cast<uint8_t>(ReadInt(r) & 0xFF);
}

inline double ReadReal(TTextReader& r) {
    const double value = r.ReadReal();
    r.ReadLn();
    return value;
}

// A flag line: true when its first character is "1".
inline bool ReadFlag(TTextReader& r) {
    const char first = r.ReadChar();
    r.ReadLn();
    return first == '1';
}

} // namespace veltrane::datalines
