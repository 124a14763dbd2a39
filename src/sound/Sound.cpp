#include "sound/Sound.h"

#include "platform/Paths.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <system_error>

namespace veltrane {

const std::array<const char*, SoundCount> SoundNames = {
    "NewLevel",   "BonusLevel",  "NewTurn",    "FlyingBy", "BonusLevelDone", "SelectCube", "MoveCube",
    "MoveBomb",   "Moved",       "FigureDone", "vDouble",  "vTriple",        "vQuadro",    "vExcellent",
    "vQuillomar", "ExplodeBomb", "Colorize",   "Shot",     "ShowBonus",      "GameOver",   "MenuMove",
    "MenuEnter",  "MenuEsc",     "MenuKey",    "Selected", "TimeUp",         "Message"};

const std::array<const char*, MusicTrackCount> MusicNames = {"menu1.ogg", "menu2.ogg", "theme1.ogg",
                                                             "theme2.ogg"};

namespace {

IMixer* Mixer = nullptr;
uint8_t EffectsVol = 0;
uint8_t MusicVol = 0;
std::string ProgramDir;
bool ProgramDirSet = false;

std::array<TMixHandle, MusicTrackCount> Streams{};
std::array<TMixHandle, SoundCount> Samples{};
int CurrentTrack = 0;
// Cleared by the mixer's thread when a track played once ends.
std::atomic<uint8_t> MusicPlaying{0};
int MenuToggle = 2;
// The channel of the playing "Selected", -1 when none.
int64_t HighlightChannel = -1;
std::string Extension;

// Without a mixer from the program every call fails softly and the game stays silent.
IMixer& TheMixer() {
    static TSilentMixer silent;
    return Mixer ? *Mixer : silent;
}

void OnMusicEnd(void*) {
    MusicPlaying.store(0);
}

// The running program's folder with a trailing separator.
std::string DefaultProgramDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return exe.parent_path().string() + "/";
}

const std::string& SoundsFolder() {
    if (!ProgramDirSet) {
        ProgramDir = DefaultProgramDir();
        ProgramDirSet = true;
    }
    return ProgramDir;
}

} // namespace

void SetSoundMixer(IMixer* mixer) {
    Mixer = mixer;
}

void SetSoundProgramDir(const std::string& dir) {
    ProgramDir = dir;
    if (!ProgramDir.empty() && ProgramDir.back() != '/' && ProgramDir.back() != '\\') ProgramDir += '/';
    ProgramDirSet = true;
}

bool InitSound(void* window) {
    // A fresh start: nothing of an earlier run is played.
    Streams.fill(0);
    Samples.fill(0);
    CurrentTrack = 0;
    MusicPlaying = 0;
    MenuToggle = 2;
    HighlightChannel = -1;

    IMixer& mixer = TheMixer();
    const bool running = mixer.IMXInit(window, 44100) != 0 && mixer.IMXStart() != 0;
    if (!running) {
        EffectsVol = 0;
        MusicVol = 0;
    }
    return running;
}

void LoadMusic() {
    for (int track = 0; track < MusicTrackCount; ++track)
        Streams[track] =
            TheMixer().IMXStreamOpenFile(ResolvePath(std::string("Music\\") + MusicNames[track]));
}

void LoadSounds() {
    const std::string dir = SoundsFolder() + "Sounds\\";
    std::error_code ec;
    Extension = std::filesystem::exists(ResolvePath(dir + "NewLevel.ogg"), ec) ? ".ogg" : ".wav";
    for (int number = 0; number < SoundCount; ++number) {
        const std::string name = SoundNames[number];
        const int flags = name == "Selected" ? MixSampleLoop : 0;
        Samples[number] = TheMixer().IMXSampleLoad(ResolvePath(dir + name + Extension), flags);
    }
    HighlightChannel = -1;
}

void SetSoundVolume(uint8_t volume) {
    EffectsVol = volume;
    for (TMixHandle sample : Samples) TheMixer().IMXChannelSetAttributes(sample, EffectsVol);
}

uint8_t SoundVolume() {
    return EffectsVol;
}

uint8_t MusicVolume() {
    return MusicVol;
}

void SetMusicVolume(uint8_t volume) {
    MusicVol = volume;
    // The mixer takes music volumes 0..10: the setting / 25, rounded (never a half).
    const int streamVolume = (MusicVol + 12) / 25;
    for (TMixHandle stream : Streams) TheMixer().IMXChannelSetAttributes(stream, streamVolume);
}

void PlayMusic(int track, int loop) {
    if (track < 0 || track >= MusicTrackCount) return;
    IMixer& mixer = TheMixer();
    mixer.IMXChannelStop(Streams[CurrentTrack]);
    mixer.IMXStreamPlay(Streams[track], loop);
    CurrentTrack = track;
    MusicPlaying = 1;
    mixer.IMXChannelSetSync(Streams[track], &OnMusicEnd, nullptr);
}

void StopMusic() {
    TheMixer().IMXChannelStop(Streams[CurrentTrack]);
}

bool MusicFinished() {
    return MusicPlaying.load() == 0;
}

void NextMenuMusic() {
    if (MusicPlaying.load() == 1) return;
    if (MenuToggle == 1) {
        PlayMusic(1, 0);
        MenuToggle = 2;
    } else {
        PlayMusic(0, 0);
        MenuToggle = 1;
    }
}

void PlaySound(TSound sound) {
    if (EffectsVol == 0) return;
    const auto number = static_cast<size_t>(sound);
    if (number >= Samples.size()) return;
    if (sound == TSound::Selected && HighlightChannel != -1) StopSound(TSound::Selected);
    const TMixHandle channel = TheMixer().IMXSamplePlay(Samples[number], EffectsVol);
    if (sound == TSound::Selected) HighlightChannel = channel;
}

void StopSound(TSound sound) {
    if (sound != TSound::Selected || HighlightChannel == -1) return;
    TheMixer().IMXChannelStop(static_cast<TMixHandle>(HighlightChannel));
    HighlightChannel = -1;
}

void DoneSound() {
    IMixer& mixer = TheMixer();
    mixer.IMXStop();
    mixer.IMXUninit();
    // The mixer's handles are gone with it.
    Streams.fill(0);
    Samples.fill(0);
    HighlightChannel = -1;
}

int MenuTrack() {
    return MenuToggle;
}

void SetMenuTrack(int track) {
    MenuToggle = track;
}

void StartMenuMusic() {
    StopMusic();
    PlayMusic(0, 0);
    MenuToggle = 1;
}

void StartGameMusic(int gameMode) {
    StopMusic();
    PlayMusic(1 + gameMode, 1);
}

void StartGameOverMusic() {
    PlayMusic(1, 0);
    MenuToggle = 2;
}

const std::string& SoundExtension() {
    return Extension;
}

} // namespace veltrane
