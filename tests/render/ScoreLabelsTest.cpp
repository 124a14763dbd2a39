// The floating score labels: how they start, move, fade and leave the list.
#include "render/ScoreLabels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrane {
namespace {

class ScoreLabelsTest : public ::testing::Test {
protected:
    void SetUp() override { ClearScoreLabels(); }
    void TearDown() override { ClearScoreLabels(); }
};

TEST_F(ScoreLabelsTest, StyleDecidesTheDriftAndTheListHoldsTwenty) {
    AddScoreLabel({1, 2, 7}, 2, 2, "40", 14);
    AddScoreLabel({0, 0, 0}, 1, 3, "Double score", 12);
    AddScoreLabel({0, 0, 0}, 1, 5, "LEVEL COMPLETED", 20);
    ASSERT_EQ(ScoreLabelCount(), 3);
    const TScoreLabel& points = ScoreLabel(1);
    EXPECT_EQ(points.Position, (TVector{1, 2, 1})); // z is always 1
    EXPECT_EQ(points.Velocity, (TVector{-0.001f, 0.001f, 0}));
    EXPECT_EQ(points.Damping, (TVector{0, -0.006f, 0}));
    EXPECT_EQ(points.Alpha, 255);
    EXPECT_EQ(points.Size, 14);
    EXPECT_EQ(ScoreLabel(2).Velocity, (TVector{0, 0.0005f, 0}));
    EXPECT_EQ(ScoreLabel(3).Velocity, (TVector{0, 0.005f, 0}));
    EXPECT_EQ(ScoreLabel(3).Damping, (TVector{0, -0.001f, 0}));

    for (int n = 4; n <= 21; ++n) AddScoreLabel({0, 0, 0}, 1, 1, std::to_string(n), 12);
    EXPECT_EQ(ScoreLabelCount(), MaxScoreLabels);
    EXPECT_EQ(ScoreLabel(20).Text, "20"); // the 21st was dropped
}

TEST_F(ScoreLabelsTest, ALabelLivesAbout2300Milliseconds) {
    AddScoreLabel({0, 0, 0}, 1, 5, "up", 12);
    AddScoreLabel({0, 0, 0}, 2, 2, "40", 14);
    int frames = 0;
    int firstGone = 0;
    while (ScoreLabelCount() > 0 && frames < 1000) {
        UpdateScoreLabels(10);
        ++frames;
        if (firstGone == 0 && ScoreLabelCount() < 2) firstGone = frames;
        if (frames == 229) {
            // Nearly faded: the rising label has climbed about 4.5 units, the points label
            // drifted about 2.3 units towards -x and rose a little.
            EXPECT_NEAR(ScoreLabel(1).Position.y, 4.5, 0.3);
            EXPECT_NEAR(ScoreLabel(2).Position.x, -2.3, 0.1);
            EXPECT_NEAR(ScoreLabel(2).Position.y, 0.17, 0.03);
            EXPECT_EQ(ScoreLabel(1).Position.z, 1);
        }
    }
    // Below 25 once more than 2300 ms have passed; the label moved into the freed place is
    // updated, and removed, one frame later.
    EXPECT_EQ(firstGone, 231);
    EXPECT_EQ(frames, 232);
}

TEST_F(ScoreLabelsTest, ARemovedLabelMakesRoomAndItsSuccessorWaitsAFrame) {
    AddScoreLabel({0, 0, 0}, 1, 1, "first", 12);
    UpdateScoreLabels(2000); // alpha 55
    AddScoreLabel({0, 0, 0}, 1, 1, "second", 12);
    AddScoreLabel({0, 0, 0}, 1, 1, "third", 12);
    UpdateScoreLabels(400); // the first fades out
    ASSERT_EQ(ScoreLabelCount(), 2);
    EXPECT_EQ(ScoreLabel(1).Text, "second");
    EXPECT_EQ(ScoreLabel(1).Alpha, 255); // moved into place 1, not updated this frame
    EXPECT_EQ(ScoreLabel(2).Text, "third");
    EXPECT_FLOAT_EQ(ScoreLabel(2).Alpha, 215);
}

} // namespace
} // namespace veltrane
