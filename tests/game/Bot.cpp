#include "Bot.h"

#include "platform/GameStates.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform/TextReader.h"
#include "platform/mixer/RecordingMixer.h"
#include "render/PointerPosition.h"
#include "sound/Sound.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <utility>

namespace veltrane::bot {

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
// Frames without any possible move before the bot gives the game up as stuck.
constexpr int kStuckFrames = 3000;
// Frames the bot tries to aim before it puts a shot cube back.
constexpr int kAimFrames = 300;

using TGrid = std::array<std::array<uint8_t, 11>, 11>; // [x][y], 0 = no cube that blocks

bool IsColour(uint8_t kind) {
    return kind >= 1 && kind <= 7;
}
bool IsColorize(uint8_t kind) {
    return kind >= ckColorize && kind <= ckColorizeLast;
}
bool IsSpecial(uint8_t kind) {
    return kind == ckBomb || kind == ckShot || IsColorize(kind);
}

// A candidate action.
struct TPlan {
    enum { None, Move, Shot } Type = None;
    TCellWord From = 0;
    TCellWord To = 0;
    double Value = -1;
};

class TBot {
public:
    TBot(TGame& game, const TBotSetup& setup)
        : game_(game), rng_(setup.Seed ^ 0x9E3779B9u), frameMs_(setup.FrameMs), thinkMs_(setup.ThinkMs) {}

    // One frame's input, before the frame's update.
    void Act(TBotGame& result) {
        if (GameState != gsGame || game_.Phase != phPlay) return;
        if (game_.PointerStyle == kPointerAiming) {
            Aim(result);
            return;
        }
        if (!game_.BoardIdle) {
            thought_ = 0;
            return;
        }
        thought_ += frameMs_;
        if (thought_ < thinkMs_) return;
        const TPlan plan = Choose();
        if (plan.Type == TPlan::None) {
            ++idleFrames_;
            return;
        }
        idleFrames_ = 0;
        thought_ = 0;
        if (plan.Type == TPlan::Shot) {
            Click(plan.From, kLeft);
            if (game_.PointerStyle == kPointerAiming) {
                aimFrames_ = 0;
                ++turns_;
            }
            return;
        }
        Click(plan.From, kLeft);
        if (game_.Selected == 0) return;
        const uint8_t kind = game_.Cubes[game_.Selected].Kind;
        PointAt(plan.To);
        game_.MouseMove();
        if (game_.DotCount == 0 || game_.Dots[0].Kind != 2) {
            game_.MouseDown(kRight); // no way there after all: let go
            return;
        }
        game_.MouseDown(kLeft);
        ++turns_;
        if (plan.Value >= 100 && (IsColour(kind) || kind == ckJoker)) ++result.SquareMoves;
        if (kind == ckBomb) ++result.BombsUsed;
        if (IsColorize(kind)) ++result.ColorizesUsed;
    }

    bool Stuck() const { return idleFrames_ > kStuckFrames; }
    int TakeTurns() { return std::exchange(turns_, 0); }

private:
    void PointAt(TCellWord cell) {
        game_.PointerAt = {static_cast<float>(CellX(cell) - 5), static_cast<float>(CellY(cell) - 5), 0.01f};
    }
    // The pointer moves onto the cell and clicks, as the main window passes them on.
    void Click(TCellWord cell, int button) {
        PointAt(cell);
        game_.MouseMove();
        game_.MouseDown(button);
    }

    // Aiming: wait for the shot cube to go, point at a cube of the most common colour, and
    // click once the frame update turns it under the pointer.
    void Aim(TBotGame& result) {
        if (game_.StateCount[TGame::StateSlot(csVanishing)] + game_.StateCount[TGame::StateSlot(csGone)] > 0)
            return;
        if (++aimFrames_ > kAimFrames) {
            game_.MouseDown(kRight);
            ++result.ShotsCancelled;
            return;
        }
        const uint8_t colour = MostCommonColour(nullptr);
        if (colour == 0) {
            game_.MouseDown(kRight);
            ++result.ShotsCancelled;
            return;
        }
        const int under = game_.CubeOn(game_.PointerCell());
        if (under != 0 && game_.Cubes[under].Kind == colour && game_.Cubes[under].State == csTurning) {
            game_.MouseDown(kLeft);
            if (game_.PointerStyle == kPointerGame) ++result.ShotsFired;
            return;
        }
        if (under != 0 && game_.Cubes[under].Kind == colour && game_.Cubes[under].State != csAnnounced)
            return;
        for (int i = 1; i <= game_.CubeCount; ++i) {
            const TCube& cube = game_.Cubes[i];
            if (cube.Kind == colour && cube.State != csAnnounced) {
                PointAt(cube.Cell());
                game_.MouseMove();
                return;
            }
        }
    }

    // The colour with most cubes on the board (announced ones aside), 0 when none.
    uint8_t MostCommonColour(int* count) const {
        std::array<int, 8> n{};
        for (int i = 1; i <= game_.CubeCount; ++i) {
            const TCube& cube = game_.Cubes[i];
            if (cube.State != csAnnounced && IsColour(cube.Kind)) ++n[cube.Kind];
        }
        uint8_t best = 0;
        for (uint8_t c = 1; c <= 7; ++c)
            if (n[c] > 0 && (best == 0 || n[c] > n[best])) best = c;
        if (count) *count = best ? n[best] : 0;
        return best;
    }

    // Kinds of the cubes that block paths ([x][y], 0 none).
    TGrid Blocking() const {
        TGrid grid{};
        for (int i = 1; i <= game_.CubeCount; ++i) {
            const TCube& cube = game_.Cubes[i];
            if (cube.State != csAnnounced && CellOnBoard(cube.Cell())) grid[cube.X][cube.Y] = cube.Kind;
        }
        return grid;
    }

    // Cells reachable from (sx, sy) within 30 steps through cells no cube blocks.
    static std::array<std::array<uint8_t, 11>, 11> Reach(const TGrid& grid, int sx, int sy) {
        std::array<std::array<uint8_t, 11>, 11> d{};
        std::array<TCellWord, 81> queue{};
        int head = 0, tail = 0;
        queue[size_t(tail++)] = CellWord(sx, sy);
        while (head < tail) {
            const TCellWord c = queue[size_t(head++)];
            const int x = CellX(c), y = CellY(c);
            const int here = (x == sx && y == sy) ? 0 : d[size_t(x)][size_t(y)];
            if (here >= 30) continue;
            static constexpr int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& s : steps) {
                const int nx = x + s[0], ny = y + s[1];
                if (nx < 1 || nx > 9 || ny < 1 || ny > 9 || grid[size_t(nx)][size_t(ny)] != 0) continue;
                if (d[size_t(nx)][size_t(ny)] != 0 || (nx == sx && ny == sy)) continue;
                d[size_t(nx)][size_t(ny)] = static_cast<uint8_t>(here + 1);
                queue[size_t(tail++)] = CellWord(nx, ny);
            }
        }
        return d;
    }

    // Squares the window with lower corner (x, y) makes, as the square search judges it.
    static bool IsSquare(const TGrid& g, int x, int y) {
        const uint8_t k[4] = {g[size_t(x)][size_t(y)], g[size_t(x + 1)][size_t(y)],
                              g[size_t(x)][size_t(y + 1)], g[size_t(x + 1)][size_t(y + 1)]};
        uint8_t ref = ckJoker;
        for (uint8_t kind : k) {
            if (kind == 0) return false;
            if (ref == ckJoker && kind != ckJoker) ref = kind;
        }
        if (ref > ckJoker) return false;
        for (uint8_t kind : k)
            if (kind != ref && kind != ckJoker) return false;
        return true;
    }

    // Value of a colour cube or joker standing on (x, y) of the grid: squares built, else how
    // many of its colour the best window around it already holds.
    static double ColourValue(const TGrid& g, int x, int y) {
        int squares = 0;
        int support = 0;
        for (int ox = x - 1; ox <= x; ++ox)
            for (int oy = y - 1; oy <= y; ++oy) {
                if (ox < 1 || ox > 8 || oy < 1 || oy > 8) continue;
                if (IsSquare(g, ox, oy)) {
                    ++squares;
                    continue;
                }
                // Cubes of the moved cube's colour in this window, when nothing foreign is in it.
                const uint8_t own = g[size_t(x)][size_t(y)];
                int same = 0;
                bool foreign = false;
                uint8_t ref = own == ckJoker ? 0 : own;
                for (int cx = ox; cx <= ox + 1; ++cx)
                    for (int cy = oy; cy <= oy + 1; ++cy) {
                        if (cx == x && cy == y) continue;
                        const uint8_t k = g[size_t(cx)][size_t(cy)];
                        if (k == 0) continue;
                        if (k == ckJoker) {
                            ++same;
                        } else if (!IsColour(k)) {
                            foreign = true;
                        } else if (ref == 0 || k == ref) {
                            ref = k;
                            ++same;
                        } else {
                            foreign = true;
                        }
                    }
                if (!foreign) support = std::max(support, same);
            }
        return squares > 0 ? 100.0 * squares : support;
    }

    // Cubes of the 3 x 3 cells around (x, y): all, blocks, bombs, colour cubes.
    struct TArea {
        int All = 0, Blocks = 0, Bombs = 0, Colours = 0;
    };
    static TArea Area(const TGrid& g, int x, int y) {
        TArea a;
        for (int cx = std::max(1, x - 1); cx <= std::min(9, x + 1); ++cx)
            for (int cy = std::max(1, y - 1); cy <= std::min(9, y + 1); ++cy) {
                const uint8_t k = g[size_t(cx)][size_t(cy)];
                if (k == 0 || (cx == x && cy == y)) continue;
                ++a.All;
                if (k == ckBlock) ++a.Blocks;
                if (k == ckBomb) ++a.Bombs;
                if (IsColour(k)) ++a.Colours;
            }
        return a;
    }

    TPlan Choose() {
        const TGrid grid = Blocking();
        const bool bonus = game_.CurrentLevel().LevelType == ltBonus;
        std::uniform_real_distribution<double> jitter(0, 0.01);
        TPlan best;
        auto offer = [&](TPlan plan) {
            plan.Value += jitter(rng_);
            if (plan.Value > best.Value) best = plan;
        };
        for (int i = 1; i <= game_.CubeCount; ++i) {
            const TCube& cube = game_.Cubes[i];
            if (cube.State == csAnnounced || cube.Kind == ckBlock) continue;
            const int sx = cube.X, sy = cube.Y;
            if (cube.Kind == ckShot) {
                int count = 0;
                MostCommonColour(&count);
                if (count > 0) offer({TPlan::Shot, cube.Cell(), 0, count >= 4 ? 50.0 + count : 0.5});
                continue;
            }
            const auto reach = Reach(grid, sx, sy);
            TGrid moved = grid;
            moved[size_t(sx)][size_t(sy)] = 0;
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) {
                    if (reach[size_t(x)][size_t(y)] == 0) continue;
                    double value = 0;
                    if (IsColour(cube.Kind) || cube.Kind == ckJoker) {
                        moved[size_t(x)][size_t(y)] = cube.Kind;
                        value = ColourValue(moved, x, y);
                        moved[size_t(x)][size_t(y)] = 0;
                    } else if (cube.Kind == ckBomb) {
                        const TArea a = Area(moved, x, y);
                        if (bonus)
                            value = 50.0 * a.Blocks - 20.0 * a.Bombs;
                        else
                            value = a.All >= 4 ? 20.0 + a.All : 0.3;
                    } else if (IsColorize(cube.Kind)) {
                        const TArea a = Area(moved, x, y);
                        value = a.Colours >= 3 ? 15.0 + a.Colours : 0.3;
                    }
                    offer({TPlan::Move, cube.Cell(), CellWord(x, y), value});
                }
        }
        return best;
    }

    TGame& game_;
    std::mt19937 rng_;
    int idleFrames_ = 0;
    int aimFrames_ = 0;
    int turns_ = 0;
    float frameMs_ = 20;
    float thinkMs_ = 0;
    float thought_ = 0;
};

// The sound module silent on a recording mixer for the length of a game.
class TSilence {
public:
    TSilence() {
        SetSoundMixer(&mixer_);
        SetSoundVolume(0);
        SetMusicVolume(0);
    }
    ~TSilence() { SetSoundMixer(nullptr); }
    TSilence(const TSilence&) = delete;
    TSilence& operator=(const TSilence&) = delete;

private:
    TRecordingMixer mixer_;
};

// A new game as the menu starts one, or a game from a later level on an empty board.
void StartBotGame(TGame& game, const TBotSetup& setup) {
    game.GameMode = static_cast<uint8_t>(setup.GameMode == 2 ? 2 : 1);
    game.Level = 1;
    game.ClearBoard();
    game.Levels[1].Progress = 0;
    if (setup.StartLevel <= 1) {
        game.StartGame();
    } else {
        game.TotalScore = 0;
        game.PendingScore = 0;
        game.Level = std::min(setup.StartLevel, MaxLevels) - 1;
        game.PointerStyle = kPointerGame;
        game.StartLevel();
    }
    SetGameState(gsGame);
    game.Phase = phPlay;
}

int SpecialsOnBoard(const TGame& game) {
    int n = 0;
    for (int i = 1; i <= game.CubeCount; ++i)
        if (IsSpecial(game.Cubes[i].Kind)) ++n;
    return n;
}

// Checks of the whole game besides the board's own.
std::string CheckGame(const TGame& game, double lastScore) {
    if (game.Level < 1 || game.Level > MaxLevels) return "Level " + std::to_string(game.Level);
    if (game.GameMode != 1 && game.GameMode != 2) return "GameMode " + std::to_string(game.GameMode);
    if (game.Phase > phMenu) return "Phase " + std::to_string(game.Phase);
    if (!(game.PendingScore >= 0)) return "PendingScore " + std::to_string(game.PendingScore);
    if (!(game.TotalScore >= lastScore)) return "TotalScore fell to " + std::to_string(game.TotalScore);
    if (GameState == gsGame && game.PointerStyle != kPointerGame && game.PointerStyle != kPointerAiming)
        return "PointerStyle " + std::to_string(game.PointerStyle) + " in a game";
    // The selection lasts until its move arrives.
    if (game.Selected != 0 && game.Cubes[game.Selected].State != csSelected &&
        game.Cubes[game.Selected].State != csMoving)
        return "Selected names a cube in state " + std::to_string(game.Cubes[game.Selected].State) +
               " (kind " + std::to_string(game.Cubes[game.Selected].Kind) + ", phase " +
               std::to_string(game.Phase) + ")";
    return game.CheckBoardInvariants();
}

// What a save keeps of a game, to compare a loaded game with the one saved.
std::string SavedPicture(const TGame& game) {
    std::string text = std::to_string(game.GameMode) + " " + std::to_string(game.Level) + " " +
                       SavedRealText(game.TotalScore) + SavedRealText(game.CurrentLevel().Progress) + " " +
                       std::to_string(game.CurrentLevel().ExtraQuota[game.GameMode]) + "\n";
    std::array<std::string, 82> cells{};
    for (int i = 1; i <= game.CubeCount; ++i) {
        const TCube& cube = game.Cubes[i];
        cells[size_t((cube.X - 1) * 9 + cube.Y)] =
            std::to_string(cube.Kind) + (cube.State == csAnnounced ? "a" : "") + " ";
    }
    for (const std::string& cell : cells) text += cell.empty() ? ". " : cell;
    return text;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Open descriptors of the process.
int OpenDescriptors() {
    std::error_code ec;
    int count = 0;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", ec); !ec && it != decltype(it)();
         it.increment(ec))
        ++count;
    return count;
}

// What a failed save must leave: the old file byte for byte, nothing of the attempt beside it.
std::string CheckFailedSave(const std::string& path, const std::string& old, int descriptors) {
    if (FileBytes(path) != old) return "a failed save changed the old file";
    const std::filesystem::path file(path);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), ec))
        if (entry.path().filename().string().starts_with(file.filename().string() + "."))
            return "a failed save left " + entry.path().string();
    if (OpenDescriptors() != descriptors) return "a failed save left a descriptor open";
    return "";
}

// Leaving the game for the menu and resuming it: save, a new game's pointer, load, play on.
// With failing saves allowed, a failed save is checked and play goes on without the resume.
std::string SaveAndResume(TGame& game, bool mayFail, bool& failed) {
    const std::string before = SavedPicture(game);
    const std::string path = ResolvePath(SaveFileName(game.GameMode));
    const std::string old = mayFail ? FileBytes(path) : std::string();
    const int descriptors = mayFail ? OpenDescriptors() : 0;
    failed = !game.SaveGame();
    if (failed) return mayFail ? CheckFailedSave(path, old, descriptors) : "SaveGame failed";
    game.PointerStyle = kPointerGame;
    game.Phase = phMenu;
    if (!game.LoadGame(game.GameMode)) return "LoadGame refused the game just saved";
    game.Phase = phPlay;
    const std::string after = SavedPicture(game);
    if (after != before) return "the loaded game differs from the saved one:\n" + before + "\n" + after;
    return "";
}

} // namespace

int TBotGame::LevelsCompleted() const {
    int n = 0;
    for (const TLevelResult& level : Levels) n += level.Completed ? 1 : 0;
    return n;
}

int TBotGame::LevelReached() const {
    return Levels.empty() ? 0 : Levels.back().Level;
}

const char* EndName(TBotEnd end) {
    switch (end) {
    case TBotEnd::GameOver:
        return "game over";
    case TBotEnd::FrameCap:
        return "frame cap";
    case TBotEnd::Stuck:
        return "stuck";
    case TBotEnd::Violation:
        return "invariant broken";
    }
    return "?";
}

std::unique_ptr<TBotData> LoadBotData(const std::string& levelsText, const std::string& figuresText) {
    auto game = std::make_unique<TGame>(nullptr);
    TTextReader levels = TTextReader::FromText(LevelsFileName, levelsText);
    game->LoadLevels(levels);
    TTextReader figures = TTextReader::FromText(FiguresFileName, figuresText);
    game->LoadFigures(figures);
    auto data = std::make_unique<TBotData>();
    data->Levels = game->Levels;
    data->LevelCount = game->LevelCount;
    data->Figures = game->Figures;
    data->FigureCount = game->FigureCount;
    return data;
}

TBotGame PlayBotGame(const TBotData& data, const TBotSetup& setup) {
    TSilence silence;
    RandSeed = setup.Seed;
    auto owned = std::make_unique<TGame>(nullptr);
    TGame& game = *owned;
    game.Levels = data.Levels;
    game.LevelCount = data.LevelCount;
    game.Figures = data.Figures;
    game.FigureCount = data.FigureCount;
    game.Loaded = true;
    StartBotGame(game, setup);

    TBotGame result;
    TBot bot(game, setup);
    auto beginLevel = [&] {
        TLevelResult level;
        level.Level = game.Level;
        level.GameMode = game.GameMode;
        level.LevelType = game.CurrentLevel().LevelType;
        if (level.LevelType == ltBonus) ++result.BonusLevelsStarted;
        result.Levels.push_back(level);
    };
    beginLevel();
    int specials = SpecialsOnBoard(game);
    double lastScore = 0;
    TPhase lastPhase = game.Phase;

    for (; result.Frames < setup.MaxFrames; ++result.Frames) {
        bot.Act(result);
        game.Update(setup.FrameMs);

        TLevelResult& current = result.Levels.back();
        current.Frames += 1;
        const int turns = bot.TakeTurns();
        current.Turns += turns;
        const bool levelChanged = game.Level != current.Level || game.GameMode != current.GameMode;
        if (setup.OnTurn && (turns > 0 || levelChanged)) setup.OnTurn(game, result.Frames);
        if (levelChanged) {
            current.Completed = true;
            current.ScoreAtEnd = game.TotalScore;
            if (current.LevelType == ltBonus) ++result.BonusLevelsCompleted;
            if (setup.StopAfterLevels > 0 && result.LevelsCompleted() >= setup.StopAfterLevels) {
                ++result.Frames;
                break;
            }
            beginLevel();
            specials = SpecialsOnBoard(game);
        }
        if (game.Phase == phGameOver && lastPhase != phGameOver) {
            const TLevel& level = game.CurrentLevel();
            result.EndedByTime = game.GameMode == 2 && game.FreeCount > 0 && level.Progress < 0;
        }
        lastPhase = game.Phase;
        if (game.CurrentLevel().LevelType != ltBonus && game.Phase == phPlay) {
            const int now = SpecialsOnBoard(game);
            if (now > specials) result.SpecialsSeen += now - specials;
            specials = now;
        }

        std::string fault = CheckGame(game, lastScore);
        if (fault.empty() && setup.SaveEvery > 0 && (result.Frames + 1) % setup.SaveEvery == 0 &&
            game.Phase == phPlay && GameState == gsGame && game.PointerStyle == kPointerGame) {
            bool failed = false;
            fault = SaveAndResume(game, setup.SavesMayFail, failed);
            ++(failed ? result.FailedSaves : result.SaveCycles);
            // The file keeps 15 digits of the score.
            if (fault.empty()) fault = CheckGame(game, game.TotalScore);
        }
        if (!fault.empty()) {
            result.End = TBotEnd::Violation;
            result.Violation = "frame " + std::to_string(result.Frames) + ", level " +
                               std::to_string(game.Level) + ": " + fault;
            break;
        }
        lastScore = game.TotalScore;
        if (GameState == gsGameOver) {
            result.End = TBotEnd::GameOver;
            ++result.Frames;
            break;
        }
        if (bot.Stuck()) {
            result.End = TBotEnd::Stuck;
            break;
        }
    }
    result.Levels.back().ScoreAtEnd = game.TotalScore;
    result.TotalScore = game.TotalScore;
    SetGameState(gsMenu);
    return result;
}

} // namespace veltrane::bot
