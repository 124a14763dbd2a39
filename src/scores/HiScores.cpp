#include "scores/HiScores.h"

#include "platform/VirtualKeys.h"

#include "sound/Sound.h"

#include <algorithm>

namespace veltrane {

void THiScoreEntry::SetName(std::string_view text) {
    const size_t length = std::min<size_t>(text.size(), HiScoreNameMax);
    std::copy_n(text.begin(), length, Name.begin() + 1);
    Name[0] = static_cast<uint8_t>(length);
}

THiScores::THiScores() {
    for (THiScoreTable& table : Tables)
        for (int rank = 1; rank <= HiScoreRanks; ++rank) {
            table[rank - 1].SetName("Anonymous");
            table[rank - 1].Score = 1100 - 100 * rank;
        }
    Load();
}

int THiScores::Insert(int32_t score) {
    THiScoreTable& table = Shown();
    int candidate = 0;
    for (int rank = HiScoreRanks; rank >= 1; --rank)
        if (table[rank - 1].Score < score) candidate = rank;
    if (candidate == 0) return 0;
    std::move_backward(table.begin() + (candidate - 1), table.end() - 1, table.end());
    table[candidate - 1].Score = score;
    table[candidate - 1].Name[0] = 0;
    return candidate;
}

void THiScores::KeyPress(uint8_t key) {
    if (!Editing || EditRow < 1 || EditRow > HiScoreRanks) return;
    PlaySound(TSound::MenuKey);
    auto& name = Shown()[EditRow - 1].Name;
    switch (key) {
    case VK_RETURN:
        Save();
        Editing = false;
        break;
    case VK_BACK:
        if (name[0] > 0) --name[0];
        break;
    default:
        // No filter: letters arrive as capitals and digits as digits, since their key codes are
        // those characters; other keys add what their code is.
        if (name[0] < HiScoreNameMax) name[++name[0]] = key;
        break;
    }
}

} // namespace veltrane
