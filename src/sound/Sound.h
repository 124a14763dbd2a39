// Music and sound effects: four music tracks and 27 numbered effects played through the mixer
// contract. A module of plain procedures over module state; none of them fails to its caller.
// Everything runs on the main thread except the mixer's end-of-track call, which only clears
// the music-playing flag that the frame loop polls through MusicFinished.
#pragma once

#include "platform/mixer/Mixer.h"

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

// The effects, numbered and named as the sound table (SoundNames) lists them.
enum class TSound : uint8_t {
    NewLevel,
    BonusLevel,
    NewTurn,
    FlyingBy,
    BonusLevelDone,
    SelectCube,
    MoveCube,
    MoveBomb,
    Moved,
    FigureDone,
    vDouble,
    vTriple,
    vQuadro,
    vExcellent,
    vQuillomar,
    ExplodeBomb,
    Colorize,
    Shot,
    ShowBonus,
    GameOver,
    MenuMove,
    MenuEnter,
    MenuEsc,
    MenuKey,
    Selected,
    TimeUp,
    Message,
};
constexpr int SoundCount = 27;
static_assert(static_cast<int>(TSound::Message) + 1 == SoundCount);
constexpr int MusicTrackCount = 4;

// Effect names by number ("Sounds\" + name + ".ogg" or ".wav" beside the program).
extern const std::array<const char*, SoundCount> SoundNames;
// Music file names by track ("Music\" + name, relative to the current folder).
extern const std::array<const char*, MusicTrackCount> MusicNames;

// Wiring, before InitSound. The mixer is not owned (the main window's host owns the real one);
// without one, the game stays silent.
void SetSoundMixer(IMixer* mixer);
// The folder the effects are looked for in ("<dir>/Sounds/..."); by default the folder of the
// running program.
void SetSoundProgramDir(const std::string& dir);

// Starts the mixer; true when it runs. When it does not, both volumes become 0 so the game
// runs silent (the caller sets the settings' volumes to 0 as well).
bool InitSound(void* window);
void LoadMusic();
// Chooses ".ogg" or ".wav" for all effects by whether the "NewLevel" effect exists as ".ogg".
void LoadSounds();
// The effects' and the music's volumes, 0..250 (the settings' SoundVol and MusicVol; 0 until
// set, which keeps everything silent). The main window sets them once the sounds are loaded and
// the options page whenever a slider moves; each applies at once to everything loaded.
void SetSoundVolume(uint8_t volume);
void SetMusicVolume(uint8_t volume);
uint8_t SoundVolume();
uint8_t MusicVolume();

// track 0..3; loop 0 plays once (and then MusicFinished turns true), 1 repeats.
void PlayMusic(int track, int loop);
// Stops the current track; MusicFinished does not change.
void StopMusic();
bool MusicFinished();
// When the menu track has ended, starts the other one.
void NextMenuMusic();

// Nothing while SoundVol is 0. At most one "Selected" (the loop that repeats while a cube is
// selected) plays at a time.
void PlaySound(TSound sound);
// Stops the playing "Selected"; any other effect does nothing.
void StopSound(TSound sound);
void DoneSound();

// The menu-track toggle: 1 while menu1 plays, 2 while menu2 plays.
int MenuTrack();
void SetMenuTrack(int track);
// The music moments shared by the menu, the game and the main window:
// the main menu after loading or an abandoned game, or the return of the window in a menu;
void StartMenuMusic();
// a new game (or the window's return during one) in game mode 1 or 2;
void StartGameMusic(int gameMode);
// the high-score screen after a game over.
void StartGameOverMusic();

// The extension LoadSounds chose, ".ogg" or ".wav" (empty before).
const std::string& SoundExtension();

} // namespace veltrane
