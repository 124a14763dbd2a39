#include "hosts/mixer/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

namespace veltrane {

namespace {

// Handles carry their kind in the top bits, so a stale or foreign handle is never mistaken
// for another kind, and none of them is 0 or negative as a signed 32-bit number.
constexpr TMixHandle KindMask = 0x70000000;
constexpr TMixHandle StreamKind = 0x10000000;
constexpr TMixHandle SampleKind = 0x20000000;
constexpr TMixHandle ChannelKind = 0x30000000;
constexpr TMixHandle IndexMask = 0x0FFFFFFF;

// The mixer that receives SDL2_mixer's end-of-music hook.
std::atomic<TSdlMixer*> HookOwner{nullptr};

// SDL2_mixer calls the hook synchronously from Mix_HaltMusic (and when a new track replaces
// the old one); those calls are stops, not ends, and come on the thread that asked for them.
thread_local bool QuietStop = false;

int ToSdlVolume(int volume, int full) {
    return std::clamp(volume, 0, full) * MIX_MAX_VOLUME / full;
}

class QuietScope {
public:
    QuietScope() { QuietStop = true; }
    ~QuietScope() { QuietStop = false; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;
};

} // namespace

TSdlMixer::~TSdlMixer() {
    IMXUninit();
}

int TSdlMixer::IMXInit(void* /*window*/, int frequency) {
    if (open_) return 1;
    if (HookOwner.load() != nullptr) return 0; // SDL2_mixer has one output per process
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(frequency, AUDIO_S16SYS, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_AllocateChannels(ChannelCount);
    open_ = true;
    HookOwner = this;
    Mix_HookMusicFinished(&TSdlMixer::OnMusicFinished);
    return 1;
}

int TSdlMixer::IMXStart() {
    if (!open_) return 0;
    Mix_Resume(-1);
    Mix_ResumeMusic();
    return 1;
}

TMixHandle TSdlMixer::IMXStreamOpenFile(const std::string& path) {
    if (!open_) return 0;
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) return 0;
    auto* stream = new TStream;
    stream->music = music;
    streams_.push_back(stream);
    return StreamKind | static_cast<TMixHandle>(streams_.size() - 1);
}

TMixHandle TSdlMixer::IMXSampleLoad(const std::string& path, int flags) {
    if (!open_) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk) return 0;
    samples_.push_back({chunk, (flags & MixSampleLoop) != 0, 250});
    return SampleKind | static_cast<TMixHandle>(samples_.size() - 1);
}

TSdlMixer::TStream* TSdlMixer::FindStream(TMixHandle handle) {
    if ((handle & KindMask) != StreamKind) return nullptr;
    const TMixHandle index = handle & IndexMask;
    return index < streams_.size() ? streams_[index] : nullptr;
}

TSdlMixer::TSample* TSdlMixer::FindSample(TMixHandle handle) {
    if ((handle & KindMask) != SampleKind) return nullptr;
    const TMixHandle index = handle & IndexMask;
    return index < samples_.size() ? &samples_[index] : nullptr;
}

void TSdlMixer::HaltMusicQuietly() {
    QuietScope quiet;
    Mix_HaltMusic();
    playingStream_ = nullptr;
}

void TSdlMixer::IMXStreamPlay(TMixHandle handle, int loop) {
    TStream* stream = FindStream(handle);
    if (!stream) return;
    // Halting first waits for any end hook of the old track (it runs under the audio lock),
    // so from here on an end can only be this stream's.
    HaltMusicQuietly();
    QuietScope quiet;
    playingStream_ = stream;
    Mix_VolumeMusic(ToSdlVolume(stream->volume, 10));
    if (Mix_PlayMusic(stream->music, loop ? -1 : 0) != 0) playingStream_ = nullptr;
}

TMixHandle TSdlMixer::IMXSamplePlay(TMixHandle handle, int volume) {
    TSample* sample = FindSample(handle);
    if (!sample) return 0;
    // A free channel, else the one playing longest. Only the audio thread frees channels, so
    // one found free stays free until it is used here.
    int channel = -1;
    for (int i = 0; i < ChannelCount && channel < 0; ++i)
        if (!Mix_Playing(i)) channel = i;
    if (channel < 0) channel = Mix_GroupOldest(-1);
    if (channel < 0) return 0;
    Mix_Volume(channel, ToSdlVolume(volume, 250));
    if (Mix_PlayChannel(channel, sample->chunk, sample->loop ? -1 : 0) < 0) return 0;
    playSerial_ = (playSerial_ + 1) & 0xFFFFF;
    const TMixHandle result = ChannelKind | (playSerial_ << 8) | static_cast<TMixHandle>(channel);
    channelHandles_[channel] = result;
    return result;
}

void TSdlMixer::IMXChannelStop(TMixHandle handle) {
    if (!open_) return;
    if (TStream* stream = FindStream(handle)) {
        if (playingStream_ == stream) HaltMusicQuietly();
        return;
    }
    if ((handle & KindMask) != ChannelKind) return;
    const int channel = static_cast<int>(handle & 0xFF);
    // Only the instance this handle started; the channel may have moved on to another sound.
    if (channel < ChannelCount && channelHandles_[channel] == handle) {
        Mix_HaltChannel(channel);
        channelHandles_[channel] = 0;
    }
}

void TSdlMixer::IMXChannelSetAttributes(TMixHandle handle, int volume) {
    if (TStream* stream = FindStream(handle)) {
        stream->volume = volume;
        if (playingStream_ == stream) Mix_VolumeMusic(ToSdlVolume(volume, 10));
    } else if (TSample* sample = FindSample(handle)) {
        // Instances already playing (the looping highlight) follow the new volume.
        sample->volume = volume;
        for (int i = 0; i < ChannelCount; ++i)
            if (channelHandles_[i] != 0 && Mix_Playing(i) && Mix_GetChunk(i) == sample->chunk)
                Mix_Volume(i, ToSdlVolume(volume, 250));
    }
}

void TSdlMixer::IMXChannelSetSync(TMixHandle handle, TMixSyncProc proc, void* user) {
    if (TStream* stream = FindStream(handle)) {
        stream->user = user;
        stream->proc = proc;
    }
}

void TSdlMixer::OnMusicFinished() {
    if (QuietStop) return;
    TSdlMixer* self = HookOwner.load();
    if (!self) return;
    // Only the stream pointer is touched here: the stream list may grow on the main thread.
    if (TStream* stream = self->playingStream_.exchange(nullptr))
        if (TMixSyncProc proc = stream->proc.load()) proc(stream->user.load());
}

void TSdlMixer::IMXStop() {
    if (!open_) return;
    HaltMusicQuietly();
    Mix_HaltChannel(-1);
    std::fill(std::begin(channelHandles_), std::end(channelHandles_), 0);
}

void TSdlMixer::IMXUninit() {
    if (!open_) return;
    IMXStop();
    Mix_HookMusicFinished(nullptr);
    for (TStream* stream : streams_) {
        Mix_FreeMusic(stream->music);
        delete stream;
    }
    streams_.clear();
    for (TSample& sample : samples_) Mix_FreeChunk(sample.chunk);
    samples_.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
    HookOwner = nullptr;
}

} // namespace veltrane
