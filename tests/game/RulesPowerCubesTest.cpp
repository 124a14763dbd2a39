// Bombs, colorize cubes, shots and the special cubes given as rewards.
#include "GameFixture.h"

#include "platform/Random.h"

#include <gtest/gtest.h>

#include <map>

namespace veltrane {
namespace {
using namespace testing;

// A bomb at (2, 2) next to a bomb, a block, a joker, a colour cube and an announced cube, with
// a colour cube just outside the blast.
TPicture BombBoard() {
    return {"BX.......", "2B3......", "J*.4.....", ".........", ".........",
            ".........", ".........", ".........", "........."};
}

TEST(ExplodeBomb, DestroysTheAreaButNotAnnouncedCubes) {
    TSoundRecorder sound;
    auto game = GameWithBoard(BombBoard());
    game->MoveBarren = true;
    game->ExplodeBomb(CellWord(2, 2));
    for (int i = 1; i <= game->CubeCount; ++i) {
        const TCube& cube = game->Cubes[i];
        if (cube.X <= 3 && cube.Y <= 3 && i != 7) {
            EXPECT_EQ(cube.State, csVanishing) << i;
        }
    }
    EXPECT_EQ(game->Cubes[8].State, csResting); // the colour cube at (4, 3)
    EXPECT_EQ(game->Cubes[7].State, csAnnounced);
    EXPECT_EQ(game->PendingScore, 6 * 15);
    EXPECT_EQ(LabelTexts(), (std::vector<std::string>{"90"}));
    EXPECT_EQ(ScoreLabel(1).Position, (TVector{-4, -3, 1}));
    EXPECT_EQ(sound.Played(), (std::vector<TSound>{TSound::ExplodeBomb}));
    EXPECT_FALSE(game->MoveBarren);
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(ExplodeBomb, BombsPayNothingOnBonusLevelsOfTheFirstModeOnly) {
    for (uint8_t mode : {1, 2}) {
        auto game = GameWithBoard(BombBoard());
        game->GameMode = mode;
        game->CurrentLevel().LevelType = ltBonus;
        game->ExplodeBomb(CellWord(2, 2));
        // Six cubes in the area, two of them bombs.
        EXPECT_EQ(game->PendingScore, mode == 1 ? 4 * 15 : 6 * 15) << int{mode};
    }
}

TEST(Colorize, RepaintsColourCubesAroundItAndVanishes) {
    TSoundRecorder sound;
    auto game = GameWithBoard({"3J2......", "1c.......", "XB4......", ".........", ".........", ".........",
                               ".........", ".........", "........."});
    game->Colorize(CellWord(2, 2), 2);
    auto kindAt = [&](int x, int y) { return game->Cubes[game->CubeOn(CellWord(x, y))].Kind; };
    EXPECT_EQ(kindAt(1, 1), 3); // already colour 3: still pays
    EXPECT_EQ(kindAt(2, 1), ckJoker);
    EXPECT_EQ(kindAt(3, 1), 3);
    EXPECT_EQ(kindAt(1, 2), 3);
    EXPECT_EQ(kindAt(3, 3), 3);
    EXPECT_EQ(kindAt(1, 3), ckBlock);
    EXPECT_EQ(kindAt(2, 3), ckBomb);
    EXPECT_EQ(game->PendingScore, 4 * 15);
    EXPECT_EQ(game->Cubes[game->CubeOn(CellWord(2, 2))].State, csVanishing);
    EXPECT_EQ(game->StateCount[TGame::StateSlot(csVanishing)], 1); // repainted cubes stay
    EXPECT_EQ(sound.Played(), (std::vector<TSound>{TSound::Colorize}));
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(Colorize, ArrivalOfAColorizeCubeRepaintsItsNeighbours) {
    auto game = GameWithBoard({"11.......", "2........", ".........", "a........", ".........", ".........",
                               ".........", ".........", "........."});
    ASSERT_TRUE(PlayMove(*game, CellWord(1, 4), CellWord(2, 2)));
    EXPECT_EQ(game->Cubes[3].Kind, 1);
    EXPECT_EQ(game->Cubes[4].State, csVanishing);
    EXPECT_EQ(game->PendingScore, 3 * 15); // no square: the colorize cube stood in the window
    RemoveVanished(*game);
    EXPECT_EQ(game->CubeCount, 3);
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

TEST(ShootKind, RemovesEveryCubeOfTheKindExceptAnnouncedOnes) {
    TSoundRecorder sound;
    auto game = GameWithBoard({"4.4.....4", "..*......", "J........", ".........", ".........", ".........",
                               ".........", ".........", "....4...."});
    game->Cubes[4].Kind = 4; // announced colour-4 cube
    game->HoverCell = CellWord(3, 1);
    game->ShootKind(4);
    EXPECT_EQ(game->StateCount[TGame::StateSlot(csVanishing)], 4);
    EXPECT_EQ(game->Cubes[4].State, csAnnounced);
    EXPECT_EQ(game->Cubes[5].State, csResting); // the joker
    EXPECT_EQ(game->PendingScore, 60);
    EXPECT_EQ(ScoreLabel(1).Position, (TVector{-3, -4, 1}));
    EXPECT_EQ(sound.Played(), (std::vector<TSound>{TSound::Shot}));
}

// Kinds AddSpecial gives over many draws with the level's allowed specials.
std::map<int, int> SpecialKinds(bool bomb, bool colorize, bool shot, int colours = 7) {
    std::map<int, int> kinds;
    auto game = GameWithBoard(EmptyPicture());
    TLevel& level = game->CurrentLevel();
    level.AllowBomb = bomb;
    level.AllowColorize = colorize;
    level.AllowShot = shot;
    level.Colours[1] = static_cast<uint8_t>(colours);
    RandSeed = 2024;
    for (int n = 0; n < 2000; ++n) {
        game->ClearBoard();
        game->AddSpecial();
        if (game->CubeCount == 1) kinds[game->Cubes[1].Kind] += 1;
        EXPECT_EQ(game->CheckBoardInvariants(), "");
    }
    return kinds;
}

TEST(AddSpecial, PairsAreAnEvenDrawAndTheLevelDecides) {
    auto bombOrShot = SpecialKinds(true, false, true);
    ASSERT_EQ(bombOrShot.size(), 2u);
    EXPECT_NEAR(bombOrShot[ckBomb], 1000, 100);
    EXPECT_NEAR(bombOrShot[ckShot], 1000, 100);

    auto colorizeOnly = SpecialKinds(false, true, false, 3);
    EXPECT_EQ(colorizeOnly.size(), 3u); // kinds 11, 12, 13
    EXPECT_EQ(colorizeOnly.begin()->first, ckColorize);
    EXPECT_EQ(colorizeOnly.rbegin()->first, ckColorize + 2);

    auto all = SpecialKinds(true, true, true, 1);
    EXPECT_NEAR(all[ckBomb], 667, 100);
    EXPECT_NEAR(all[ckColorize], 667, 100);
    EXPECT_NEAR(all[ckShot], 667, 100);

    // Colours beyond seven fall back to the first colorize kind.
    auto many = SpecialKinds(false, true, false, 9);
    EXPECT_GT(many[ckColorize], many[ckColorize + 1]);
    EXPECT_EQ(many.rbegin()->first, ckColorizeLast);

    EXPECT_TRUE(SpecialKinds(false, false, false).empty());
}

TEST(AddCube, RestsOnAFreeCellAndNeverOnATakenOne) {
    auto game = GameWithBoard({"1........", ".........", ".........", ".........", ".........", ".........",
                               ".........", ".........", "........."});
    const int i = game->PlaceCube(ckShot, CellWord(5, 5));
    EXPECT_EQ(game->Cubes[i].Cell(), CellWord(5, 5));
    EXPECT_EQ(game->Cubes[i].State, csResting);
    EXPECT_EQ(game->Cubes[i].Position, (TVector{0, 0, 0.4f}));
    // The shot cube's home was taken meanwhile: another free cell serves.
    const int j = game->PlaceCube(ckShot, CellWord(1, 1));
    ASSERT_NE(j, 0);
    EXPECT_NE(game->Cubes[j].Cell(), CellWord(1, 1));
    EXPECT_EQ(game->CheckBoardInvariants(), "");

    while (game->FreeCount > 0) ASSERT_NE(game->AddCube(3), 0);
    EXPECT_EQ(game->AddCube(3), 0);
    EXPECT_EQ(game->PlaceCube(3, CellWord(1, 1)), 0);
    EXPECT_EQ(game->CubeCount, 81);
    EXPECT_EQ(game->CheckBoardInvariants(), "");
}

} // namespace
} // namespace veltrane
