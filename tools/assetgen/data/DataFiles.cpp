// Level file: a count line, then 17 lines per level. Figure file: a count line, then 9 lines per
// figure with the 4 x 4 grid from the bottom row up.
#include "data/DataFiles.h"

#include "data/LevelTable.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace veltrane::assetgen {

namespace {

std::string Line(const char* format, auto... values) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return std::string(buffer) + "\n";
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

} // namespace

std::string LevelsFileText() {
    const auto levels = DesignedLevels();
    std::string text = Line("%d levels", static_cast<int>(levels.size()));
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const LevelDesign& l = levels[i];
        const int number = static_cast<int>(i) + 1;
        text += Line(IsBonusLevel(number) ? "Level %d (bonus)" : "Level %d", number);
        // The lamp row counts up to the next bonus level: one lamp on the first level of five.
        text += Line("%d", 4 - (number - 1) % 5);
        text += Line("%d", l.Colours[0]);
        text += Line("%d", l.Colours[1]);
        text += Line("%d", l.CubesPerTurn[0]);
        text += Line("%d", l.CubesPerTurn[1]);
        text += Line("%d", l.FigureFirst);
        text += Line("%d", l.FigureLast);
        text += Line("%.1f", l.Goal[0]);
        text += Line("%.1f", l.Goal[1]);
        text += Line("%.5f", l.TimeRate);
        text += Line("%d", l.JokerOdds);
        text += Line("%d", l.ExtraQuota[0]);
        text += Line("%d", l.ExtraQuota[1]);
        text += Line("%d bomb", l.AllowBomb ? 1 : 0);
        text += Line("%d shot", l.AllowShot ? 1 : 0);
        text += Line("%d colorize", l.AllowColorize ? 1 : 0);
    }
    return text;
}

std::string FiguresFileText() {
    const auto figures = DesignedFigures();
    std::string text = Line("%d figures", static_cast<int>(figures.size()));
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const FigureDesign& f = figures[i];
        int height = 0;
        int width = 0;
        for (std::string_view row : f.Rows) {
            if (row.empty()) break;
            ++height;
            width = std::max(width, static_cast<int>(row.size()));
        }
        text += Line("Figure %d: %.*s", static_cast<int>(i) + 1, static_cast<int>(f.Title.size()),
                     f.Title.data());
        text += Line("%d", f.Colours);
        text += Line("%d", width);
        text += Line("%d", height);
        text += Line("%.1f", f.BaseValue);
        // Grid row 1 is the lowest row on screen, so the design's last row comes first.
        for (int r = 0; r < 4; ++r) {
            std::string row = r < height ? std::string(f.Rows[height - 1 - r]) : std::string();
            row.resize(4, '0');
            text += row + "\n";
        }
    }
    return text;
}

void MakeDataFiles(const std::filesystem::path& gameDir) {
    WriteText(gameDir / "data" / "Levels.dat", LevelsFileText());
    WriteText(gameDir / "data" / "BonusFigures.dat", FiguresFileText());
}

} // namespace veltrane::assetgen
