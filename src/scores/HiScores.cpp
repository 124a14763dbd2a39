#include "scores/HiScores.h"

#include "platform/VirtualKeys.h"
#include "render/Font.h"
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

char NameCharacter(uint8_t key) {
    char c = 0;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == VK_SPACE)
        c = char(key);
    else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9)
        c = char('0' + (key - VK_NUMPAD0));
    else
        switch (key) {
        case VK_OEM_COMMA:
            c = ',';
            break;
        case VK_OEM_MINUS:
        case VK_SUBTRACT:
            c = '-';
            break;
        case VK_OEM_PERIOD:
        case VK_DECIMAL:
            c = '.';
            break;
        case VK_OEM_2:
        case VK_DIVIDE:
            c = '/';
            break;
        case VK_OEM_PLUS:
            c = '=';
            break;
        case VK_ADD:
            c = '+';
            break;
        case VK_OEM_7:
            c = '\'';
            break;
        default:
            break;
        }
    // Only what the table's font draws: anything else would be an invisible letter in the name.
    return c == ' ' || GlyphNumber(c) != 0 ? c : 0;
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
        // Letters arrive as capitals and digits as digits, since their key codes are those
        // characters; a key with no character the font can draw is refused like a sixteenth.
        if (const char c = NameCharacter(key); c != 0 && name[0] < HiScoreNameMax)
            name[++name[0]] = static_cast<uint8_t>(c);
        break;
    }
}

} // namespace veltrane
