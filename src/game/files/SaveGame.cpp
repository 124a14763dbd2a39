// Saved games: one text file per game mode, one value per line. A save replaces the old file
// as a whole; a load reads and checks the whole file before it changes anything.
#include "game/Game.h"

#include "game/DataLines.h"
#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "platform/TextReader.h"
#include "render/PointerPosition.h"
#include "sound/Sound.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace veltrane {

namespace {

// One cube as the file keeps it.
struct TSavedCube {
    bool Arrived = false;
    uint8_t Kind = 1;
    TCellWord Cell = 0;
};

// Everything a save file holds, read and checked before the game is touched.
struct TSavedGame {
    int GameMode = 1;
    int Level = 1;
    int32_t ExtraQuota = 0;
    double Progress = 0;
    double TotalScore = 0;
    int32_t Figure = 0;
    int CubeCount = 0;
    std::array<TSavedCube, MaxCubes> Cubes{};
};

void Line(std::string& text, const std::string& value) {
    text += value;
    text += "\r\n";
}

std::string DateTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[64] = "";
    if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%x %X", &local);
    return text;
}

// Every value stands on its own line: an empty line would shift the rest of the file.
TTextReader& OnLine(TTextReader& r) {
    if (r.Eoln())
        r.Fail(r.Eof() ? "value expected, found the end of the file" : "value expected, found an empty line");
    return r;
}

TSavedGame ReadSave(TTextReader& r, int mode) {
    using datalines::ReadInt;
    using datalines::ReadReal;
    TSavedGame save;
    r.ReadLn(); // date and time of saving
    save.GameMode = ReadInt(OnLine(r), "game mode", 1, 2);
    if (save.GameMode != mode)
        r.FailAt(r.Line() - 1, "game mode " + std::to_string(save.GameMode) + " in the save of game mode " +
                                   std::to_string(mode));
    save.Level = ReadInt(OnLine(r), "level", 1, MaxLevels);
    save.ExtraQuota = ReadInt(OnLine(r));
    save.Progress = ReadReal(OnLine(r));
    save.TotalScore = ReadReal(OnLine(r));
    save.Figure = ReadInt(OnLine(r));
    save.CubeCount = ReadInt(OnLine(r), "cube count", 0, MaxCubes);

    std::array<std::array<bool, 10>, 10> taken{};
    for (int i = 0; i < save.CubeCount; ++i) {
        TSavedCube& cube = save.Cubes[size_t(i)];
        cube.Arrived = ReadInt(OnLine(r), "arrived flag", 0, 1) != 0;
        cube.Kind = static_cast<uint8_t>(ReadInt(OnLine(r), "colour slot", 0, ckBlock - 1) + 1);
        const int x = ReadInt(OnLine(r), "column", 1, 9);
        const int y = ReadInt(OnLine(r), "row", 1, 9);
        if (taken[size_t(x)][size_t(y)])
            r.FailAt(r.Line() - 2,
                     "cell (" + std::to_string(x) + ", " + std::to_string(y) + ") holds two cubes");
        taken[size_t(x)][size_t(y)] = true;
        cube.Cell = CellWord(x, y);
    }
    return save;
}

// The shot cube taken off the board to aim is still going away (and so still in the list).
bool ArmedShotInList(const TGame& game) {
    for (int i = 1; i <= std::min(game.CubeCount, MaxCubes); ++i)
        if (game.Cubes[i].Kind == ckShot && game.Cubes[i].State >= csVanishing) return true;
    return false;
}

// "4.50000000000000E+02" becomes " 4.50000000000000E+0002": 15 significant digits; the exponent
// gets a sign and four digits.
std::string RealText(double value) {
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.14E", std::fabs(value));
    const std::string text = digits;
    const size_t e = text.find('E');
    const int exponent = std::atoi(text.c_str() + e + 1);
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return (std::signbit(value) ? "-" : " ") + text.substr(0, e + 1) + exponentText;
}

bool ReadsBack(const std::string& text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

} // namespace

std::string SavedRealText(double value) {
    if (!std::isfinite(value)) value = 0;
    // Values within a few units of the largest double round up past it at 15 digits, and a file
    // holding that text would be refused on loading: they are kept at the largest value whose
    // text reads back (1.79769313486231E+0308), a few steps down.
    std::string text = RealText(value);
    while (!ReadsBack(text)) {
        value = std::nextafter(value, 0.0);
        text = RealText(value);
    }
    return text;
}

bool TGame::SaveGame(std::string* error) {
    const std::string name = SaveFileName(GameMode);
    if (Level < 1 || Level > MaxLevels) {
        DebugLog(false, " SaveGame " + name + ": no game to save");
        if (error) *error = "no game to save";
        return false;
    }
    const TLevel& level = CurrentLevel();
    const int count = std::min(CubeCount, MaxCubes);
    std::string text;
    Line(text, DateTimeText());
    Line(text, std::to_string(GameMode));
    Line(text, std::to_string(Level));
    Line(text, std::to_string(level.ExtraQuota[GameMode == 2 ? 2 : 1]));
    Line(text, SavedRealText(level.Progress));
    Line(text, SavedRealText(TotalScore));
    Line(text, std::to_string(Figure));
    const size_t countLine = text.size();
    Line(text, std::to_string(count));
    for (int i = 1; i <= count; ++i) {
        const TCube& cube = Cubes[i];
        // Every cube but an announced one counts as arrived, vanishing ones too.
        Line(text, cube.State == csAnnounced ? "0" : "1");
        Line(text, std::to_string(KindTextureSlot(cube.Kind)));
        Line(text, std::to_string(cube.X));
        Line(text, std::to_string(cube.Y));
    }

    // An armed shot cube that has already left the board is saved back on its home cell (or,
    // when that is taken, on a free one), as cancelling the shot would put it; otherwise leaving
    // the game while aiming would lose it.
    if (PointerStyle == kPointerAiming && count < MaxCubes && !ArmedShotInList(*this)) {
        TCellWord home = ShotHome;
        if (!CellOnBoard(home) || CubeOn(home) != 0) home = FreeCount > 0 ? FreeCells[1] : 0;
        if (home != 0) {
            text.replace(countLine, std::to_string(count).size(), std::to_string(count + 1));
            Line(text, "1");
            Line(text, std::to_string(KindTextureSlot(ckShot)));
            Line(text, std::to_string(CellX(home)));
            Line(text, std::to_string(CellY(home)));
        }
    }

    std::string reason;
    if (!WriteFileAtomically(ResolvePath(name), text, &reason)) {
        DebugLog(false, " SaveGame " + name + ": " + reason);
        if (error) *error = reason;
        return false;
    }
    return true;
}

bool TGame::LoadGame(int mode, std::string* error) {
    const uint8_t gameMode = mode == 2 ? 2 : 1;
    const std::string name = SaveFileName(gameMode);
    std::error_code ec;
    if (!std::filesystem::exists(ResolvePath(name), ec)) {
        ClearBoard();
        Level = 1;
        GameMode = gameMode;
        return false;
    }

    TSavedGame save;
    try {
        TTextReader reader = TTextReader::OpenFile(name);
        save = ReadSave(reader, gameMode);
    } catch (const TFileError& e) {
        // The game started before the question stays as it is; the file is kept for a look.
        DebugLog(false, std::string(" LoadGame rejected ") + e.what());
        if (error) *error = e.what();
        return false;
    }

    ClearBoard();
    GameMode = gameMode;
    Level = save.Level;
    TLevel& level = CurrentLevel();
    level.ExtraQuota[gameMode] = save.ExtraQuota;
    level.Progress = save.Progress;
    TotalScore = save.TotalScore;
    Figure = save.Figure;

    for (int i = 1; i <= save.CubeCount; ++i) {
        const TSavedCube& saved = save.Cubes[size_t(i - 1)];
        for (int k = 1; k <= FreeCount; ++k)
            if (FreeCells[k] == saved.Cell) {
                DropFreeCell(k);
                break;
            }
        CubeCount = i;
        TCube& cube = Cubes[i];
        cube = TCube{};
        cube.Kind = saved.Kind;
        cube.SetCell(saved.Cell);
        // Saved cubes grow in again; announced ones stay announced.
        InitCubeState(i, saved.Arrived ? csGrowing : csAnnounced);
        BoardAt(saved.Cell) = {saved.Arrived ? ocOccupied : ocReserved, static_cast<uint8_t>(i),
                               BoardAt(saved.Cell).Distance};
        cube.Position = {static_cast<float>(CellX(saved.Cell) - 5), static_cast<float>(CellY(saved.Cell) - 5),
                         0.15f};
        cube.Scale = {0.3f, 0.3f, 0.3f};
        cube.Anim = 0;
        cube.Rotation = {0, 0, 0};
    }

    PrevStateCount = StateCount;
    DotCount = 0;
    if (Selected != 0) StopSound(TSound::Selected);
    Selected = 0;
    Combo = 0;
    TimeClock = 0;
    // Points on their way into the score belonged to the game that was replaced.
    PendingScore = 0;
    PickFigure(false);
    // The gauge shows the saved progress at once.
    const double goal = level.Goal[gameMode];
    Gauge = GaugeStart = goal != 0 ? GaugeShare(level.Progress, goal) : 0.0f;
    return true;
}

} // namespace veltrane
