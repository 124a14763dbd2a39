// Feeds arbitrary bytes to the high-score reader as "data/Hiscores.dat". Every file is read: its
// 400-byte blocks are laid over the tables in turn (so the last one wins, a short one replaces
// only its own length) and name lengths above 15 are read as 15. The tables are checked against
// that rule worked out here, then saved and read back byte for byte.
#include "FuzzSupport.h"

#include "platform/DebugLog.h"
#include "scores/HiScores.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {
using namespace veltrane;
using fuzz::Check;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    // Kept between inputs on purpose: a file shorter than 400 bytes keeps the rest of the tables.
    static THiScores* const scores = new THiScores();
    fuzz::WriteBytes(HiScoresFileName, fuzz::AsText(data, size));

    THiScoreFileBytes expected = scores->Bytes();
    for (size_t at = 0; at < size; at += HiScoreFileSize)
        std::copy_n(data + at, std::min(HiScoreFileSize, size - at), expected.begin());
    for (size_t entry = 0; entry < HiScoreFileSize; entry += HiScoreEntrySize)
        expected[entry] = std::min<uint8_t>(expected[entry], HiScoreNameMax);

    Check(scores->Load(), "a readable high-score file was refused");
    Check(scores->Bytes() == expected, "the tables are not the file's blocks laid over the old ones");
    for (const THiScoreTable& table : scores->Tables)
        for (const THiScoreEntry& entry : table)
            Check(entry.NameText().size() <= HiScoreNameMax, "a name longer than 15 characters");

    Check(scores->Save(), "the tables could not be saved");
    const std::string written = fuzz::ReadBytes(HiScoresFileName);
    Check(written.size() == HiScoreFileSize && std::equal(written.begin(), written.end(), expected.begin(),
                                                          [](char a, uint8_t b) { return uint8_t(a) == b; }),
          "the saved file is not the tables");
    THiScores again;
    Check(again.Bytes() == expected, "the saved tables read back differently");
    return 0;
}
