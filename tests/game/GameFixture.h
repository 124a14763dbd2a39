// Test helpers for the rules: a game object with a known board drawn as a text picture, the
// sound module wired to a recording mixer, and the steps of a move as the input handler and
// the frame update take them.
//
// A picture is 9 lines of 9 characters; line 1 is row Y = 1 and character 1 column X = 1:
//   '.' free   '1'..'7' colour cube   'J' joker   'B' bomb   'S' shot cube   'X' block
//   'a'..'g' colorize cube for colour 1..7 (kinds 11..17)   '*' announced colour-1 cube
// Cubes join the list in reading order (row 1 first, X ascending), resting unless announced.
#pragma once

#include "game/Game.h"
#include "platform/mixer/RecordingMixer.h"
#include "render/ScoreLabels.h"
#include "sound/Sound.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace veltrane::testing {

using TPicture = std::vector<std::string>;

inline TPicture EmptyPicture() {
    return TPicture(9, ".........");
}

inline uint8_t KindOfChar(char c) {
    if (c >= '1' && c <= '7') return static_cast<uint8_t>(c - '0');
    if (c >= 'a' && c <= 'g') return static_cast<uint8_t>(ckColorize + (c - 'a'));
    switch (c) {
    case 'J':
        return ckJoker;
    case 'B':
        return ckBomb;
    case 'S':
        return ckShot;
    case 'X':
        return ckBlock;
    case '*':
        return 1;
    default:
        throw std::invalid_argument(std::string("no cube is drawn as '") + c + "'");
    }
}

// Level 1 of a plain level table: seven colours in both modes, 15 points a cube, 40 a square,
// no specials allowed, no bonus figures.
inline void SetPlainLevel(TGame& game) {
    game.LevelCount = 1;
    game.Level = 1;
    TLevel& level = game.Levels[1];
    level = TLevel{};
    level.CubesPerTurn = {};
    level.CubesPerTurn[1] = level.CubesPerTurn[2] = 3;
    level.Colours[1] = level.Colours[2] = 7;
    level.CubePoints = 15;
    level.SquarePoints = 40;
    level.ClearBonus = 300;
    level.Goal[1] = level.Goal[2] = 1000;
}

// Puts a cube straight onto a free cell and names it on the board; returns its index.
inline int PlaceOnBoard(TGame& game, TCellWord cell, uint8_t kind, TCubeState state = csResting) {
    int entry = 0;
    for (int k = 1; k <= game.FreeCount; ++k)
        if (game.FreeCells[k] == cell) entry = k;
    if (entry == 0) throw std::logic_error("cell not free");
    game.DropFreeCell(entry);
    game.CubeCount += 1;
    const int i = game.CubeCount;
    TCube& cube = game.Cubes[i];
    cube = TCube{};
    cube.Kind = kind;
    cube.SetCell(cell);
    const bool announced = state == csAnnounced;
    cube.Position = {static_cast<float>(CellX(cell) - 5), static_cast<float>(CellY(cell) - 5),
                     announced ? 0.15f : 0.4f};
    const float s = announced ? 0.3f : 0.8f;
    cube.Scale = {s, s, s};
    game.InitCubeState(i, state);
    game.BoardAt(cell) = {announced ? ocReserved : ocOccupied, static_cast<uint8_t>(i), 0};
    return i;
}

// A game in play in mode 1 on level 1 with the pictured board.
inline std::unique_ptr<TGame> GameWithBoard(const TPicture& picture) {
    if (picture.size() != 9) throw std::invalid_argument("a board picture has 9 lines");
    auto game = std::make_unique<TGame>(nullptr);
    SetPlainLevel(*game);
    game->ClearBoard();
    for (int y = 1; y <= 9; ++y) {
        const std::string& line = picture[static_cast<size_t>(y - 1)];
        if (line.size() != 9) throw std::invalid_argument("a board line has 9 characters: " + line);
        for (int x = 1; x <= 9; ++x) {
            const char c = line[static_cast<size_t>(x - 1)];
            if (c == '.') continue;
            PlaceOnBoard(*game, CellWord(x, y), KindOfChar(c), c == '*' ? csAnnounced : csResting);
        }
    }
    ClearScoreLabels();
    return game;
}

// The sound module on a recording mixer with the effects and tracks loaded; tells which
// effects were played.
class TSoundRecorder {
public:
    TSoundRecorder() {
        SetSoundMixer(&Mixer);
        InitSound(nullptr);
        LoadMusic();
        LoadSounds();
        SetSoundVolume(200);
        SetMusicVolume(200);
        Mixer.Calls.clear();
    }
    ~TSoundRecorder() {
        SetSoundMixer(nullptr);
        SetSoundVolume(0);
        SetMusicVolume(0);
    }
    TSoundRecorder(const TSoundRecorder&) = delete;
    TSoundRecorder& operator=(const TSoundRecorder&) = delete;

    // Effects played since the last Clear, in order.
    std::vector<TSound> Played() const {
        std::vector<TSound> sounds;
        for (const std::string& call : Mixer.CallsTo("IMXSamplePlay(")) {
            const int handle = std::stoi(call.substr(call.find('(') + 1));
            sounds.push_back(static_cast<TSound>(handle - static_cast<int>(TRecordingMixer::FirstSample)));
        }
        return sounds;
    }
    void Clear() { Mixer.Calls.clear(); }

    TRecordingMixer Mixer;

private:
};

// The start of a move as the input handler makes it: select the cube, search the paths,
// point at the target, and when it is reachable set the cube moving. True when it moves.
inline bool StartMove(TGame& game, TCellWord from, TCellWord to) {
    game.SelectCube(game.CubeOn(from));
    game.FindPaths();
    game.HoverCell = to;
    game.ShowPath();
    if (game.Selected == 0 || game.DotCount == 0 || game.Dots[0].Kind != 2) return false;
    game.StartMove();
    game.PrevStateCount = game.StateCount;
    return true;
}

// Frames of dt milliseconds until the moving cube arrives; the number of frames.
inline int RunMove(TGame& game, float dt = 16) {
    int frames = 0;
    for (int i = 1; i <= game.CubeCount; ++i) {
        while (game.Cubes[i].State == csMoving && frames < 100000) {
            game.StepMove(i, dt);
            ++frames;
            if (game.Phase == phGameOver) return frames;
        }
    }
    return frames;
}

// A whole move ending in the square search, as the frame update runs it. False when the
// target was not reachable.
inline bool PlayMove(TGame& game, TCellWord from, TCellWord to) {
    if (!StartMove(game, from, to)) return false;
    RunMove(game);
    game.FindSquares();
    game.PrevStateCount = game.StateCount;
    return true;
}

// The vanishing cubes are gone and removed, as the frame update ends them.
inline void RemoveVanished(TGame& game) {
    for (int i = 1; i <= game.CubeCount; ++i)
        if (game.Cubes[i].State == csVanishing) game.SetCubeState(i, csGone);
    for (int i = game.CubeCount; i >= 1; --i)
        if (game.Cubes[i].State == csGone) game.RemoveCube(i);
    game.PrevStateCount = game.StateCount;
}

// The texts of the score labels, oldest first.
inline std::vector<std::string> LabelTexts() {
    std::vector<std::string> texts;
    for (int i = 1; i <= ScoreLabelCount(); ++i) texts.push_back(ScoreLabel(i).Text);
    return texts;
}

} // namespace veltrane::testing
