// Reads the level table from its text file and completes it to 100 levels.
#include "game/Game.h"

#include "game/DataLines.h"
#include "platform/TextReader.h"

#include <memory>

namespace veltrane {

namespace {

using TLevelTable = TRangeArray<TLevel, 1, MaxLevels>;

// Every level after the file's last one copies the level 50 places earlier, so the file must
// hold at least 50.
constexpr int MinLevelRecords = 50;

void SetDerivedValues(TLevel& level, int number) {
    const int q = number / 5;
    level.LevelType = number % 5 == 4 ? ltBeforeBonus : number % 5 == 0 ? ltBonus : ltNormal;
    level.CubePoints = 5 * q + 15;
    level.SquarePoints = 5 * q + 40;
    level.FigureRate = 0.2 * q;
    level.ClearBonus = 100 * q + 300;
    // A bonus level is won by clearing what it places; its mode-1 gauge counts those cubes.
    if (level.LevelType == ltBonus) level.Goal[1] = level.CubesPerTurn[1] * level.CubePoints;
}

void ReadLevel(TTextReader& r, TLevel& level) {
    using namespace datalines;
    r.ReadLn(); // the level's title
    level.LampsOff = ReadByte(r);
    level.Colours[1] = static_cast<uint8_t>(ReadInt(r, "colour count", 1, 7));
    level.Colours[2] = static_cast<uint8_t>(ReadInt(r, "colour count", 1, 7));
    level.CubesPerTurn[1] = ReadByte(r);
    level.CubesPerTurn[2] = ReadByte(r);
    level.FigureFirst = static_cast<uint8_t>(ReadInt(r, "first figure", 1, MaxFigures));
    const int lastLine = r.Line();
    level.FigureLast = ReadByte(r);
    if (level.FigureLast < level.FigureFirst)
        r.FailAt(lastLine, "last figure " + std::to_string(level.FigureLast) + " below the first figure " +
                               std::to_string(level.FigureFirst));
    level.Goal[1] = ReadReal(r);
    level.Goal[2] = ReadReal(r);
    level.TimeRate = ReadReal(r);
    level.JokerOdds = ReadInt(r);
    level.ExtraQuota[1] = ReadInt(r);
    level.ExtraQuota[2] = ReadInt(r);
    level.AllowBomb = ReadFlag(r);
    level.AllowShot = ReadFlag(r);
    level.AllowColorize = ReadFlag(r);
    level.Progress = 0;
}

// Levels count + 1 .. 100 copy the level 50 places earlier with every colour in play; normal
// levels also get more cubes per turn and doubled goals.
void CompleteTable(TLevelTable& table, int count) {
    for (int i = count + 1; i <= MaxLevels; ++i) {
        TLevel& level = table[i];
        level = table[i - 50];
        level.Colours[1] = 7;
        level.Colours[2] = 7;
        if (level.LevelType != ltBonus) {
            level.CubesPerTurn[1] = static_cast<uint8_t>((i - 50) / 10 + 6);
            level.CubesPerTurn[2] = static_cast<uint8_t>((i - 50) / 10 + 5);
            level.Goal[1] *= 2;
            level.Goal[2] *= 2;
        }
    }
}

} // namespace

void TGame::LoadLevels(const std::string& path) {
    TTextReader reader = TTextReader::OpenFile(path);
    LoadLevels(reader);
}

void TGame::LoadLevels(TTextReader& r) {
    auto table = std::make_unique<TLevelTable>();
    const int count = datalines::ReadInt(r, "level count", MinLevelRecords, MaxLevels);
    for (int k = 1; k <= count; ++k) {
        ReadLevel(r, (*table)[k]);
        SetDerivedValues((*table)[k], k);
    }
    CompleteTable(*table, count);

    Levels = *table;
    LevelCount = count;
}

} // namespace veltrane
