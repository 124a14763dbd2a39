// The game's input handlers: where the pointer is on the board, hovering, selecting, moving,
// arming, aiming, shooting and putting back a shot cube, by mouse and by keyboard.
#include "GameFixture.h"

#include "platform/VirtualKeys.h"
#include "render/PointerPosition.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {
using namespace testing;

constexpr int kLeft = 0;
constexpr int kRight = 1;

class InputTest : public ::testing::Test {
protected:
    void PointAtWorld(float x, float y) { game_->PointerAt = {x, y, 0.01f}; }
    // The pointer over the centre of a cell.
    void PointAt(int x, int y) { PointAtWorld(static_cast<float>(x - 5), static_cast<float>(y - 5)); }

    void Board(const TPicture& picture) {
        game_ = GameWithBoard(picture);
        game_->PointerStyle = kPointerGame;
        game_->BoardIdle = true;
        sound_.Clear();
    }
    // The pointer moves onto a cell and the game hears of it.
    void MoveTo(int x, int y) {
        PointAt(x, y);
        game_->MouseMove();
    }
    void ClickAt(int x, int y, int button = kLeft) {
        MoveTo(x, y);
        game_->MouseDown(button);
    }
    size_t HighlightStops() const { return sound_.Mixer.CallsTo("IMXChannelStop(").size(); }
    // Lets the vanishing cubes go and removes them, as the frame update does in the end.
    void FinishVanishing() { RemoveVanished(*game_); }

    TSoundRecorder sound_;
    std::unique_ptr<TGame> game_;
};

const TPicture kBoard = {
    "1.......X", // (1,1) colour 1, (9,1) block
    ".*.......", // (2,2) announced
    "....2....", // (5,3) colour 2
    ".........", //
    "....J....", // (5,5) joker
    ".........", //
    "XXX......", // (1,7) (2,7) (3,7) blocks
    "..X......", // (3,8) block
    ".2X......", // (2,9) colour 2 walled in
};

TEST_F(InputTest, PointerOnTheBoardAndItsCell) {
    Board(kBoard);
    struct TCase {
        float X, Y;
        bool On;
        int CellX, CellY;
    };
    const TCase cases[] = {
        {4.49f, -4.5f, true, 9, 1}, {4.5f, 0, false, 0, 0},     {0, 4.5f, false, 0, 0},
        {-4.5f, -4.5f, true, 1, 1}, {-4.51f, 0, false, 0, 0},   {0.5f, -0.5f, true, 5, 5},
        {1.5f, 2.5f, true, 7, 7},   {-3.5f, -2.5f, true, 1, 3}, {0.49f, 0.51f, true, 5, 6},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + ", " + std::to_string(c.Y));
        PointAtWorld(c.X, c.Y);
        EXPECT_EQ(game_->PointerOnBoard(), c.On);
        EXPECT_EQ(game_->PointerCell(), c.On ? CellWord(c.CellX, c.CellY) : 0);
    }

    // Over a cube: the cell's square, its lower edges included and its upper ones not.
    const int corner = game_->CubeOn(CellWord(1, 1));
    PointAtWorld(-4.5f, -4.5f);
    EXPECT_TRUE(game_->PointerOverCube(corner));
    PointAtWorld(-3.51f, -3.51f);
    EXPECT_TRUE(game_->PointerOverCube(corner));
    PointAtWorld(-3.5f, -4.0f);
    EXPECT_FALSE(game_->PointerOverCube(corner));
    PointAtWorld(-4.0f, -3.5f);
    EXPECT_FALSE(game_->PointerOverCube(corner));
    EXPECT_FALSE(game_->PointerOverCube(0));
    EXPECT_FALSE(game_->PointerOverCube(game_->CubeCount + 1));
}

TEST_F(InputTest, HoverShowsThePathOnlyOnTheBoardAndWhileIdle) {
    Board(kBoard);
    ClickAt(5, 3);
    ASSERT_EQ(game_->Selected, game_->CubeOn(CellWord(5, 3)));
    MoveTo(7, 3);
    EXPECT_EQ(game_->HoverCell, CellWord(7, 3));
    ASSERT_EQ(game_->DotCount, 2);
    EXPECT_EQ(game_->Dots[0].Kind, 2);

    // The board's edges: the last cells are still hovered, a hair beyond is off the board.
    PointAtWorld(4.49f, -4.5f);
    game_->MouseMove();
    EXPECT_EQ(game_->HoverCell, CellWord(9, 1));
    EXPECT_EQ(game_->DotCount, 0) << "no markers over the block on (9, 1)";
    PointAtWorld(4.49f, 4.49f);
    game_->MouseMove();
    EXPECT_EQ(game_->HoverCell, CellWord(9, 9));
    ASSERT_GT(game_->DotCount, 0);
    EXPECT_EQ(game_->Dots[0].Cell, CellWord(9, 9));
    PointAtWorld(4.5f, 4.49f);
    game_->MouseMove();
    EXPECT_EQ(game_->DotCount, 0) << "off the board the markers go";
    EXPECT_EQ(game_->HoverCell, CellWord(9, 9));

    MoveTo(7, 3);
    PointAtWorld(6, 0);
    game_->MouseMove();
    EXPECT_EQ(game_->DotCount, 0);

    MoveTo(1, 9); // walled in
    ASSERT_EQ(game_->DotCount, 1);
    EXPECT_EQ(game_->Dots[0].Kind, 3);

    game_->BoardIdle = false;
    MoveTo(7, 3);
    EXPECT_EQ(game_->DotCount, 1) << "a busy board ignores the pointer";
    game_->BoardIdle = true;
    game_->Phase = phMenu;
    MoveTo(7, 3);
    EXPECT_EQ(game_->DotCount, 1) << "so does a game under a menu";
}

TEST_F(InputTest, ClicksSelectAndDeselectWithTheHighlightSound) {
    Board(kBoard);
    const int two = game_->CubeOn(CellWord(5, 3));
    ClickAt(5, 3);
    EXPECT_EQ(game_->Selected, two);
    EXPECT_EQ(game_->Cubes[two].State, csSelected);
    EXPECT_EQ(sound_.Played(), (std::vector<TSound>{TSound::SelectCube, TSound::Selected}));
    EXPECT_GT(game_->BoardAt(CellWord(5, 2)).Distance, 0) << "paths are searched from the new selection";

    // Another cube takes the selection over.
    ClickAt(1, 1);
    EXPECT_EQ(game_->Selected, game_->CubeOn(CellWord(1, 1)));
    EXPECT_EQ(game_->Cubes[two].State, csResting);

    // The selected cube clicked again: no selection, the highlight stops.
    const size_t stops = HighlightStops();
    ClickAt(1, 1);
    EXPECT_EQ(game_->Selected, 0);
    EXPECT_GT(HighlightStops(), stops);
    EXPECT_EQ(game_->CheckBoardInvariants(), "");

    // Announced cubes and blocks cannot be selected.
    ClickAt(2, 2);
    EXPECT_EQ(game_->Selected, 0);
    ClickAt(9, 1);
    EXPECT_EQ(game_->Selected, 0);

    // A right click on a cube selects it; elsewhere it drops the selection.
    ClickAt(5, 5, kRight);
    EXPECT_EQ(game_->Selected, game_->CubeOn(CellWord(5, 5)));
    const size_t stopsBeforeRight = HighlightStops();
    ClickAt(8, 8, kRight);
    EXPECT_EQ(game_->Selected, 0);
    EXPECT_EQ(game_->DotCount, 0);
    EXPECT_GT(HighlightStops(), stopsBeforeRight) << "the selection ended, so does its loop";

    // Nothing answers while the board is busy or the game is not in play; cubes that have just
    // begun to grow keep it busy even though the turn has declared it idle.
    game_->BoardIdle = false;
    ClickAt(5, 3);
    EXPECT_EQ(game_->Selected, 0);
    game_->BoardIdle = true;
    game_->SetCubeState(game_->CubeOn(CellWord(2, 2)), csGrowing);
    ClickAt(5, 3);
    EXPECT_EQ(game_->Selected, 0);
    game_->SetCubeState(game_->CubeOn(CellWord(2, 2)), csAnnounced);
    game_->Phase = phLevelCompleted;
    ClickAt(5, 3);
    EXPECT_EQ(game_->Selected, 0);
}

TEST_F(InputTest, AClickOnAReachableCellStartsTheMove) {
    Board(kBoard);
    ClickAt(2, 9);
    MoveTo(5, 9); // outside its pocket: the selection stays, nothing moves
    ASSERT_EQ(game_->Dots[0].Kind, 3);
    game_->MouseDown(kLeft);
    EXPECT_EQ(game_->Cubes[game_->Selected].State, csSelected);

    ClickAt(5, 3);
    const int i = game_->Selected;
    MoveTo(7, 4);
    ASSERT_EQ(game_->DotCount, 3);
    const size_t stops = HighlightStops();
    game_->MouseDown(kLeft);
    const TCube& cube = game_->Cubes[i];
    EXPECT_EQ(cube.State, csMoving);
    EXPECT_TRUE(game_->MoveBarren);
    EXPECT_EQ(game_->DotCount, 4);
    EXPECT_EQ(game_->Dots[3].Cell, CellWord(5, 3));
    EXPECT_EQ(cube.MoveStart, 4);
    EXPECT_EQ(cube.MovePos, 4);
    EXPECT_EQ(cube.StepMark, 4);
    EXPECT_FLOAT_EQ(cube.Position.z, 0.4f);
    EXPECT_GT(HighlightStops(), stops);

    RunMove(*game_);
    EXPECT_EQ(game_->Cubes[i].Cell(), CellWord(7, 4));
    EXPECT_EQ(game_->CheckBoardInvariants(), "");
}

const TPicture kShotBoard = {
    "1.1......", // (1,1) and (3,1) colour 1
    "..S......", // (3,2) shot cube
    "....B....", // (5,3) bomb
    "J...2....", // (1,4) joker, (5,4) colour 2
    ".........", //
    ".........", //
    ".........", //
    ".........", //
    ".........", //
};

// The shot cube armed by a click.
class AimingTest : public InputTest {
protected:
    AimingTest() {
        Board(kShotBoard);
        shot_ = game_->CubeOn(CellWord(3, 2));
        ClickAt(3, 2);
    }
    // The hover turn the frame update starts under the pointer.
    void TurnUnderPointer() {
        for (int i = 1; i <= game_->CubeCount; ++i)
            if (game_->Cubes[i].State == csResting && game_->PointerOverCube(i))
                game_->SetCubeState(i, csTurning);
    }
    int shot_ = 0;
};

TEST_F(AimingTest, ArmingAShotCube) {
    EXPECT_EQ(game_->PointerStyle, kPointerAiming);
    EXPECT_EQ(game_->ShotHome, CellWord(3, 2));
    EXPECT_EQ(game_->Selected, 0);
    EXPECT_EQ(game_->Cubes[shot_].State, csVanishing);
    EXPECT_EQ(sound_.Played(), std::vector<TSound>{TSound::SelectCube})
        << "no highlight loop for a shot cube";

    // While the shot cube is still going, no click counts.
    game_->MouseDown(kRight);
    EXPECT_EQ(game_->PointerStyle, kPointerAiming);
    PointAt(1, 1);
    TurnUnderPointer();
    game_->MouseDown(kLeft);
    EXPECT_EQ(game_->PointerStyle, kPointerAiming);
    EXPECT_EQ(game_->Cubes[1].State, csTurning);
}

TEST_F(AimingTest, RightClickPutsTheShotCubeBack) {
    game_->SetCubeState(shot_, csGone);
    game_->MouseDown(kRight);
    EXPECT_EQ(game_->PointerStyle, kPointerAiming) << "waits until the shot cube has left its cell";
    FinishVanishing();
    ClickAt(7, 7, kRight);
    EXPECT_EQ(game_->PointerStyle, kPointerGame);
    const int back = game_->CubeOn(CellWord(3, 2));
    ASSERT_NE(back, 0);
    EXPECT_EQ(game_->Cubes[back].Kind, ckShot);
    EXPECT_EQ(game_->Cubes[back].State, csResting);
    EXPECT_EQ(game_->CheckBoardInvariants(), "");
}

TEST_F(AimingTest, LeftClickShootsTheColourTurningUnderThePointer) {
    FinishVanishing();
    // Joker, bomb and an empty cell: nothing, still aiming.
    for (const auto& [x, y] : {std::pair{1, 4}, std::pair{5, 3}, std::pair{8, 8}}) {
        ClickAt(x, y);
        TurnUnderPointer();
        game_->MouseDown(kLeft);
        EXPECT_EQ(game_->PointerStyle, kPointerAiming) << x << "," << y;
    }
    EXPECT_EQ(game_->StateCount[csVanishing + 1], 0);

    // A colour cube still finishing its turn after the pointer left it is not shot.
    PointAt(5, 4);
    TurnUnderPointer();
    PointAt(7, 7);
    game_->MouseDown(kLeft);
    EXPECT_EQ(game_->PointerStyle, kPointerAiming);

    PointAt(1, 1);
    TurnUnderPointer();
    sound_.Clear();
    game_->MouseDown(kLeft);
    EXPECT_EQ(game_->PointerStyle, kPointerGame);
    EXPECT_EQ(game_->Cubes[game_->CubeOn(CellWord(1, 1))].State, csVanishing);
    EXPECT_EQ(game_->Cubes[game_->CubeOn(CellWord(3, 1))].State, csVanishing);
    EXPECT_EQ(game_->Cubes[game_->CubeOn(CellWord(5, 4))].State, csTurning);
    EXPECT_EQ(game_->PendingScore, 2 * 15);
    EXPECT_EQ(sound_.Played(), std::vector<TSound>{TSound::Shot});
}

TEST_F(InputTest, DropSelectionReturnsTheFormerSelection) {
    Board(kBoard);
    ClickAt(5, 3);
    MoveTo(6, 3);
    const int i = game_->Selected;
    const size_t stops = HighlightStops();
    EXPECT_EQ(game_->DropSelection(), i);
    EXPECT_EQ(game_->Selected, 0);
    EXPECT_EQ(game_->DotCount, 0);
    EXPECT_GT(HighlightStops(), stops) << "pausing drops the selection and silences it";
    EXPECT_EQ(game_->Cubes[i].State, csResting);
    EXPECT_EQ(game_->DropSelection(), 0);
    EXPECT_EQ(game_->CheckBoardInvariants(), "");
}

// Keyboard play: screen left is world +x, screen up world +y.
void Keys(TGame& game, std::initializer_list<uint16_t> keys) {
    for (const uint16_t key : keys) game.KeyDown(key);
}

TEST_F(InputTest, KeysSelectAndMoveACubeToTheSameBoardAsTheMouse) {
    Board(kBoard);
    ClickAt(5, 3);
    ClickAt(7, 4);
    RunMove(*game_);
    const std::unique_ptr<TGame> byMouse = std::move(game_);

    Board(kBoard);
    EXPECT_EQ(game_->KeyCursor, CellWord(5, 5));
    Keys(*game_, {VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_EQ(game_->Selected, game_->CubeOn(CellWord(5, 3)));
    EXPECT_EQ(sound_.Played(), (std::vector<TSound>{TSound::SelectCube, TSound::Selected}));
    Keys(*game_, {VK_LEFT, VK_LEFT, VK_UP});
    EXPECT_EQ(game_->HoverCell, CellWord(7, 4));
    EXPECT_EQ(game_->DotCount, 3) << "the path as the mouse shows it";
    EXPECT_EQ(game_->Dots[0].Kind, 2);
    Keys(*game_, {VK_SPACE});
    RunMove(*game_);

    ASSERT_EQ(game_->CubeCount, byMouse->CubeCount);
    for (int i = 1; i <= game_->CubeCount; ++i) {
        EXPECT_EQ(game_->Cubes[i].Cell(), byMouse->Cubes[i].Cell()) << i;
        EXPECT_EQ(game_->Cubes[i].State, byMouse->Cubes[i].State) << i;
    }
    EXPECT_EQ(game_->CubeOn(CellWord(7, 4)), byMouse->CubeOn(CellWord(7, 4)));
    EXPECT_EQ(game_->CheckBoardInvariants(), "");
}

TEST_F(InputTest, TheKeyCursorStaysOnTheBoardFollowsTheMouseAndRestsOutsidePlay) {
    Board(kBoard);
    for (int i = 0; i < 12; ++i) Keys(*game_, {VK_RIGHT, VK_DOWN});
    EXPECT_EQ(game_->KeyCursor, CellWord(1, 1));
    EXPECT_TRUE(game_->PointerOnBoard());
    EXPECT_EQ(game_->PointerCell(), CellWord(1, 1)) << "the pointer stands on the cursor";

    // The mouse takes the hover over; keys go on from its cell. Off the board it leaves the cursor.
    MoveTo(6, 8);
    Keys(*game_, {VK_LEFT});
    EXPECT_EQ(game_->KeyCursor, CellWord(7, 8));
    PointAtWorld(6, 0);
    game_->MouseMove();
    Keys(*game_, {VK_UP});
    EXPECT_EQ(game_->KeyCursor, CellWord(7, 9));

    // Keys that play nothing, and every key outside play, leave the pointer alone.
    EXPECT_FALSE(game_->KeyDown(VK_A));
    for (const TPhase phase : {phLevelCompleted, phGameOver, phMenu}) {
        game_->Phase = phase;
        for (const uint16_t key : {VK_LEFT, VK_RETURN, VK_SPACE, VK_BACK}) EXPECT_FALSE(game_->KeyDown(key));
    }
    EXPECT_EQ(game_->KeyCursor, CellWord(7, 9));
    EXPECT_EQ(game_->Selected, 0);

    game_->ClearBoard();
    EXPECT_EQ(game_->KeyCursor, CellWord(5, 5)) << "a new board starts at the centre";
}

TEST_F(AimingTest, KeysArmShootAndPutBackAShotCube) {
    Board(kShotBoard); // afresh: nothing armed by the mouse, the cursor on the centre cell
    // The shot cube at (3, 2) lies three cells down and two right of the centre.
    Keys(*game_, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RETURN});
    ASSERT_EQ(game_->PointerStyle, kPointerAiming);
    FinishVanishing();
    Keys(*game_, {VK_BACK});
    EXPECT_EQ(game_->PointerStyle, kPointerGame);
    ASSERT_EQ(game_->Cubes[game_->CubeOn(CellWord(3, 2))].Kind, ckShot);

    Keys(*game_, {VK_RETURN});
    FinishVanishing();
    Keys(*game_, {VK_RIGHT, VK_RIGHT, VK_DOWN});
    TurnUnderPointer();
    Keys(*game_, {VK_RETURN});
    EXPECT_EQ(game_->PointerStyle, kPointerGame);
    EXPECT_EQ(game_->Cubes[game_->CubeOn(CellWord(1, 1))].State, csVanishing);
    EXPECT_EQ(game_->Cubes[game_->CubeOn(CellWord(3, 1))].State, csVanishing);
}

} // namespace
} // namespace veltrane
