// Feeds arbitrary bytes to the saved-game reader. The first byte picks the game mode (even: 1,
// odd: 2), the rest is the save file. A rejected save must leave the running game exactly as it
// was; an accepted one must give a board whose invariants hold, and saving it again must give a
// file that loads back to the same game.
#include "FuzzSupport.h"

#include "game/Game.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {
using namespace veltrane;
using fuzz::Check;

TGame* NewGame() {
    auto* game = new TGame(nullptr);
    const std::string data = std::string(VELTRANE_GAME_DIR) + "/data/";
    game->LoadLevels(data + "Levels.dat");
    game->LoadFigures(data + "BonusFigures.dat");
    game->Level = 1;
    game->ClearBoard();
    return game;
}

// What a load may change, to tell whether a rejected file touched the game.
std::string Digest(const TGame& game) {
    std::string digest = std::to_string(game.GameMode) + ' ' + std::to_string(game.Level) + ' ' +
                         SavedRealText(game.TotalScore) + ' ' + std::to_string(game.Figure) + ' ' +
                         std::to_string(game.CubeCount) + ' ' + std::to_string(game.FreeCount);
    for (int i = 1; i <= game.CubeCount && i <= MaxCubes; ++i) {
        const TCube& cube = game.Cubes[i];
        digest += {char(cube.Kind), char(cube.X), char(cube.Y), char(cube.State)};
    }
    for (int level = 1; level <= MaxLevels; ++level) {
        const TLevel& l = game.Levels[level];
        digest += SavedRealText(l.Progress) + std::to_string(l.ExtraQuota[1]) + ',' +
                  std::to_string(l.ExtraQuota[2]);
    }
    return digest;
}

// The lines of a save without its first (the time of saving) and seventh (the bonus figure,
// which a load draws anew).
std::vector<std::string> Comparable(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    Check(lines.size() >= 8, "a written save is too short");
    lines.erase(lines.begin() + 6);
    lines.erase(lines.begin());
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    fuzz::EnterScratchFolder();
    // Kept between inputs on purpose: a rejected file must leave whatever game came before.
    static TGame* const game = NewGame();
    static TGame* const reloaded = NewGame();
    const int mode = (data[0] & 1) != 0 ? 2 : 1;
    const std::string file = SaveFileName(mode);
    fuzz::WriteBytes(file, fuzz::AsText(data + 1, size - 1));

    const std::string before = Digest(*game);
    if (!game->LoadGame(mode)) {
        Check(Digest(*game) == before, "a rejected save changed the game");
        Check(fuzz::ReadBytes(file) == fuzz::AsText(data + 1, size - 1),
              "a rejected save was changed on disk");
        return 0;
    }
    Check(game->CheckBoardInvariants().empty(), "a loaded save broke the board's invariants");
    Check(game->GameMode == mode && game->Level >= 1 && game->Level <= MaxLevels, "loaded mode or level");

    Check(game->SaveGame(), "a loaded game could not be saved");
    const std::string written = fuzz::ReadBytes(file);
    Check(reloaded->LoadGame(mode), "the game's own save was rejected");
    Check(reloaded->CheckBoardInvariants().empty(), "a reloaded save broke the board's invariants");
    Check(reloaded->Level == game->Level && reloaded->CubeCount == game->CubeCount,
          "reloaded level or cubes");
    for (int i = 1; i <= game->CubeCount; ++i)
        Check(reloaded->Cubes[i].Cell() == game->Cubes[i].Cell() &&
                  reloaded->Cubes[i].Kind == game->Cubes[i].Kind &&
                  reloaded->Cubes[i].State == game->Cubes[i].State,
              "a reloaded cube differs");
    Check(reloaded->SaveGame(), "a reloaded game could not be saved");
    Check(Comparable(fuzz::ReadBytes(file)) == Comparable(written),
          "saving a reloaded game wrote another file");
    return 0;
}
