// The game object: the board and its cubes, path markers, the level table and bonus figures,
// scores, level, mode and play phase. Rules, turns, saved games, input, the per-frame update
// and drawing are operations of this object, each group in its own source file; the files sit
// in src/game by concern:
//
//   rules/  the board and its cubes (Game, Board, Cubes), selection and paths (Selection,
//           Paths), moves and special cubes (Moves, PowerCubes), squares and bonus figures
//           (Squares, Figures), game over (GameOver), the board's invariants (Invariants)
//   flow/   resources and game start, levels and turns (Resources, Turns), the per-frame
//           update (Update, UpdateCubes), level-end and game-over sequences (Sequences, FlyAway)
//   input/  the mouse handlers (Input), keyboard play (Keys)
//   files/  the level and figure files (LevelFile, FigureFile), saved games (SaveGame)
//   draw/   the board's drawing (DrawGame), the whole play screen (DrawScene), the scene: room,
//           gauge, lamps and pictures (Scenery)
//
// Each group of members below names the file that holds it.
#pragma once

#include "game/Flow.h"
#include "game/GameRecords.h"
#include "game/RangeArray.h"
#include "game/Scenery.h"
#include "render/Camera.h"
#include "render/Font.h"
#include "render/Particles.h"
#include "render/PointerPosition.h"

#include <cstdint>
#include <functional>
#include <string>

namespace veltrane::gfx {
class IDevice;
class IVertexBuffer;
} // namespace veltrane::gfx

namespace veltrane {

class TTextReader;
class ILoadingSteps;

constexpr int MaxCubes = 81;
constexpr int MaxLevels = 100;
constexpr int MaxFigures = 30;

constexpr const char* LevelsFileName = "data/Levels.dat";
constexpr const char* FiguresFileName = "data/BonusFigures.dat";
// The saved game of game mode 1 or 2.
inline const char* SaveFileName(int gameMode) {
    return gameMode == 2 ? "data/Save2.dat" : "data/Save1.dat";
}
// A real as saved games write it: 23 characters, a sign place (blank or "-"), 15 significant
// digits and a four-digit exponent, e.g. " 4.50000000000000E+0002" (files/SaveGame.cpp).
std::string SavedRealText(double value);

// Play phases.
enum TPhase : uint8_t {
    phPlay = 0,
    phLevelCompleted = 1,
    phGameOver = 2,
    phMenu = 3, // play halted under a menu page
};

class TGame final {
public:
    // ---- Fields, in the game's order ------------------------------------------------------------
    gfx::IDevice* Device = nullptr;
    int32_t Level = 0;      // current level 1..100
    int32_t LevelCount = 0; // level records read from the levels file
    TRangeArray<TLevel, 1, MaxLevels> Levels;
    double TimeClock = 0; // milliseconds of play in the current level
    uint8_t GameMode = 1; // 1, or 2 for the timed game; the menu sets it before a game starts
    double TotalScore = 0;
    double PendingScore = 0; // earned, not yet counted into TotalScore
    int32_t Combo = 0;
    int32_t CubeCount = 0;
    int32_t Selected = 0; // index of the selected cube, 0 = none
    TRangeArray<TCube, 1, MaxCubes> Cubes;
    TRangeArray<int32_t, 1, 9> StateCount; // cubes per state; index state + 1, index 9 for 8 and above
    TRangeArray<int32_t, 1, 9> PrevStateCount;
    int8_t FreeCount = 0;
    TRangeArray<TCellWord, 1, MaxCubes> FreeCells; // cells without a cube, in no particular order
    int32_t DotCount = 0;
    TRangeArray<TDot, 0, 80> Dots;                          // path markers; entry 0 is the target
    TRangeArray<TRangeArray<TBoardCell, 1, 9>, 1, 9> Board; // [X][Y]
    TCellWord HoverCell = 0;
    TCellWord ShotHome = 0;
    int32_t FigureCount = 0; // bonus figures read from the figures file
    int32_t Figure = 0;      // current bonus figure
    TRangeArray<TBonusFigure, 1, MaxFigures> Figures;
    int32_t SpecialsDue = 0;
    bool MoveBarren = false;
    TPhase Phase = phPlay;
    double PhaseClock = 0;
    bool BoardIdle = false;
    bool Loaded = false;
    // The score line's fill: the level's progress towards its goal in play, moved by the
    // level-completed sequence, which starts from GaugeStart.
    float Gauge = 0;
    float GaugeStart = 0;
    // The scene's camera, which the level-end and game-over sequences move.
    TCamera Camera;
    // The pointer style drawn (menu, game or aiming; the game and the menu choose it) and the
    // world position on the board plane where the main window last put the pointer.
    uint8_t PointerStyle = kPointerMenu;
    TVector PointerAt = kPointerStart;
    // The board cell of keyboard play: the centre cell on every new board; it follows the mouse
    // over the board, so keys go on from where the mouse left the hover.
    TCellWord KeyCursor = CellWord(5, 5);
    // The room, background, score line, lamps and pictures the game draws with (draw/Scenery.cpp),
    // made by LoadResources.
    TScene Scene;
    // The sparks, bursts and new-level banner in flight, and their pictures: spawned by burning
    // fuses, vanishing cubes and a new level, advanced by Update, drawn by DrawPlayScene;
    // LoadResources empties the lists and loads the pictures.
    TParticles Particles;
    // The labels the bonus-level completion shows late (flow/Sequences.cpp).
    TDelayedLabels DelayedLabels;
    // Restarts the music when the level counter wraps into the other mode. The main window sets
    // its own (with its trace line); unset, the game music of the new mode starts.
    std::function<void()> RestoreMusicHandler;

    // ---- Creation -------------------------------------------------------------------------------
    explicit TGame(gfx::IDevice* device);
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    // ---- Access helpers -------------------------------------------------------------------------
    TBoardCell& BoardAt(TCellWord cell) { return Board[CellX(cell)][CellY(cell)]; }
    const TBoardCell& BoardAt(TCellWord cell) const { return Board[CellX(cell)][CellY(cell)]; }
    TLevel& CurrentLevel() { return Levels[Level]; }
    const TLevel& CurrentLevel() const { return Levels[Level]; }

    // ---- Cube states (rules/Game.cpp) -----------------------------------------------------------
    // The StateCount slot of a state: state + 1, and 9 for 8 and anything larger.
    static int StateSlot(uint8_t state) { return state >= 8 ? 9 : state + 1; }
    // The one way to change the state of cube i (1..CubeCount): moves one count in StateCount
    // from its old state to the new one.
    void SetCubeState(int i, TCubeState state);
    // Gives a cube that has just joined the list (i = CubeCount) its first state and counts it.
    void InitCubeState(int i, TCubeState state);

    // ---- Board (rules/Board.cpp) ----------------------------------------------------------------
    // Empties the board: no cubes, no markers, every cell free (FreeCells column by column),
    // state counts 0, no selection, the keyboard cursor on the centre cell.
    void ClearBoard();
    // Draws a random free cell and takes it off the free list; 0 (nothing changed) when the
    // board test of CheckGameOver ends the game.
    TCellWord TakeFreeCell();
    // Removes entry k (1..FreeCount) of FreeCells, keeping the order of the rest.
    void DropFreeCell(int k);
    // Deletes cube i (1..CubeCount) from the list, frees its cell and uncounts its state; later
    // cubes move down one place.
    void RemoveCube(int i);

    // ---- Game over (rules/GameOver.cpp) ---------------------------------------------------------
    // True when the game is over (or already was). boardTest: the board is full; otherwise the
    // timed mode's bank is empty outside bonus levels. Moves Phase from play to game over.
    bool CheckGameOver(bool boardTest);

    // ---- Game start, levels and turns (flow/Resources.cpp, flow/Turns.cpp) ----------------------
    // Once per game object: the game-over, help and marker pictures, the materials and scenery,
    // the level and figure files and the particle lists, with a trace line per step and the
    // loading bar's steps 15 to 29 through steps (may be null). Sets Loaded.
    void LoadResources(ILoadingSteps* steps = nullptr);
    // A new game from level 1 (Combo, MoveBarren and SpecialsDue go on as they were).
    void StartGame();
    // The next level (after 100: level 1 in the other mode, with that mode's music).
    void StartLevel();
    // The announced cubes grow in, the next ones are announced, the board is idle again.
    void NextTurn();
    // The announced cubes start growing on their cells.
    void RevealAnnounced();
    // An announced cube on a random free cell: a colour (maybe a joker, maybe a block); a block on
    // a bonus level. Nothing on a full board.
    void AddRandomCube();

    // ---- Per-frame update (flow/Update.cpp, flow/UpdateCubes.cpp) -------------------------------
    // Advances the running game by dt milliseconds: cube animations, turns, squares, the gauge,
    // the time bank, the level end, particles and labels, and the sequences of phases 1 to 3.
    void Update(float dt);
    // Moves points from PendingScore into the gauge and the score: all of them, or 0.2 a ms.
    void CountScore(bool all, float dt);
    // In play, Gauge and GaugeStart follow the level's progress; the sequences move Gauge
    // themselves. The frame renderer calls it before it draws the play scene.
    void FollowGauge();
    // The gauge's share of a goal, kept inside float's range: a hand-edited save may hold any
    // progress, and a double beyond float's range has no float value.
    static float GaugeShare(double progress, double goal);

    // ---- Level end and game over sequences (flow/Sequences.cpp, flow/FlyAway.cpp) ---------------
    // Gives every cube its fly-away velocity, acceleration and spin for pattern 0..5.
    void StartFlyAway(int pattern);
    // One frame of fly-away motion with the bounce on the floor (independent of dt).
    void StepFlyAway();
    // Puts Camera's eye where the sequence's flight is at phase time t.
    void SwingCamera(double t);
    // Cubes of the kind in the list.
    int CountKind(uint8_t kind) const;
    // True when some bomb has a free cell beside it, so the player still has a move on a bonus
    // level.
    bool BombCanMove() const;
    // Counts all pending points and enters the level-completed sequence.
    void BeginLevelCompleted();
    // True in the frame a level-completed sequence began, until its first sequence step ran.
    bool SequenceStarting = false;

    // ---- Rules of play: selection and paths (rules/Selection.cpp, rules/Paths.cpp) --------------
    // Selects cube i (1..CubeCount) with the "SelectCube" sound, or with 0 drops the selection;
    // the cube selected before rests again.
    void SelectCube(int i);
    // Rebuilds Board from the cubes and spreads the distance waves (at most 30) from the
    // selected cube through cells that no cube blocks. Nothing while no cube is selected.
    void FindPaths();
    // The markers of the path from the selected cube to HoverCell: a reachable target (kind 2)
    // with its steps back (kind 1), or an unreachable target (kind 3).
    void ShowPath();
    // Appends a marker of the kind on the cell; ignored when all 81 markers are in use.
    void AddDot(TCellWord cell, uint8_t kind);
    // The cube standing on the cell (announced ones included), 0 when none.
    int CubeOn(TCellWord cell) const;

    // ---- Rules of play: moves and special cubes (rules/Moves.cpp, PowerCubes.cpp, Cubes.cpp) -----
    // The selected cube sets off along the shown path: the move counts as barren until it scores,
    // the highlight loop stops, the cube's own cell becomes the last marker.
    void StartMove();
    // Advances moving cube i by dt milliseconds along the markers; on arrival the cube takes
    // its target cell (an announced cube there makes way) and bombs and colorize cubes act.
    void StepMove(int i, float dt);
    // Destroys every cube in the 3 x 3 cells around the cell, for points.
    void ExplodeBomb(TCellWord cell);
    // Repaints the colour cubes around the cell in colour 0..6 and lets the centre cube vanish.
    void Colorize(TCellWord cell, int colour);
    // Shoots every cube of the kind off the board (announced ones stay).
    void ShootKind(uint8_t kind);
    // One special cube the level allows (bomb, colorize or shot) on a random free cell.
    void AddSpecial();
    // A resting cube of the kind on a random free cell / on the given free cell (another free
    // cell when that one is taken). Return the new cube's index, 0 when nothing was added.
    int AddCube(uint8_t kind);
    int PlaceCube(uint8_t kind, TCellWord cell);

    // ---- Rules of play: squares and bonus figures (rules/Squares.cpp, rules/Figures.cpp) --------
    // Lets every 2 x 2 square vanish for points, tries the bonus figure and keeps the combo.
    // True when squares were found.
    bool FindSquares();
    // Finds the bonus figure rebuilt on the board; it vanishes for its value. True when found.
    bool MatchFigure();
    // Chooses the level's next bonus figure, its colour shift and value; announce: as a reward
    // (a special cube and a voice).
    void PickFigure(bool announce);

    // ---- Level and figure files (files/LevelFile.cpp, files/FigureFile.cpp) ---------------------
    // Read the whole table, complete it and only then replace Levels / Figures and their
    // counts; a bad file throws TFileError naming the file and line and changes nothing.
    void LoadLevels(const std::string& path = LevelsFileName);
    void LoadLevels(TTextReader& reader);
    void LoadFigures(const std::string& path = FiguresFileName);
    void LoadFigures(TTextReader& reader);

    // ---- Checks (rules/Invariants.cpp) ----------------------------------------------------------
    // The first broken board invariant as a sentence, or "" when all hold: cube and free counts
    // add up to 81, every cube stands on its own cell that is not in FreeCells, StateCount
    // matches the cubes, at most one cube is selected and it is Cubes[Selected].
    std::string CheckInvariants() const;
    // CheckInvariants, and the board as the rules keep it: each cube named on its cell with the
    // occupancy of its state, every free cell free, DotCount within the markers.
    std::string CheckBoardInvariants() const;

    // ---- Saved games (files/SaveGame.cpp) -------------------------------------------------------
    // Writes the game to the save file of GameMode through a temporary file renamed over the old
    // one. False, with a trace line (and the reason in error), when there is no level to save or
    // the file cannot be written; the file saved before is then kept as it was.
    bool SaveGame(std::string* error = nullptr);
    // Continues the saved game of mode 1 or 2. The whole file is read and checked first: a bad
    // one changes nothing (the game already running goes on), stays on disk and the trace says
    // why, and so does error. A missing file leaves an empty board at level 1 (error stays empty).
    // True when the saved game was loaded.
    bool LoadGame(int mode, std::string* error = nullptr);

    // ---- Input handlers (input/Input.cpp) -------------------------------------------------------
    // The pointer position is PointerAt's x and y.
    // On the board: -4.5 <= x, y < 4.5.
    bool PointerOnBoard() const;
    // The cell under the pointer (coordinates rounded halves to even, limited to 1..9), 0 when
    // the pointer is off the board.
    TCellWord PointerCell() const;
    // The pointer is over the cell of cube i.
    bool PointerOverCube(int i) const;
    // No selection and no markers; returns the former Selected.
    uint8_t DropSelection();
    // After the pointer moved: the path to the cell under it, or no markers off the board.
    void MouseMove();
    // Button 0 left, 1 right, 2 middle: select, move, arm a shot cube; while aiming shoot the
    // colour under the pointer (left) or put the shot cube back (right).
    void MouseDown(int button);

    // ---- Keyboard play (input/Keys.cpp) ---------------------------------------------------------
    // In play only: the arrow keys move KeyCursor one cell (it stays on the board) and put the
    // pointer on it; Enter or Space is a left click there, Backspace a right click. True when
    // the key moved the pointer, which the main window's pointer sprite then follows.
    bool KeyDown(uint16_t key);

    // ---- Drawing (draw/DrawGame.cpp; the whole screen is DrawPlayScene in DrawScene.h) ----------
    // The board part of the game screen on Device: DrawCubes, then DrawOverBoard. Nothing without
    // a device.
    void Draw(gfx::IVertexBuffer& vertexBuffer, const TFonts& fonts);
    // The cubes by kind, opaque (blending off); rewrites each cube's World. Drawn before anything
    // they may cover, so the depth test spares the covered pixels.
    void DrawCubes();
    // The blended rest of the board: path markers (hidden while aiming), the bonus figure preview
    // or the bonus-level picture, and the level, score and bonus numbers in fonts. Rewrites the
    // World of the markers and figure cubes; the text rewrites mesh range 1 of vertexBuffer.
    void DrawOverBoard(gfx::IVertexBuffer& vertexBuffer, const TFonts& fonts);

private:
    // ---- Rules of play: helpers -----------------------------------------------------------------
    TCellWord StepBack(TCellWord cell) const;
    void Arrive(int i);
    void Destroy(int i);
    void ScoreSpecial(TCellWord labelCell, int32_t points);
    // Appends a cube of kind on cell in state (resting or announced) with its board entry.
    int AppendCube(uint8_t kind, TCellWord cell, TCubeState state);
    bool TakeSquare(int x, int y);
    bool FigureFitsAt(int ox, int oy) const;

    // ---- Input: helpers -------------------------------------------------------------------------
    // The pointer on the centre of KeyCursor's cell, with the hover it shows there.
    void PointAtCursor();

    // ---- Flow and per-frame update: helpers -----------------------------------------------------
    void UpdateCube(int i, float dt);
    void StepCubeState(int i, float dt);
    void StartTwitch(int i);
    void StartHoverTurn(int i);
    void EmitFuseSparks(const TCube& cube);
    void EmitVanishBurst(const TCube& cube);
    void CheckLevelEnd();
    void CompleteBonusLevel();
    void RunPhase(float dt);
};

} // namespace veltrane
