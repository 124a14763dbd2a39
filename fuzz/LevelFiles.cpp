// Feeds arbitrary bytes to the level and bonus figure readers. The first byte picks the reader
// (even: levels, odd: figures), the rest is the file's text. A rejected file must leave the
// previous table exactly as it was; an accepted one must hold only values play can use.
#include "game/Game.h"
#include "platform/TextReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
using namespace veltrane;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

void FuzzLevels(TGame& game, TTextReader& reader) {
    const auto before = game.Levels;
    const int count = game.LevelCount;
    try {
        game.LoadLevels(reader);
    } catch (const TFileError&) {
        Check(game.Levels == before && game.LevelCount == count, "a rejected levels file changed the table");
        return;
    }
    Check(game.LevelCount >= 50 && game.LevelCount <= MaxLevels, "level count");
    for (int i = 1; i <= MaxLevels; ++i) {
        const TLevel& level = game.Levels[i];
        for (int mode = 1; mode <= 2; ++mode)
            Check(level.Colours[mode] >= 1 && level.Colours[mode] <= 7, "colours");
        Check(level.FigureFirst >= 1 && level.FigureFirst <= level.FigureLast, "figure range");
        Check(level.LevelType == (i % 5 == 4   ? ltBeforeBonus
                                  : i % 5 == 0 ? ltBonus
                                               : ltNormal),
              "level type");
    }
}

// What a figure table looks like, to tell whether a rejected file touched it.
std::string FigureDigest(const TGame& game) {
    std::string digest = std::to_string(game.FigureCount);
    for (const TBonusFigure& f : game.Figures) {
        digest +=
            char(f.Width) + std::string(1, char(f.Height)) + char(f.Colours) + std::to_string(f.BaseValue);
        for (const auto& column : f.Cubes)
            for (const TBonusCube& cube : column) digest += char('0' + cube.Kind);
    }
    return digest;
}

void FuzzFigures(TGame& game, TTextReader& reader) {
    const std::string before = FigureDigest(game);
    try {
        game.LoadFigures(reader);
    } catch (const TFileError&) {
        Check(FigureDigest(game) == before, "a rejected figures file changed the table");
        return;
    }
    Check(game.FigureCount >= 1 && game.FigureCount <= MaxFigures, "figure count");
    for (int k = 1; k <= game.FigureCount; ++k) {
        const TBonusFigure& f = game.Figures[k];
        Check(f.Width >= 1 && f.Width <= 4 && f.Height >= 1 && f.Height <= 4, "figure size");
        bool hasCube = false;
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 4; ++r) {
                Check(f.Cubes[c][r].Kind <= 7, "figure colour");
                hasCube = hasCube || (c <= f.Width && r <= f.Height && f.Cubes[c][r].Kind != 0);
            }
        Check(hasCube, "empty figure");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static TGame* const game = new TGame(nullptr); // large, and kept between inputs on purpose
    const bool figures = (data[0] & 1) != 0;
    TTextReader reader =
        TTextReader::FromText(figures ? FiguresFileName : LevelsFileName,
                              std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    if (figures)
        FuzzFigures(*game, reader);
    else
        FuzzLevels(*game, reader);
    return 0;
}
