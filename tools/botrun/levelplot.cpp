// levelplot: draws the level curve from botrun's sweep tables (botrun --sweep ... --csv) as a PNG:
// completion per level and mode above, median minutes of the completed plays below. Normal levels
// are joined by lines; bonus levels are dots (in the upper panel, mode 1's share of plays that
// earned the clear bonus, leaving three blocks at most). A second table, when given, is drawn faintly behind
// as "before".
//
//   levelplot OUT.png AFTER.csv [BEFORE.csv]
#include "common/Canvas.h"
#include "common/Text.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace veltrane::assetgen;

namespace {

struct Row {
    int Level = 0, Mode = 0;
    bool Bonus = false;
    double Completed = 0; // percent
    double Minutes = 0;
    double Earned = -1; // percent of plays that earned the clear bonus, bonus levels of mode 1 only
};

std::vector<Row> ReadTable(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<Row> rows;
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream split(line);
        for (std::string cell; std::getline(split, cell, ',');) cells.push_back(cell);
        if (cells.size() < 10) continue;
        Row row;
        row.Level = std::stoi(cells[0]);
        row.Mode = std::stoi(cells[1]);
        row.Bonus = cells[2] == "1";
        const double played = std::stod(cells[3]);
        row.Completed = 100 * std::stod(cells[4]) / played;
        row.Minutes = std::stod(cells[6]);
        if (cells.size() > 10 && !cells[10].empty()) row.Earned = 100 * std::stod(cells[10]) / played;
        rows.push_back(row);
    }
    return rows;
}

const Colour kModeColour[3] = {{}, Rgb(0x2f6fd0), Rgb(0xe07020)};

// One panel: level 1..100 across, a value range up, with grid lines and labels.
struct Panel {
    float X0, Y0, X1, Y1;
    double Low, High;
    float X(double level) const { return X0 + float((level - 1) / 99.0) * (X1 - X0); }
    float Y(double value) const { return Y1 - float((value - Low) / (High - Low)) * (Y1 - Y0); }

    void Frame(Canvas& c, const Font& font, const std::string& title, double step, const char* format) const {
        c.FillRect(X0, Y0, X1, Y1, Rgb(0xffffff));
        for (double v = Low; v <= High + 1e-9; v += step) {
            c.DrawLine(X0, Y(v), X1, Y(v), 1, Rgb(0xd8d8d8));
            char text[32];
            std::snprintf(text, sizeof text, format, v);
            font.Draw(c, X0 - 8 - font.Measure(text), Y(v) + 5, text, Rgb(0x404040));
        }
        for (int level = 10; level <= 100; level += 10) {
            c.DrawLine(X(level), Y0, X(level), Y1, 1, Rgb(0xe4e4e4));
            font.DrawCentred(c, X(level), Y1 + 20, std::to_string(level), Rgb(0x404040));
        }
        font.Draw(c, X0, Y0 - 10, title, Rgb(0x202020));
    }

    void Curve(Canvas& c, const std::vector<Row>& rows, int mode, bool minutes, bool faint) const {
        const Colour colour = faint ? Mix(kModeColour[mode], Rgb(0xffffff), 0.6f) : kModeColour[mode];
        const float width = faint ? 1.5f : 2.5f;
        const Row* last = nullptr;
        for (const Row& row : rows) {
            // A level never completed has no play time to show.
            if (row.Mode != mode || (minutes && row.Completed == 0)) continue;
            const double value = minutes ? row.Minutes : row.Completed;
            if (row.Bonus) {
                const double dot = minutes ? row.Minutes : row.Earned;
                if (dot >= 0) c.FillCircle(X(row.Level), Y(dot), faint ? 2.5f : 4, colour);
                continue;
            }
            if (last && row.Level - last->Level <= 2)
                c.DrawLine(X(last->Level), Y(minutes ? last->Minutes : last->Completed), X(row.Level),
                           Y(value), width, colour);
            last = &row;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: levelplot OUT.png AFTER.csv [BEFORE.csv]\n");
        return 2;
    }
    try {
        const std::vector<Row> after = ReadTable(argv[2]);
        const std::vector<Row> before = argc > 3 ? ReadTable(argv[3]) : std::vector<Row>{};
        Canvas canvas(1400, 940, Rgb(0xf4f4f0));
        const Font font(FontFace::Sans, 15);
        const Font title(FontFace::SansBold, 17);

        const Panel top{80, 70, 1370, 470, 0, 100};
        top.Frame(canvas, font, "", 20, "%.0f %%");
        title.Draw(
            canvas, 80, 40,
            "Completed (% of plays from an empty board); dots: bonus levels, mode 1 plays that earned the "
            "clear bonus (three blocks left at most)",
            Rgb(0x202020));
        canvas.DrawLine(top.X0, top.Y(20), top.X1, top.Y(20), 1.5f, Rgb(0xc03030, 0.7f));

        const Panel bottom{80, 560, 1370, 870, 0, 4};
        bottom.Frame(canvas, font, "", 1, "%.0f min");
        title.Draw(canvas, 80, 530,
                   "Median minutes of game time of the completed plays (bot thinking 2.5 s a move)",
                   Rgb(0x202020));

        for (const Panel* panel : {&top, &bottom})
            for (int mode = 1; mode <= 2; ++mode) {
                if (!before.empty()) panel->Curve(canvas, before, mode, panel == &bottom, true);
                panel->Curve(canvas, after, mode, panel == &bottom, false);
            }

        float x = 80;
        for (int mode = 1; mode <= 2; ++mode) {
            canvas.DrawLine(x, 918, x + 30, 918, 3, kModeColour[mode]);
            x += 40 + font.Draw(canvas, x + 40, 923, mode == 1 ? "mode 1" : "mode 2 (timed)", Rgb(0x202020)) +
                 30;
        }
        if (!before.empty()) {
            canvas.DrawLine(x, 918, x + 30, 918, 1.5f, Rgb(0x999999));
            x += 40 + font.Draw(canvas, x + 40, 923, "faint: before", Rgb(0x202020)) + 30;
        }
        canvas.DrawLine(x, 918, x + 30, 918, 1.5f, Rgb(0xc03030, 0.7f));
        font.Draw(canvas, x + 40, 923, "20 % (the lowest a level may fall to)", Rgb(0x202020));
        font.Draw(canvas, 1370 - font.Measure("level"), 923, "level", Rgb(0x404040));
        canvas.WritePng(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "levelplot: %s\n", e.what());
        return 1;
    }
    return 0;
}
