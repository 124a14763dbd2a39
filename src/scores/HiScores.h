// The two high-score tables (one per game mode), their file "data/Hiscores.dat", the name entry
// of a new entry and the drawing of the table on screen.
#pragma once

#include "platform/gfx/Device.h"
#include "render/Font.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace veltrane {

constexpr int HiScoreTableCount = 2; // game mode 1 and the timed mode 2
constexpr int HiScoreRanks = 10;
constexpr int HiScoreNameMax = 15;
constexpr std::size_t HiScoreEntrySize = 20;
constexpr std::size_t HiScoreFileSize = HiScoreTableCount * HiScoreRanks * HiScoreEntrySize; // 400
constexpr const char* HiScoresFileName = "data/Hiscores.dat";

struct THiScoreEntry {
    // Name[0] is the length 0..15, Name[1..15] the characters. The bytes beyond the length
    // are kept as they are: the file stores them, and a table reads back byte for byte.
    std::array<uint8_t, 1 + HiScoreNameMax> Name{};
    int32_t Score = 0;

    uint8_t NameLength() const { return Name[0] > HiScoreNameMax ? HiScoreNameMax : Name[0]; }
    std::string_view NameText() const {
        return {reinterpret_cast<const char*>(Name.data() + 1), NameLength()};
    }
    // Longer texts are cut at 15 characters; the bytes beyond the new length stay.
    void SetName(std::string_view text);
};

using THiScoreTable = std::array<THiScoreEntry, HiScoreRanks>; // rank 1 (best) first
using THiScoreFileBytes = std::array<uint8_t, HiScoreFileSize>;

// The character a key types into a name (the low byte of its virtual-key code): capitals,
// digits (main keyboard and keypad), blank and the punctuation keys the font has letters for;
// 0 for a key that types nothing the font can draw.
char NameCharacter(uint8_t key);

class THiScores final {
public:
    // Ten "Anonymous" entries scoring 1000, 900, ..., 100 in both tables, then Load.
    THiScores();

    // Reads the file over the tables when it exists: blocks of up to 400 bytes, each laid over
    // the start of the tables, until the file ends (a short file replaces only its own length, a
    // long one lets its last block win). Name lengths above 15 are read as 15. A read error is
    // traced and leaves the tables as they were; returns false then.
    bool Load();
    // Replaces the file with the 400 bytes of the tables (temporary file, then rename). A failure
    // is traced, keeps the tables in memory and the old file on disk, and returns false.
    bool Save();

    // Enters score into the table shown: at the best rank whose score is strictly lower (so
    // below equal scores), moving the ranks below down and dropping rank 10; the new entry has an
    // empty name. Returns that rank 1..10, or 0 (nothing changed).
    int Insert(int32_t score);

    // One key-down of name entry (the low byte of its key code), only while Editing: "MenuKey"
    // for every key; Enter saves and ends the entry; Backspace removes the last character;
    // a key with a character the font draws (NameCharacter) appends it while the name is
    // shorter than 15; other keys add nothing.
    void KeyPress(uint8_t key);

    // The table shown in font 1 of fonts: names and scores, the row being entered highlighted
    // with a cursor after its name that pulses with |cos(time / 100)|, and "enter your name"
    // below. time is the running total of milliseconds; the text goes through range 1 of
    // vertexBuffer.
    void Draw(gfx::IDevice& device, gfx::IVertexBuffer& vertexBuffer, const TFonts& fonts, double time) const;

    // Rank 1..10 of table 1..2.
    THiScoreEntry& Entry(int table, int rank) { return Tables[table - 1][rank - 1]; }
    const THiScoreEntry& Entry(int table, int rank) const { return Tables[table - 1][rank - 1]; }
    // The table Table names (table 1 for anything but 2).
    THiScoreTable& Shown() { return Tables[Table == 2 ? 1 : 0]; }
    const THiScoreTable& Shown() const { return Tables[Table == 2 ? 1 : 0]; }

    // The file layout of the tables: per entry the length byte, 15 name bytes and the score as
    // 32-bit little-endian; table 1 first.
    THiScoreFileBytes Bytes() const;
    // The inverse of Bytes, with name lengths above 15 taken as 15.
    void SetBytes(const THiScoreFileBytes& bytes);

    std::array<THiScoreTable, HiScoreTableCount> Tables{}; // game mode 1, then mode 2
    uint8_t Table = 1;                                     // 1 or 2: the table shown and edited
    bool Editing = false;                                  // a name is being typed
    uint8_t EditRow = 1;                                   // 1..10: the rank whose name is typed
};

} // namespace veltrane
