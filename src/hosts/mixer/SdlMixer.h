// The mixer contract over SDL2_mixer: streams are Mix_Music (one plays at a time), samples are
// Mix_Chunk played on a pool of channels. Only one instance may be initialised at a time,
// because SDL2_mixer's end-of-music hook is global.
#pragma once

#include "platform/mixer/Mixer.h"

#include <atomic>
#include <cstdint>
#include <vector>

struct _Mix_Music;
struct Mix_Chunk;

namespace veltrane {

class TSdlMixer final : public IMixer {
public:
    static constexpr int ChannelCount = 32;

    TSdlMixer() = default;
    ~TSdlMixer() override;
    TSdlMixer(const TSdlMixer&) = delete;
    TSdlMixer& operator=(const TSdlMixer&) = delete;

    int IMXInit(void* window, int frequency) override;
    int IMXStart() override;
    TMixHandle IMXStreamOpenFile(const std::string& path) override;
    TMixHandle IMXSampleLoad(const std::string& path, int flags) override;
    void IMXStreamPlay(TMixHandle stream, int loop) override;
    TMixHandle IMXSamplePlay(TMixHandle sample, int volume) override;
    void IMXChannelStop(TMixHandle handle) override;
    void IMXChannelSetAttributes(TMixHandle handle, int volume) override;
    void IMXChannelSetSync(TMixHandle stream, TMixSyncProc proc, void* user) override;
    void IMXStop() override;
    void IMXUninit() override;

private:
    struct TStream {
        _Mix_Music* music = nullptr;
        int volume = 10;
        // Read by the audio thread when the track ends.
        std::atomic<TMixSyncProc> proc{nullptr};
        std::atomic<void*> user{nullptr};
    };
    struct TSample {
        Mix_Chunk* chunk = nullptr;
        bool loop = false;
        int volume = 250;
    };

    TStream* FindStream(TMixHandle handle);
    TSample* FindSample(TMixHandle handle);
    void HaltMusicQuietly();
    static void OnMusicFinished();

    bool open_ = false;
    // Streams are kept by pointer: the audio thread may look at one while another is opened.
    std::vector<TStream*> streams_;
    std::vector<TSample> samples_;
    TMixHandle channelHandles_[ChannelCount] = {};
    uint32_t playSerial_ = 0;
    // The stream whose end the hook reports, null when none.
    std::atomic<TStream*> playingStream_{nullptr};
};

} // namespace veltrane
