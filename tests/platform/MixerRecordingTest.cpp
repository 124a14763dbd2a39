#include "platform/mixer/RecordingMixer.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

void CountEnd(void* user) {
    ++*static_cast<int*>(user);
}

TEST(RecordingMixer, StreamsEndLikeTheRealMixer) {
    TRecordingMixer mixer;
    ASSERT_EQ(mixer.IMXInit(nullptr, 44100), 1);
    const TMixHandle once = mixer.IMXStreamOpenFile("Music/menu1.ogg");
    const TMixHandle looped = mixer.IMXStreamOpenFile("Music/theme1.ogg");
    int ends = 0;
    mixer.IMXChannelSetSync(once, &CountEnd, &ends);
    mixer.IMXChannelSetSync(looped, &CountEnd, &ends);

    mixer.IMXStreamPlay(looped, 1);
    EXPECT_FALSE(mixer.FinishStream()); // a loop goes on
    mixer.IMXStreamPlay(once, 0);
    EXPECT_EQ(mixer.PlayingStream(), once);
    EXPECT_TRUE(mixer.FinishStream());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(mixer.PlayingStream(), 0u);

    mixer.IMXStreamPlay(once, 0);
    mixer.IMXChannelStop(once); // stopped, not ended
    EXPECT_FALSE(mixer.FinishStream());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(mixer.Calls.front(), "IMXInit(44100)");
    EXPECT_EQ(mixer.CallsTo("IMXStreamPlay(").size(), 3u);
}

TEST(RecordingMixer, SamplesPlayAsInstancesAndFailedStartsLoadNothing) {
    TRecordingMixer mixer;
    mixer.MissingFiles = {"Sounds/Gone.wav"};
    mixer.IMXInit(nullptr, 44100);
    const TMixHandle shot = mixer.IMXSampleLoad("Sounds/Shot.wav", 0);
    const TMixHandle loop = mixer.IMXSampleLoad("Sounds/Selected.wav", MixSampleLoop);
    EXPECT_EQ(mixer.IMXSampleLoad("Sounds/Gone.wav", 0), 0u);
    const TMixHandle a = mixer.IMXSamplePlay(shot, 100);
    const TMixHandle b = mixer.IMXSamplePlay(shot, 100);
    const TMixHandle c = mixer.IMXSamplePlay(loop, 100);
    EXPECT_NE(a, b);
    mixer.FinishChannel(a);
    mixer.FinishChannel(c); // loops do not end by themselves
    EXPECT_EQ(mixer.PlayingChannels(), (std::vector<TMixHandle>{b, c}));
    EXPECT_EQ(mixer.SampleOf(c), loop);

    TRecordingMixer silent;
    silent.InitResult = 0;
    EXPECT_EQ(silent.IMXInit(nullptr, 44100), 0);
    EXPECT_EQ(silent.IMXSampleLoad("Sounds/Shot.wav", 0), 0u);
    EXPECT_EQ(silent.IMXStreamOpenFile("Music/menu1.ogg"), 0u);
    EXPECT_EQ(silent.IMXSamplePlay(0, 100), 0u);
}

} // namespace
} // namespace veltrane
