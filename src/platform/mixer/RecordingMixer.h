// A mixer that plays nothing: it keeps every call as a line of text ("IMXSamplePlay(201,160)")
// and the state a real mixer would have, so tests can check what the game asked for and make a
// stream reach its end on demand.
#pragma once

#include "platform/mixer/Mixer.h"

#include <map>
#include <string>
#include <vector>

namespace veltrane {

class TRecordingMixer final : public IMixer {
public:
    // Handles: streams 101, 102, ...; samples 201, 202, ...; channels 1001, 1002, ...
    static constexpr TMixHandle FirstStream = 101;
    static constexpr TMixHandle FirstSample = 201;
    static constexpr TMixHandle FirstChannel = 1001;

    // What IMXInit and IMXStart answer; set to 0 to act as a machine without audio.
    int InitResult = 1;
    int StartResult = 1;
    // Loads answer 0 for these paths, as for a missing file.
    std::vector<std::string> MissingFiles;

    std::vector<std::string> Calls;

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

    // The stream playing now reaches its end: a stream played once stops and calls its sync
    // procedure; a looping one goes on. Returns whether it ended.
    bool FinishStream();

    TMixHandle PlayingStream() const { return playingStream_; }
    std::vector<TMixHandle> PlayingChannels() const;
    // The path and last volume of a loaded sample or stream ("" and -1 when unknown).
    std::string PathOf(TMixHandle handle) const;
    int VolumeOf(TMixHandle handle) const;
    TMixHandle SampleOf(TMixHandle channel) const;
    // Calls whose text starts with prefix, e.g. "IMXSamplePlay(".
    std::vector<std::string> CallsTo(const std::string& prefix) const;

private:
    struct TLoaded {
        std::string path;
        int flags = 0;
        int volume = -1;
        TMixSyncProc proc = nullptr;
        void* user = nullptr;
    };
    struct TChannel {
        TMixHandle sample = 0;
        bool looping = false;
    };

    bool running_ = false;
    std::vector<TLoaded> streams_;
    std::vector<TLoaded> samples_;
    std::map<TMixHandle, TChannel> channels_; // the instances still playing
    TMixHandle nextChannel_ = FirstChannel;
    TMixHandle playingStream_ = 0;
    int playingLoop_ = 0;

    TLoaded* Find(TMixHandle handle);
    const TLoaded* Find(TMixHandle handle) const;
    void Record(const std::string& call) { Calls.push_back(call); }
};

} // namespace veltrane
