// A headless player: plays whole games through the game's input handlers and its per-frame
// update with a fixed frame time, the way the main window drives them, and checks the board
// after every frame. Used by the game tests and by the long-run tool that balances the levels.
//
// Its play: a move that builds a square when one exists (the most squares first), else a bomb
// or colorize cube where it hits most, a shot at the most common colour, or the move that
// brings most cubes of one colour together; any legal move when nothing better shows.
#pragma once

#include "game/Game.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veltrane::bot {

// The level and figure tables every game starts from (games change the tables in place).
struct TBotData {
    TRangeArray<TLevel, 1, MaxLevels> Levels;
    int32_t LevelCount = 0;
    TRangeArray<TBonusFigure, 1, MaxFigures> Figures;
    int32_t FigureCount = 0;
};

// Reads the two data files' texts (as the game reads "data/Levels.dat" and
// "data/BonusFigures.dat"); throws TFileError for a bad text.
std::unique_ptr<TBotData> LoadBotData(const std::string& levelsText, const std::string& figuresText);

struct TBotSetup {
    uint32_t Seed = 1;
    int GameMode = 1;   // 1, or 2 for the timed game
    int StartLevel = 1; // 1..100
    int64_t MaxFrames = 200000;
    float FrameMs = 20;
    // Game time the bot waits once the board is idle before it acts, as a player thinks; in the
    // timed mode the bank drains meanwhile.
    float ThinkMs = 0;
    // Every so many frames of play the game is saved and loaded again, as leaving for the menu
    // and resuming does; the loaded game must show the saved one. 0: never. The save files go
    // to "data/" under the current folder.
    int64_t SaveEvery = 0;
    // Saves may fail (a soak makes the disk fail at random): a failed save must leave the old
    // file as it was, no temporary file beside it and no descriptor open, and the game plays on
    // unsaved; otherwise a failed save breaks the run.
    bool SavesMayFail = false;
    // The game stops once this many levels have been completed (a per-level sweep). 0: never.
    int StopAfterLevels = 0;
    // Called after the update of every frame in which the bot made a move or fired a shot, and
    // of every frame in which a level began; frame counts from 0.
    std::function<void(const TGame&, int64_t frame)> OnTurn;
};

// One level as the bot played it.
struct TLevelResult {
    int Level = 0;
    int GameMode = 0;
    TLevelType LevelType = ltNormal;
    bool Completed = false; // its level-completed sequence ended in the next level
    int Turns = 0;          // moves and shots the bot made in it
    int64_t Frames = 0;     // frames from its start to the start of the next level or the end
    double ScoreAtEnd = 0;
};

enum class TBotEnd {
    GameOver,  // the game reached gsGameOver
    FrameCap,  // MaxFrames ran out first
    Stuck,     // no cube could move for a long time
    Violation, // an invariant broke (see Violation)
};

struct TBotGame {
    std::vector<TLevelResult> Levels;
    TBotEnd End = TBotEnd::FrameCap;
    std::string Violation; // the first broken invariant, with the frame
    int64_t Frames = 0;
    double TotalScore = 0;
    bool EndedByTime = false; // the game-over test found the timed mode's bank empty
    int SquareMoves = 0;      // moves that built at least one square
    int SpecialsSeen = 0;     // bombs, shot and colorize cubes that appeared outside bonus levels
    int BombsUsed = 0;
    int ColorizesUsed = 0;
    int ShotsFired = 0;
    int ShotsCancelled = 0;
    int BonusLevelsStarted = 0;
    int BonusLevelsCompleted = 0;
    int SaveCycles = 0;  // saves loaded again
    int FailedSaves = 0; // saves that failed (only with SavesMayFail)

    int LevelsCompleted() const;
    // The highest level the game was playing (in the last mode it played).
    int LevelReached() const;
};

// Plays one game from the level (a new game as the menu starts it, or a later level with an
// empty board) until it ends in gsGameOver, breaks an invariant or runs out of frames.
TBotGame PlayBotGame(const TBotData& data, const TBotSetup& setup);

const char* EndName(TBotEnd end);

} // namespace veltrane::bot
