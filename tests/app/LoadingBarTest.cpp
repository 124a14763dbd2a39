// The loading bar: the picture, the lights lit step by step, and a frame per step.
#include "app/LoadingBar.h"

#include "TempDir.h"
#include "render/DrawCapture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace veltrane {
namespace {

using drawtest::TDraw;
using drawtest::TDrawDevice;

void WriteTga(const std::filesystem::path& path, int w, int h) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, uint8_t(w), 0, uint8_t(h), 0, 32, 0x28};
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    const uint32_t white = 0xFFFFFFFF;
    for (int i = 0; i < w * h; ++i) out.write(reinterpret_cast<const char*>(&white), 4);
}

// A 24-bit bitmap: the loader knows such a file by its contents whatever its name says.
void WriteBmp(const std::filesystem::path& path, int w, int h) {
    std::filesystem::create_directories(path.parent_path());
    const int stride = (w * 3 + 3) / 4 * 4;
    const uint32_t size = uint32_t(54 + stride * h);
    auto le32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    std::string bmp = "BM" + le32(size) + le32(0) + le32(54) + le32(40) + le32(uint32_t(w)) +
                      le32(uint32_t(h)) + std::string{1, 0, 24, 0} + le32(0) + le32(uint32_t(stride * h)) +
                      le32(2835) + le32(2835) + le32(0) + le32(0);
    bmp += std::string(size_t(stride * h), char(0x80));
    std::ofstream(path, std::ios::binary) << bmp;
}

class LoadingBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The picture of the loading screen is 4 x 3, the light 2 x 2, to tell them apart.
        WriteBmp(dir.path() / "Images" / "loading.jpg", 4, 3);
        WriteTga(dir.path() / "Images" / "bonuslight.tga", 2, 2);
        CurrentDir cwd(dir.path());
        bar = std::make_unique<TLoadingBar>(
            &device, TLoadingBar::TFrameHost{[this] {
                                                 events.push_back("frame");
                                                 bar->Draw();
                                             },
                                             [this] { events.push_back("messages"); }});
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
            EXPECT_EQ(device.Draws[i].AlphaBlend, gfx::TRUE);
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
