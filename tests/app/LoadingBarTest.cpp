// The loading bar: the picture, the lights lit step by step, and a frame per step.
#include "app/LoadingBar.h"

#include "TempDir.h"
#include "render/DrawCapture.h"
#include "render/PictureFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using drawtest::TDraw;
using drawtest::TDrawDevice;

class LoadingBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The picture of the loading screen is 4 x 3, the light 2 x 2, to tell them apart.
        std::filesystem::create_directories(dir.path() / "Images");
        const auto white = [](int, int) { return 0xFFFFFFFFu; };
        picturetest::WriteBytes(dir.path() / "Images" / "loading.jpg", picturetest::JpegBytes(4, 3, white));
        picturetest::WriteTga(dir.path() / "Images" / "bonuslight.tga", 2, 2, white);
        CurrentDir cwd(dir.path());
        bar = std::make_unique<TLoadingBar>(&device,
                                            TLoadingBar::TFrameHost{[this] {
                                                                        events.push_back("frame");
                                                                        bar->Draw();
                                                                    },
                                                                    [this] { events.push_back("messages"); },
                                                                    nullptr}); // no clock: every step renders
        device.Draws.clear();
    }

    // Light numbers (1..30) of the lights drawn by the last frame, left to right on the screen.
    std::vector<int> LitInLastFrame() const {
        std::vector<int> lit;
        for (size_t i = 1; i < device.Draws.size(); ++i) {
            const float x = device.Draws[i].World.m[3][0];
            lit.push_back(int(std::lround((1.9f - x) / 0.255f)) + 1);
        }
        return lit;
    }

    TempDir dir;
    TDrawDevice device;
    std::vector<std::string> events;
    std::unique_ptr<TLoadingBar> bar;
};

TEST_F(LoadingBarTest, EachStepRendersAFrameThenLetsWindowEventsRun) {
    bar->SetProgress(1);
    bar->SetProgress(2);
    EXPECT_EQ(events, (std::vector<std::string>{"frame", "messages", "frame", "messages"}));
}

TEST_F(LoadingBarTest, WithAClockFramesComeAtMostEvery100MsAndTheFullRowAlwaysShows) {
    uint32_t now = 0xFFFFFFFFu - 49; // the 32-bit tick count wraps between steps 2 and 3
    std::vector<int> framesAt;       // Lit of each frame rendered
    int messages = 0;
    TLoadingBar clocked(&device,
                        {[&] { framesAt.push_back(clocked.Lit); }, [&] { ++messages; }, [&] { return now; }});
    // Each step and the milliseconds it takes before the next.
    const std::pair<int, uint32_t> steps[] = {{1, 30}, {2, 30}, {3, 30}, {4, 10}, {5, 99},
                                              {6, 1},  {7, 0},  {8, 0},  {29, 0}, {30, 0}};
    for (const auto& [step, ms] : steps) {
        clocked.SetProgress(uint8_t(step));
        now += ms;
    }
    // 1 at once; 2 to 4 too soon; 5 at 100 ms; 6 at 199 ms too soon, 7 at 200 ms; the full row
    // though no time passed. Window events run at every step.
    EXPECT_EQ(framesAt, (std::vector<int>{1, 5, 7, 30}));
    EXPECT_EQ(messages, 10);
}

TEST_F(LoadingBarTest, TheRowFillsFromTheLeftOneLightPerStep) {
    for (int step = 0; step <= 30; ++step) {
        device.Draws.clear();
        bar->SetProgress(uint8_t(step));
        ASSERT_EQ(device.Draws.size(), size_t(step) + 1) << "step " << step;
        // The picture comes first, fills the screen's 4:3 plane, and is drawn unblended.
        const TDraw& picture = device.Draws[0];
        ASSERT_NE(picture.Texture, nullptr);
        EXPECT_EQ(picture.Texture->Width(), 4u);
        EXPECT_FLOAT_EQ(picture.World.m[0][0], 14.45f);
        std::vector<int> want;
        for (int i = 1; i <= step; ++i) want.push_back(i);
        EXPECT_EQ(LitInLastFrame(), want);
        for (size_t i = 1; i < device.Draws.size(); ++i) {
            EXPECT_TRUE(device.Draws[i].AlphaBlend);
            EXPECT_EQ(device.Draws[i].Texture->Width(), 2u);
        }
    }
    // Light 1 is at the screen's left (world +x), the row centred on the picture.
    EXPECT_NEAR(device.Draws[1].World.m[3][0] + device.Draws[30].World.m[3][0], 2 * -1.8f, 0.01f);
    EXPECT_GT(device.Draws[1].World.m[3][0], device.Draws[30].World.m[3][0]);
}

TEST_F(LoadingBarTest, TooLargeAStepLightsTheWholeRowAndAFreedBarDrawsNothing) {
    bar->SetProgress(200);
    EXPECT_EQ(bar->Lit, 30);
    EXPECT_EQ(device.Draws.size(), 31u);
    bar->Destroy();
    device.Draws.clear();
    bar->Draw();
    EXPECT_TRUE(device.Draws.empty());
}

} // namespace
} // namespace veltrane
