// Many seeded games played through the rules, with the board checked after every operation.
// The turn step (announcing cubes and letting them grow) is played here in its simplest form.
#include "GameFixture.h"

#include "platform/Random.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <iostream>

namespace veltrane {
namespace {
using namespace testing;

// Shortest distances from a cell through cells no cube blocks, computed independently of the
// game (0 for the start and for cells not reached within 30 steps).
std::array<std::array<int, 10>, 10> Distances(const TGame& game, TCellWord from) {
    std::array<std::array<int, 10>, 10> blocked{};
    for (int i = 1; i <= game.CubeCount; ++i)
        if (game.Cubes[i].State != csAnnounced) blocked[game.Cubes[i].X][game.Cubes[i].Y] = 1;
    std::array<std::array<int, 10>, 10> d{};
    std::deque<TCellWord> queue{from};
    while (!queue.empty()) {
        const TCellWord c = queue.front();
        queue.pop_front();
        const int x = CellX(c), y = CellY(c);
        const int here = c == from ? 0 : d[x][y];
        if (here == 30) continue;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& s : steps) {
            const int nx = x + s[0], ny = y + s[1];
            if (nx < 1 || nx > 9 || ny < 1 || ny > 9 || blocked[nx][ny] || d[nx][ny] != 0) continue;
            if (CellWord(nx, ny) == from) continue;
            d[nx][ny] = here + 1;
            queue.push_back(CellWord(nx, ny));
        }
    }
    return d;
}

class RandomPlay {
public:
    explicit RandomPlay(uint32_t seed) : game_(GameWithBoard(EmptyPicture())) {
        TLevel& level = game_->CurrentLevel();
        level.Colours[1] = 3;
        level.JokerOdds = 12;
        level.AllowBomb = level.AllowColorize = level.AllowShot = true;
        level.FigureFirst = 1;
        level.FigureLast = 2;
        SetFigure(1, {"12", "21"}, 2);
        SetFigure(2, {"123", "0J0"}, 3);
        RandSeed = seed;
        game_->PickFigure(false);
    }

    // Plays until `moves` moves have been made; a failed check stops with a message.
    void Play(int moves) {
        while (moves_ < moves && !::testing::Test::HasFatalFailure()) {
            if (game_->Phase == phGameOver) NewGame();
            if (Random(20) == 0) {
                Shoot();
            } else {
                TResult result = mvNone;
                for (int tries = 0; tries < 40 && result == mvNone; ++tries) result = Move();
                if (result != mvScored) NextTurn();
            }
            Check("after the move");
            Vanish();
            Check("after the vanishing");
            for (; game_->SpecialsDue > 0; --game_->SpecialsDue) {
                game_->AddSpecial();
                Check("AddSpecial");
            }
        }
    }

    int Moves() const { return moves_; }
    int Scoring() const { return scoring_; }
    int Games() const { return games_; }
    int Specials() const { return specials_; }

private:
    void SetFigure(int k, const std::vector<std::string>& rows, int colours) {
        TBonusFigure& f = game_->Figures[k];
        f.Height = static_cast<uint8_t>(rows.size());
        f.Width = static_cast<uint8_t>(rows[0].size());
        f.Colours = static_cast<uint8_t>(colours);
        f.BaseValue = 500;
        for (int r = 1; r <= f.Height; ++r)
            for (int c = 1; c <= f.Width; ++c) {
                const char ch = rows[static_cast<size_t>(r - 1)][static_cast<size_t>(c - 1)];
                f.Cubes[c][r].Kind = static_cast<uint8_t>(ch == 'J' ? 0 : ch - '0');
            }
        game_->FigureCount = std::max(game_->FigureCount, k);
    }

    void Check(const char* step) {
        const std::string fault = game_->CheckBoardInvariants();
        ASSERT_EQ(fault, "") << step << ", move " << moves_;
        ASSERT_GE(game_->PendingScore, lastScore_) << step;
        lastScore_ = game_->PendingScore;
        ASSERT_GE(game_->Combo, 0);
    }

    void NewGame() {
        game_->ClearBoard();
        game_->Phase = phPlay;
        game_->Combo = 0;
        games_ += 1;
    }

    // The turn step: announced cubes grow in at once, new ones are announced.
    void NextTurn() {
        for (int i = 1; i <= game_->CubeCount; ++i) {
            if (game_->Cubes[i].State != csAnnounced) continue;
            game_->SetCubeState(i, csResting);
            game_->BoardAt(game_->Cubes[i].Cell()).Occupancy = ocOccupied;
        }
        game_->PrevStateCount = game_->StateCount;
        game_->FindSquares();
        Check("growth");
        for (int n = 0; n < 2; ++n) {
            const TCellWord cell = game_->TakeFreeCell();
            if (cell == 0) return;
            game_->CubeCount += 1;
            const int i = game_->CubeCount;
            game_->Cubes[i] = TCube{};
            uint8_t kind = static_cast<uint8_t>(Random(3) + 1);
            if (Random(game_->CurrentLevel().JokerOdds) == 1) kind = ckJoker;
            if (Random(40) == 1) kind = ckBlock;
            game_->Cubes[i].Kind = kind;
            game_->Cubes[i].SetCell(cell);
            game_->InitCubeState(i, csAnnounced);
            game_->BoardAt(cell) = {ocReserved, static_cast<uint8_t>(i), 0};
            Check("announcing");
        }
    }

    enum TResult { mvNone, mvBarren, mvScored };

    // Moves a random cube to a random cell; mvNone when the cube cannot move or the target
    // cannot be reached.
    TResult Move() {
        const int i = Random(game_->CubeCount) + 1;
        if (game_->CubeCount == 0 || game_->Cubes[i].State != csResting || game_->Cubes[i].Kind == ckBlock)
            return mvNone;
        game_->SelectCube(i);
        game_->FindPaths();
        Check("FindPaths");
        const TCellWord from = game_->Cubes[i].Cell();
        const auto expected = Distances(*game_, from);
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int want = game_->Board[x][y].Occupancy == ocOccupied ? 0 : expected[x][y];
                EXPECT_EQ(game_->Board[x][y].Distance, want) << x << "," << y;
            }

        game_->HoverCell = CellWord(Random(9) + 1, Random(9) + 1);
        game_->ShowPath();
        Check("ShowPath");
        if (game_->DotCount == 0 || game_->Dots[0].Kind != 2) {
            game_->SelectCube(0);
            return mvNone;
        }
        // The markers run from the target back, one step at a time, to a neighbour of the cube.
        const int d = game_->BoardAt(game_->HoverCell).Distance;
        EXPECT_EQ(game_->DotCount, d);
        for (int k = 0; k < game_->DotCount; ++k) {
            const TCellWord next = k + 1 < game_->DotCount ? game_->Dots[k + 1].Cell : from;
            const TCellWord here = game_->Dots[k].Cell;
            EXPECT_EQ(std::abs(CellX(here) - CellX(next)) + std::abs(CellY(here) - CellY(next)), 1);
        }

        TCube& cube = game_->Cubes[i];
        if (cube.Kind == ckBomb || (cube.Kind >= ckColorize && cube.Kind <= ckColorizeLast)) specials_ += 1;
        game_->StartMove();
        const TCellWord target = game_->HoverCell;
        game_->PrevStateCount = game_->StateCount;
        while (cube.State == csMoving && game_->Phase != phGameOver) {
            game_->StepMove(i, static_cast<float>(Random(120)));
            Check("StepMove");
        }
        moves_ += 1;
        if (game_->Phase == phGameOver) return mvBarren;
        EXPECT_EQ(cube.Cell(), target);
        game_->FindSquares();
        Check("FindSquares");
        game_->PrevStateCount = game_->StateCount;
        const bool scored = game_->StateCount[TGame::StateSlot(csVanishing)] > 0;
        if (scored) scoring_ += 1;
        return scored ? mvScored : mvBarren;
    }

    void Shoot() {
        game_->HoverCell = CellWord(Random(9) + 1, Random(9) + 1);
        game_->ShootKind(static_cast<uint8_t>(Random(3) + 1));
        Check("ShootKind");
    }

    void Vanish() {
        RemoveVanished(*game_);
        if (game_->Selected != 0) game_->SelectCube(0);
    }

    std::unique_ptr<TGame> game_;
    double lastScore_ = 0;
    int moves_ = 0;
    int scoring_ = 0;
    int games_ = 0;
    int specials_ = 0;
};

TEST(RandomPlay, ThousandsOfSeededMovesKeepTheBoardConsistent) {
    int moves = 0, scoring = 0, games = 0, specials = 0;
    for (uint32_t seed : {1u, 7u, 1234u, 99991u}) {
        RandomPlay play(seed);
        play.Play(5000);
        moves += play.Moves();
        scoring += play.Scoring();
        games += play.Games();
        specials += play.Specials();
    }
    EXPECT_EQ(moves, 20000);
    // The play reaches what it should test: scoring moves, bombs and colorize cubes arriving,
    // full boards.
    EXPECT_GT(scoring, 500);
    EXPECT_GT(specials, 100);
    EXPECT_GT(games, 4);
    RecordProperty("moves", moves);
    std::cout << moves << " moves, " << scoring << " scoring, " << specials
              << " bombs or colorize cubes moved, " << games << " games restarted\n";
}

} // namespace
} // namespace veltrane
