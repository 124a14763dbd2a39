#include "platform/mixer/RecordingMixer.h"

#include <algorithm>

namespace veltrane {

namespace {

std::string Text(TMixHandle h) {
    return std::to_string(h);
}

} // namespace

TRecordingMixer::TLoaded* TRecordingMixer::Find(TMixHandle handle) {
    if (handle >= FirstStream && handle - FirstStream < streams_.size())
        return &streams_[handle - FirstStream];
    if (handle >= FirstSample && handle - FirstSample < samples_.size())
        return &samples_[handle - FirstSample];
    return nullptr;
}

const TRecordingMixer::TLoaded* TRecordingMixer::Find(TMixHandle handle) const {
    return const_cast<TRecordingMixer*>(this)->Find(handle);
}

int TRecordingMixer::IMXInit(void* /*window*/, int frequency) {
    Record("IMXInit(" + std::to_string(frequency) + ")");
    running_ = InitResult != 0;
    return InitResult;
}

int TRecordingMixer::IMXStart() {
    Record("IMXStart()");
    running_ = running_ && StartResult != 0;
    return StartResult;
}

TMixHandle TRecordingMixer::IMXStreamOpenFile(const std::string& path) {
    Record("IMXStreamOpenFile(" + path + ")");
    if (!running_ || std::count(MissingFiles.begin(), MissingFiles.end(), path)) return 0;
    // Stream handles stay below the sample handles; a game opens four streams.
    if (FirstStream + streams_.size() >= FirstSample) return 0;
    streams_.push_back({path, 0, -1, nullptr, nullptr});
    return FirstStream + static_cast<TMixHandle>(streams_.size() - 1);
}

TMixHandle TRecordingMixer::IMXSampleLoad(const std::string& path, int flags) {
    Record("IMXSampleLoad(" + path + "," + std::to_string(flags) + ")");
    if (!running_ || std::count(MissingFiles.begin(), MissingFiles.end(), path)) return 0;
    if (FirstSample + samples_.size() >= FirstChannel) return 0;
    samples_.push_back({path, flags, -1, nullptr, nullptr});
    return FirstSample + static_cast<TMixHandle>(samples_.size() - 1);
}

void TRecordingMixer::IMXStreamPlay(TMixHandle stream, int loop) {
    Record("IMXStreamPlay(" + Text(stream) + "," + std::to_string(loop) + ")");
    if (stream < FirstStream || stream - FirstStream >= streams_.size()) return;
    playingStream_ = stream; // replaces the one playing, without its sync
    playingLoop_ = loop;
}

TMixHandle TRecordingMixer::IMXSamplePlay(TMixHandle sample, int volume) {
    Record("IMXSamplePlay(" + Text(sample) + "," + std::to_string(volume) + ")");
    if (sample < FirstSample || sample - FirstSample >= samples_.size()) return 0;
    const TMixHandle channel = nextChannel_++;
    channels_[channel] = {sample, (samples_[sample - FirstSample].flags & MixSampleLoop) != 0};
    return channel;
}

void TRecordingMixer::IMXChannelStop(TMixHandle handle) {
    Record("IMXChannelStop(" + Text(handle) + ")");
    if (handle != 0 && handle == playingStream_) playingStream_ = 0;
    channels_.erase(handle);
}

void TRecordingMixer::IMXChannelSetAttributes(TMixHandle handle, int volume) {
    Record("IMXChannelSetAttributes(" + Text(handle) + "," + std::to_string(volume) + ")");
    if (TLoaded* loaded = Find(handle)) loaded->volume = volume;
}

void TRecordingMixer::IMXChannelSetSync(TMixHandle stream, TMixSyncProc proc, void* user) {
    Record("IMXChannelSetSync(" + Text(stream) + ")");
    if (stream < FirstStream || stream - FirstStream >= streams_.size()) return;
    streams_[stream - FirstStream].proc = proc;
    streams_[stream - FirstStream].user = user;
}

void TRecordingMixer::IMXStop() {
    Record("IMXStop()");
    playingStream_ = 0;
    channels_.clear();
}

void TRecordingMixer::IMXUninit() {
    Record("IMXUninit()");
    running_ = false;
    playingStream_ = 0;
    channels_.clear();
    streams_.clear();
    samples_.clear();
}

bool TRecordingMixer::FinishStream() {
    if (playingStream_ == 0 || playingLoop_ != 0) return false;
    const TLoaded& stream = streams_[playingStream_ - FirstStream];
    playingStream_ = 0;
    if (stream.proc) stream.proc(stream.user);
    return true;
}

std::vector<TMixHandle> TRecordingMixer::PlayingChannels() const {
    std::vector<TMixHandle> result;
    for (const auto& [handle, channel] : channels_) result.push_back(handle);
    return result;
}

std::string TRecordingMixer::PathOf(TMixHandle handle) const {
    const TLoaded* loaded = Find(handle);
    return loaded ? loaded->path : std::string();
}

int TRecordingMixer::VolumeOf(TMixHandle handle) const {
    const TLoaded* loaded = Find(handle);
    return loaded ? loaded->volume : -1;
}

TMixHandle TRecordingMixer::SampleOf(TMixHandle channel) const {
    auto it = channels_.find(channel);
    return it != channels_.end() ? it->second.sample : 0;
}

std::vector<std::string> TRecordingMixer::CallsTo(const std::string& prefix) const {
    std::vector<std::string> result;
    for (const auto& call : Calls)
        if (call.compare(0, prefix.size(), prefix) == 0) result.push_back(call);
    return result;
}

} // namespace veltrane
