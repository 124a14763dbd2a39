// Reads the bonus figures from their text file.
#include "game/Game.h"

#include "game/DataLines.h"
#include "platform/TextReader.h"

#include <memory>

namespace veltrane {

namespace {

using TFigureTable = TRangeArray<TBonusFigure, 1, MaxFigures>;

// Where a figure's cube is shown: left of the board, centred on the figure's used part.
void PlaceFigureCube(TBonusCube& cube, int column, int row, const TBonusFigure& figure) {
    constexpr double size = 0.46;
    cube.Scale = MakeVector(0.46f, 0.46f, 0.46f);
    cube.Position = MakeVector(static_cast<float>((column - figure.Width / 2.0) * size - 7.14),
                               static_cast<float>((row - figure.Height / 2.0) * size - 2.32), 0.2f);
    cube.Rotation = MakeVector(0, 0, 0);
    cube.UpdateWorld();
}

void ReadFigure(TTextReader& r, TBonusFigure& figure, int number) {
    using namespace datalines;
    r.ReadLn(); // the figure's title
    figure.Colours = static_cast<uint8_t>(ReadInt(r, "figure colour count", 1, 7));
    figure.Width = static_cast<uint8_t>(ReadInt(r, "figure width", 1, 4));
    figure.Height = static_cast<uint8_t>(ReadInt(r, "figure height", 1, 4));
    figure.BaseValue = ReadReal(r);
    figure.Value = 0;

    const int gridLine = r.Line();
    bool hasCube = false;
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 4; ++column) {
            const char c = r.ReadChar();
            if (c < '0' || c > '9')
                r.Fail(std::string("figure grid digit expected, found ") +
                       (c == '\n' ? std::string("the line end") : "\"" + std::string(1, c) + "\""));
            TBonusCube& cube = figure.Cubes[column][row];
            cube.Kind = c >= '1' && c <= '7' ? static_cast<uint8_t>(c - '0') : 0;
            cube.ShownKind = cube.Kind;
            PlaceFigureCube(cube, column, row, figure);
            if (cube.Kind != 0 && column <= figure.Width && row <= figure.Height) hasCube = true;
        }
        r.ReadLn();
    }
    // A figure without a cube in its used part would be found everywhere, on every search.
    if (!hasCube) r.FailAt(gridLine, "figure " + std::to_string(number) + " has no cube in its used part");
}

} // namespace

void TGame::LoadFigures(const std::string& path) {
    TTextReader reader = TTextReader::OpenFile(path);
    LoadFigures(reader);
}

void TGame::LoadFigures(TTextReader& r) {
    auto table = std::make_unique<TFigureTable>();
    const int count = datalines::ReadInt(r, "figure count", 1, MaxFigures);
    for (int k = 1; k <= count; ++k) ReadFigure(r, (*table)[k], k);

    Figures = *table;
    FigureCount = count;
}

} // namespace veltrane
