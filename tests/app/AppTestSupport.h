// The main window's logic without a display: a window host that hands out recording devices and
// keeps what was asked of it, message boxes and the trace caught in memory, the settings in a
// temporary file, and the sound on a recording mixer.
#pragma once

#include "TempDir.h"
#include "app/FormMain.h"
#include "app/WindowHost.h"
#include "overlays/FakeCursorHost.h"
#include "platform/DebugLog.h"
#include "platform/MessageBox.h"
#include "platform/gfx/RecordingDevice.h"
#include "platform/mixer/RecordingMixer.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace veltrane::apptest {

class TFakeWindowHost final : public IWindowHost {
public:
    int32_t ScreenWidth() const override { return 1024; }
    int32_t ScreenHeight() const override { return 768; }
    std::unique_ptr<gfx::IDevice> CreateDevice(const TDeviceRequest& request, std::string& error) override {
        Requests.push_back(request);
        if (FailCreates > 0) {
            --FailCreates;
            error = "no device";
            return nullptr;
        }
        auto device = std::make_unique<gfx::TRecordingDevice>();
        Device = device.get();
        return device;
    }
    bool Minimized() const override { return IsMinimized; }
    void Minimize() override { Calls.push_back("Minimize"); }
    void ShowNormal() override { Calls.push_back("ShowNormal"); }
    void Maximize() override { Calls.push_back("Maximize"); }
    void ShowSystemCursor(bool show) override { CursorShown = show; }
    ICursorHost& CursorHost() override { return Cursor; }
    void* MessageOwner() override { return this; }
    IMixer& Mixer() override { return AudioOut ? *AudioOut : silent_; }
    void ProcessMessages() override {
        if (OnProcessMessages) OnProcessMessages();
    }
    void RequestClose() override { Calls.push_back("RequestClose"); }
    void Terminate() override { Calls.push_back("Terminate"); }

    int FailCreates = 0;
    bool IsMinimized = false;
    bool CursorShown = true;
    std::vector<TDeviceRequest> Requests;
    std::vector<std::string> Calls;
    gfx::TRecordingDevice* Device = nullptr; // the last device made
    TFakeCursorHost Cursor;
    std::function<void()> OnProcessMessages;
    IMixer* AudioOut = nullptr; // silent when none

private:
    TSilentMixer silent_;
};

struct TMessageBoxRecord {
    bool Owned = false;
    std::string Caption, Text;
    TMessageIcon Icon = TMessageIcon::Information;
};

// Trace, boxes, settings and mixer of one test; restores the real ones afterwards.
class TAppEnvironment {
public:
    TAppEnvironment() {
        SetDebugLogFile((dir.path() / "debug.txt").string());
        SetDebugLogClock([] { return 1234u; });
        SetMessageBoxHandler(
            [this](void* owner, const std::string& caption, const std::string& text, TMessageIcon icon) {
                Boxes.push_back({owner != nullptr, caption, text, icon});
            });
        Options.Fullscreen = false;
        Options.Desktop = false;
        Options.Resolution = 3; // 800 x 600
        Options.Color = 0;      // 16 bits
        SetSoundMixer(&Mixer);
        InitSound(nullptr);
        LoadMusic();
        SetSoundVolume(Options.SoundVol);
        SetMusicVolume(Options.MusicVol);
    }
    ~TAppEnvironment() {
        SetSoundMixer(nullptr);
        SetSoundVolume(0);
        SetMusicVolume(0);
        SetMessageBoxHandler(nullptr);
        SetDebugLogClock(nullptr);
        SetDebugLogFile("");
    }
    TAppEnvironment(const TAppEnvironment&) = delete;
    TAppEnvironment& operator=(const TAppEnvironment&) = delete;

    // The trace's messages (the tick count "1234" taken off), in order.
    std::vector<std::string> Trace() const {
        std::ifstream in(dir.path() / "debug.txt", std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line.substr(line.rfind("1234", 0) == 0 ? 4 : 0));
        }
        return lines;
    }
    // The path of the track playing now, "" when none.
    std::string PlayingMusic() const {
        return Mixer.PlayingStream() ? Mixer.PathOf(Mixer.PlayingStream()) : "";
    }

    TempDir dir;
    TOptions Options{(dir.path() / "settings.ini").string()}; // lent to the main window
    TRecordingMixer Mixer;
    std::vector<TMessageBoxRecord> Boxes;
};

// The messages of trace from the first one equal to from, count of them.
inline std::vector<std::string> TraceFrom(const std::vector<std::string>& trace, const std::string& from,
                                          size_t count) {
    for (size_t i = 0; i < trace.size(); ++i)
        if (trace[i] == from)
            return {trace.begin() + long(i), trace.begin() + long(std::min(trace.size(), i + count))};
    return {};
}

} // namespace veltrane::apptest
