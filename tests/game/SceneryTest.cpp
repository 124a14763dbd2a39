// The scenery drawn on the recording device where a fault could hide: the score line's fill,
// cap, blink and warning ticks, and the bonus lamps.
#include "game/Scenery.h"
#include "GameFixture.h"
#include "platform/gfx/RecordingDevice.h"
#include "render/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrane {
namespace {
using namespace testing;
using gfx::TRecordedCall;

std::vector<TRecordedCall> CallsOf(const gfx::TRecordingDevice& device, const std::string& prefix) {
    std::vector<TRecordedCall> calls;
    for (const TRecordedCall& call : device.Calls())
        if (call.Text.rfind(prefix, 0) == 0) calls.push_back(call);
    return calls;
}

class SceneryTest : public ::testing::Test {
protected:
    SceneryTest() {
        line_.Create(&device_, "Images\\missing-line.tga", ScoreLineItem.Scale, ScoreLineItem.Position,
                     ScoreLineItem.Rotation);
        line_.Cap.Create(&device_, "Images\\missing-cap.tga", ScoreCapItem.Scale, ScoreCapItem.Position,
                         ScoreCapItem.Rotation);
        device_.ClearLog();
    }

    // Draws the line at the fill and returns the world matrix of the bar itself.
    gfx::D3DMATRIX DrawLine(float fill, uint8_t mode = 1, double totalMs = 0) {
        device_.ClearLog();
        line_.Draw(kRangeSprite, fill, mode, totalMs);
        return CallsOf(device_, "SetTransform").back().Matrix;
    }

    gfx::TRecordingDevice device_;
    TScoreLine line_;
};

TEST_F(SceneryTest, TheScoreLineGrowsFromItsLeftEndWithItsCap) {
    const gfx::D3DMATRIX half = DrawLine(0.5f);
    EXPECT_FLOAT_EQ(half.m[0][0], 8.75f * 0.5f);
    EXPECT_FLOAT_EQ(half.m[3][0], 4.51f - 8.75f * 0.25f);
    EXPECT_FLOAT_EQ(half.m[3][1], -5.33459375f);
    ASSERT_EQ(CallsOf(device_, "DrawPrimitive").size(), 2u);
    EXPECT_EQ(CallsOf(device_, "SetTransform").front().Matrix.m[3][0], 4.615f); // the cap first
    EXPECT_EQ(CallsOf(device_, "SetMaterial").back().Material, Materials[matLine]);
    const auto log = device_.Log();
    EXPECT_EQ(log.front(), "SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE)");
    EXPECT_EQ(log.back(), "SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE)");

    const gfx::D3DMATRIX empty = DrawLine(0);
    EXPECT_EQ(empty.m[0][0], 0);
    EXPECT_EQ(CallsOf(device_, "DrawPrimitive").size(), 1u); // no cap

    const gfx::D3DMATRIX over = DrawLine(1.7f); // past the goal: full
    EXPECT_FLOAT_EQ(over.m[0][0], 8.75f);
}

TEST_F(SceneryTest, OnlyTheTimedModeBlinksANearlyEmptyBar) {
    DrawLine(0.1f, 2, 1000);
    const gfx::D3DMATERIAL8 blink = CallsOf(device_, "SetMaterial").back().Material;
    const float k = (0.2f - 0.1f) * 1000 / 200;
    EXPECT_NEAR(blink.Diffuse.r, std::abs(std::sin(k)), 1e-5);
    EXPECT_NEAR(blink.Diffuse.g, std::abs(std::cos(k)), 1e-5);
    EXPECT_EQ(blink.Diffuse.b, 0);
    EXPECT_EQ(blink.Ambient, blink.Diffuse);
    EXPECT_EQ(blink.Power, 256);

    DrawLine(0.1f, 1, 1000);
    EXPECT_EQ(CallsOf(device_, "SetMaterial").back().Material, Materials[matLine]);
    DrawLine(0.25f, 2, 1000);
    EXPECT_EQ(CallsOf(device_, "SetMaterial").back().Material, Materials[matLine]);
}

TEST_F(SceneryTest, WarningTicksComeFasterAsTheBankEmpties) {
    TSoundRecorder sound;
    DrawLine(0.1f, 2, 1000); // the first tick is planned, not played
    EXPECT_EQ(line_.NextTick, 1150);
    DrawLine(0.1f, 2, 1149);
    EXPECT_TRUE(sound.Played().empty());
    DrawLine(0.1f, 2, 1150);
    EXPECT_EQ(sound.Played(), std::vector<TSound>{TSound::TimeUp});
    EXPECT_EQ(line_.NextTick, 1150 + 150 + 75); // halfway down: every 225 ms

    DrawLine(0.3f, 2, 1400); // refilled: no tick planned
    EXPECT_EQ(line_.NextTick, 0);
    DrawLine(0.0f, 2, 2000); // an empty bar blinks but no longer ticks
    EXPECT_EQ(line_.NextTick, 0);

    sound.Clear();
    for (double t = 0; t < 3000; t += 50) DrawLine(0.05f, 1, t);
    EXPECT_TRUE(sound.Played().empty()); // never in the points mode
}

TEST_F(SceneryTest, TheLampRowDrawsItsLitLampsStepByStep) {
    TBonusLight lamps;
    lamps.Create(&device_, "Images\\missing-lamp.tga", BonusLightItem.Scale, BonusLightItem.Position,
                 BonusLightItem.Rotation);
    EXPECT_EQ(lamps.LampCount, 0);
    device_.ClearLog();
    lamps.Draw(kRangeSprite);
    EXPECT_TRUE(CallsOf(device_, "DrawPrimitive").empty());

    lamps.LampCount = 3;
    device_.ClearLog();
    lamps.Draw(kRangeSprite);
    const auto transforms = CallsOf(device_, "SetTransform");
    ASSERT_EQ(transforms.size(), 3u);
    ASSERT_EQ(CallsOf(device_, "DrawPrimitive").size(), 3u);
    for (int j = 0; j < 3; ++j) {
        EXPECT_FLOAT_EQ(transforms[size_t(j)].Matrix.m[3][0], -6.387875f - 0.289f * j);
        EXPECT_FLOAT_EQ(transforms[size_t(j)].Matrix.m[0][0], 0.36125f);
    }
    EXPECT_EQ(device_.Log().back(), "SetTexture(0, NULL)");
}

} // namespace
} // namespace veltrane
