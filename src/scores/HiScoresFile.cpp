// The high-score file: exactly 400 bytes, no header, no checksum.
#include "scores/HiScores.h"

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace veltrane {

THiScoreFileBytes THiScores::Bytes() const {
    THiScoreFileBytes bytes{};
    size_t at = 0;
    for (const THiScoreTable& table : Tables)
        for (const THiScoreEntry& entry : table) {
            std::copy(entry.Name.begin(), entry.Name.end(), bytes.begin() + at);
            const auto score = static_cast<uint32_t>(entry.Score);
            for (int i = 0; i < 4; ++i) bytes[at + 16 + i] = static_cast<uint8_t>(score >> (8 * i));
            at += HiScoreEntrySize;
        }
    return bytes;
}

void THiScores::SetBytes(const THiScoreFileBytes& bytes) {
    size_t at = 0;
    for (THiScoreTable& table : Tables)
        for (THiScoreEntry& entry : table) {
            std::copy_n(bytes.begin() + at, entry.Name.size(), entry.Name.begin());
            // A damaged length must never let the name run past its own 15 bytes.
            if (entry.Name[0] > HiScoreNameMax) entry.Name[0] = HiScoreNameMax;
            uint32_t score = 0;
            for (int i = 0; i < 4; ++i) score |= uint32_t(bytes[at + 16 + i]) << (8 * i);
            entry.Score = static_cast<int32_t>(score);
            at += HiScoreEntrySize;
        }
}

bool THiScores::Load() {
    const std::string path = ResolvePath(HiScoresFileName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return true; // the defaults stay

    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    // Read into a copy of the tables, so a failing read applies nothing.
    THiScoreFileBytes bytes = Bytes();
    bool ok = file != nullptr;
    size_t total = 0;
    if (ok) {
        for (size_t n; (n = std::fread(bytes.data(), 1, bytes.size(), file.get())) > 0;) total += n;
        ok = std::ferror(file.get()) == 0;
    }
    if (!ok) {
        DebugLog(false, std::string(" Cannot read the high scores from ") + HiScoresFileName + ": " +
                            std::strerror(errno));
        return false;
    }
    // A file of another size is still read as designed, but a damaged one should be findable.
    if (total < bytes.size())
        DebugLog(false, std::string(" High scores file ") + HiScoresFileName + " is short (" +
                            std::to_string(total) +
                            " of 400 bytes): the rest of the tables keep their defaults");
    else if (total > bytes.size())
        DebugLog(false, std::string(" High scores file ") + HiScoresFileName + " is long (" +
                            std::to_string(total) +
                            " bytes, not 400): each 400-byte block is read over the last");
    SetBytes(bytes);
    return true;
}

bool THiScores::Save() {
    const THiScoreFileBytes bytes = Bytes();
    std::string error;
    if (WriteFileAtomically(ResolvePath(HiScoresFileName),
                            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                            &error))
        return true;
    DebugLog(false, std::string(" Cannot save the high scores to ") + HiScoresFileName + ": " + error);
    return false;
}

} // namespace veltrane
