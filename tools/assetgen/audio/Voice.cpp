// espeak-ng in synchronous retrieval mode: its synthesis callback hands us the samples.
#include "audio/Voice.h"

#include "audio/Mastering.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace veltrane::assetgen::audio {

namespace {

int Collect(short* wav, int count, espeak_EVENT* events) {
    if (wav && count > 0 && events) {
        auto* out = static_cast<std::vector<short>*>(events->user_data);
        out->insert(out->end(), wav, wav + count);
    }
    return 0;
}

// espeak-ng carries state from one utterance into the next (pitch flutter, smoothing, the wave
// generator's phase) and cannot be restarted within a process. So every line is spoken by a
// freshly started engine in a child process, which hands the samples back through a pipe: the
// same text then always gives the same samples, whatever was spoken before.
struct Speech {
    int Rate = 0;
    std::vector<short> Samples;
};

void SpeakInChild(int fd, const std::string& text, int pitch, int range, int wordsPerMinute) {
    Speech speech;
    espeak_ng_InitializePath(nullptr);
    if (espeak_ng_Initialize(nullptr) != ENS_OK) return;
    if (espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) != ENS_OK) return;
    if (espeak_ng_SetVoiceByName("en") != ENS_OK) return;
    espeak_SetSynthCallback(Collect);
    espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
    espeak_SetParameter(espeakPITCH, pitch, 0);
    espeak_SetParameter(espeakRANGE, range, 0);
    espeak_SetParameter(espeakVOLUME, 100, 0);
    if (espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                     &speech.Samples) != EE_OK)
        return;
    const std::int32_t header[2] = {espeak_ng_GetSampleRate(),
                                    static_cast<std::int32_t>(speech.Samples.size())};
    auto put = [fd](const void* data, std::size_t size) {
        const char* p = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = write(fd, p, size);
            if (n <= 0) return false;
            p += n, size -= static_cast<std::size_t>(n);
        }
        return true;
    };
    if (put(header, sizeof header)) put(speech.Samples.data(), speech.Samples.size() * sizeof(short));
}

bool ReadAll(int fd, void* data, std::size_t size) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = read(fd, p, size);
        if (n <= 0) return false;
        p += n, size -= static_cast<std::size_t>(n);
    }
    return true;
}

Speech SpeakFresh(const std::string& text, int pitch, int range, int wordsPerMinute) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("espeak-ng: no pipe");
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("espeak-ng: cannot start the speaker");
    if (child == 0) {
        close(fds[0]);
        SpeakInChild(fds[1], text, pitch, range, wordsPerMinute);
        close(fds[1]);
        _exit(0);
    }
    close(fds[1]);
    Speech speech;
    std::int32_t header[2] = {0, 0};
    bool ok = ReadAll(fds[0], header, sizeof header) && header[0] > 0 && header[1] > 0;
    if (ok) {
        speech.Rate = header[0];
        speech.Samples.resize(static_cast<std::size_t>(header[1]));
        ok = ReadAll(fds[0], speech.Samples.data(), speech.Samples.size() * sizeof(short));
    }
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!ok) throw std::runtime_error("espeak-ng: cannot speak \"" + text + "\"");
    return speech;
}

// Catmull-Rom read of `src` at fractional index `x`.
float Cubic(const std::vector<float>& src, double x) {
    const long i = static_cast<long>(std::floor(x));
    const float t = static_cast<float>(x - static_cast<double>(i));
    auto at = [&](long k) {
        return k < 0 || k >= static_cast<long>(src.size()) ? 0.0f : src[static_cast<std::size_t>(k)];
    };
    const float p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
    return p1 + 0.5f * t * (p2 - p0 + t * (2 * p0 - 5 * p1 + 4 * p2 - p3 + t * (3 * (p1 - p2) + p3 - p0)));
}

// Reads `speech` (at `rate`) into kSampleRate, `factor` < 1 lowering pitch and formants alike.
Mono Resample(const std::vector<float>& speech, int rate, double factor) {
    const double step = static_cast<double>(rate) / kSampleRate * factor;
    const std::size_t frames = static_cast<std::size_t>(static_cast<double>(speech.size()) / step);
    Mono out(frames);
    for (std::size_t i = 0; i < frames; ++i) out[i] = Cubic(speech, static_cast<double>(i) * step);
    return out;
}

// A smooth compressor: gain follows the envelope above the threshold at the given ratio.
void Compress(Mono& s, double thresholdDb, double ratio) {
    double env = 0;
    const double attack = std::exp(-1.0 / Frames(0.003));
    const double release = std::exp(-1.0 / Frames(0.08));
    for (float& v : s) {
        const double level = std::fabs(v);
        env = level > env ? attack * env + (1 - attack) * level : release * env + (1 - release) * level;
        const double overDb = GainToDb(env) - thresholdDb;
        if (overDb > 0) v *= static_cast<float>(DbToGain(-overDb * (1 - 1 / ratio)));
    }
}

// Speech as espeak-ng makes it; `rate` gets its sample rate.
std::vector<float> SpeakRaw(const std::string& text, int pitch, int range, int wordsPerMinute, int& rate) {
    const Speech speech = SpeakFresh(text, pitch, range, wordsPerMinute);
    rate = speech.Rate;
    std::vector<float> samples(speech.Samples.size());
    std::transform(speech.Samples.begin(), speech.Samples.end(), samples.begin(),
                   [](short v) { return v / 32768.0f; });
    return samples;
}

} // namespace

Mono Speak(const std::string& text, int pitch, int wordsPerMinute) {
    int rate = 0;
    const std::vector<float> speech = SpeakRaw(text, pitch, 50, wordsPerMinute, rate);
    return Resample(speech, rate, 1.0);
}

Mono AnnouncerLine(const std::string& text, double pitchFactor) {
    int rate = 0;
    std::vector<float> speech = SpeakRaw(text, 38, 85, 140, rate);
    // Trim the silence espeak leaves around the words.
    const auto loud = [](float v) { return std::fabs(v) > 0.01f; };
    const auto first = std::find_if(speech.begin(), speech.end(), loud);
    const auto last = std::find_if(speech.rbegin(), speech.rend(), loud).base();
    if (first < last) speech = std::vector<float>(first, last);

    Mono dry = Resample(speech, rate, pitchFactor);
    // A second, slightly higher and later layer thickens the voice like a doubled take.
    const Mono layer = Resample(speech, rate, pitchFactor * 1.012);
    MixInto(dry, layer, Frames(0.011), 0.45);
    Filter(dry, Biquad(Biquad::Kind::HighPass, 90, 0.7));
    Filter(dry, Biquad(Biquad::Kind::LowShelf, 180, 0.7, 5));
    Filter(dry, Biquad(Biquad::Kind::Peak, 2800, 1.0, 4));
    Filter(dry, Biquad(Biquad::Kind::LowPass, 9000, 0.7));
    Master(dry, -14, -3);
    Compress(dry, -20, 4);
    // Room for the hall's tail.
    Mono out(dry.size() + static_cast<std::size_t>(Frames(0.9)), 0.0f);
    MixInto(out, dry, 0, 1.0);
    Echo(out, 0.13, 0.25, 0.18);
    Reverb(0.75, 0.4).ProcessMono(out, 0.9);
    FadeEdges(out, 0.002, 0.3);
    return out;
}

} // namespace veltrane::assetgen::audio
