// The audio mixer contract the sound module is written against: music streams and effect
// samples opened from files, played through 32-bit handles.
//
// What callers rely on:
// - a zero handle in a play, stop or attribute call does nothing, so a mixer that failed to
//   start (loads then return 0) can be driven like a working one;
// - a stream played with loop 1 repeats until stopped; with loop 0 it plays once, and when it
//   reaches its end the sync procedure registered for it is called, possibly from the mixer's
//   own thread. A stream that is stopped or replaced does not call it;
// - a sample loaded with flag 1 repeats until its channel is stopped; other samples play once;
// - every IMXSamplePlay starts a new, independent instance and returns its channel handle;
//   stopping an instance that has ended (or an old handle) does nothing.
#pragma once

#include <cstdint>
#include <string>

namespace veltrane {

using TMixHandle = uint32_t;

// Called when a stream played once reaches its end; user is the value given with it.
using TMixSyncProc = void (*)(void* user);

// The flag of IMXSampleLoad that makes a sample repeat until it is stopped.
constexpr int MixSampleLoop = 1;

class IMixer {
public:
    virtual ~IMixer() = default;

    // Opens the audio output; non-zero on success. window may be null.
    virtual int IMXInit(void* window, int frequency) = 0;
    // Starts mixing; non-zero on success.
    virtual int IMXStart() = 0;
    // A handle for the music file, or 0 when it cannot be opened.
    virtual TMixHandle IMXStreamOpenFile(const std::string& path) = 0;
    // A handle for the effect file, or 0 when it cannot be loaded.
    virtual TMixHandle IMXSampleLoad(const std::string& path, int flags) = 0;
    // loop 0 plays once, 1 repeats. Starting a stream ends the one that was playing.
    virtual void IMXStreamPlay(TMixHandle stream, int loop) = 0;
    // volume 0..250; returns the channel handle of this instance, 0 when nothing plays.
    virtual TMixHandle IMXSamplePlay(TMixHandle sample, int volume) = 0;
    // A stream or a channel handle.
    virtual void IMXChannelStop(TMixHandle handle) = 0;
    // Sample volume 0..250, stream volume 0..10.
    virtual void IMXChannelSetAttributes(TMixHandle handle, int volume) = 0;
    virtual void IMXChannelSetSync(TMixHandle stream, TMixSyncProc proc, void* user) = 0;
    // Silences everything.
    virtual void IMXStop() = 0;
    // Frees every stream and sample and closes the output; handles are invalid afterwards.
    virtual void IMXUninit() = 0;
};

// A mixer with no output: it never starts and loads nothing, so whoever drives it stays silent.
class TSilentMixer final : public IMixer {
public:
    int IMXInit(void*, int) override { return 0; }
    int IMXStart() override { return 0; }
    TMixHandle IMXStreamOpenFile(const std::string&) override { return 0; }
    TMixHandle IMXSampleLoad(const std::string&, int) override { return 0; }
    void IMXStreamPlay(TMixHandle, int) override {}
    TMixHandle IMXSamplePlay(TMixHandle, int) override { return 0; }
    void IMXChannelStop(TMixHandle) override {}
    void IMXChannelSetAttributes(TMixHandle, int) override {}
    void IMXChannelSetSync(TMixHandle, TMixSyncProc, void*) override {}
    void IMXStop() override {}
    void IMXUninit() override {}
};

} // namespace veltrane
