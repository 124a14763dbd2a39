// Helpers for the game tests: a game object on the heap, cubes put straight onto the board,
// and level and figure files built line by line.
#pragma once

#include "game/Game.h"

#include <memory>
#include <string>
#include <vector>

namespace veltrane::testing {

inline std::unique_ptr<TGame> NewGame() {
    return std::make_unique<TGame>(nullptr);
}

// Puts a cube of the given kind and state on a cell taken from the free list, as the adding
// operations do, and returns its index.
inline int PutCube(TGame& game, TCellWord cell, uint8_t kind = 1, TCubeState state = csResting) {
    int entry = 0;
    for (int k = 1; k <= game.FreeCount; ++k)
        if (game.FreeCells[k] == cell) entry = k;
    game.DropFreeCell(entry);
    game.CubeCount += 1;
    const int i = game.CubeCount;
    TCube& cube = game.Cubes[i];
    cube = TCube{};
    cube.Kind = kind;
    cube.SetCell(cell);
    game.InitCubeState(i, state);
    game.BoardAt(cell) = {state == csAnnounced ? ocReserved : ocOccupied, static_cast<uint8_t>(i), 0};
    return i;
}

// A levels file as lines: line 0 holds the count, block k (1-based) line j (1..17) is
// lines[(k - 1) * 17 + j]. Every level gets values that tell it apart from the others.
inline std::vector<std::string> LevelLines(int count) {
    std::vector<std::string> lines{std::to_string(count) + " levels"};
    for (int k = 1; k <= count; ++k) {
        const std::string n = std::to_string(k);
        const std::vector<std::string> block = {
            "Level " + n,
            std::to_string(k % 7) + " lamps off",
            std::to_string(3 + k % 4),
            "4",
            std::to_string(2 + k % 3) + "  cubes per turn",
            std::to_string(3 + k % 3),
            "1",
            std::to_string(5 + k % 20),
            std::to_string(100 * k) + ".5",
            std::to_string(1000 + k),
            "0.00" + std::to_string(k % 10 + 1),
            std::to_string(20 + k),
            n,
            std::to_string(2 * k),
            "1",
            k % 2 ? "0" : "1",
            "1 colorize",
        };
        lines.insert(lines.end(), block.begin(), block.end());
    }
    return lines;
}

inline int LevelLine(int level, int line) {
    return (level - 1) * 17 + line;
}

// A figures file: count and one block per grid, each grid four lines of four digits.
struct TFigureSpec {
    int Colours = 2;
    int Width = 4;
    int Height = 4;
    std::string Value = "250";
    std::vector<std::string> Grid = {"0110", "1221", "0000", "0000"};
};

inline std::vector<std::string> FigureLines(const std::vector<TFigureSpec>& figures) {
    std::vector<std::string> lines{std::to_string(figures.size())};
    int k = 0;
    for (const auto& f : figures) {
        lines.push_back("Figure " + std::to_string(++k));
        lines.push_back(std::to_string(f.Colours));
        lines.push_back(std::to_string(f.Width));
        lines.push_back(std::to_string(f.Height));
        lines.push_back(f.Value);
        lines.insert(lines.end(), f.Grid.begin(), f.Grid.end());
    }
    return lines;
}

inline std::string Join(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const auto& line : lines) text += line + end;
    return text;
}

} // namespace veltrane::testing
