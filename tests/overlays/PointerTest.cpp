// The mouse pointer: where the cursor starts, how mouse pixels map onto the pointer plane, and
// when and which pointer picture is drawn.
#include "overlays/Pointer.h"

#include "FakeCursorHost.h"
#include "TempDir.h"
#include "platform/DebugLog.h"
#include "render/DrawCapture.h"
#include "render/PictureFiles.h"
#include "settings/Options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace veltrane {
namespace {

using drawtest::TDrawDevice;

void WriteTga(const std::filesystem::path& path, int w, int h) {
    std::filesystem::create_directories(path.parent_path());
    picturetest::WriteTga(path, w, h, [](int, int) { return 0xFFFFFFFFu; });
}

class PointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDebugLogFile((dir.path() / "debug.txt").string());
        SetDebugLogClock([] { return 7u; });
        WriteTga(dir.path() / "Images" / "cursor.tga", 2, 2);
        WriteTga(dir.path() / "Images" / "cursor1.tga", 3, 3);
        options.Fullscreen = false;
        options.PseudoFullscreen = false;
    }
    void TearDown() override {
        SetDebugLogFile("");
        SetDebugLogClock(nullptr);
    }
    void Create() {
        CurrentDir cwd(dir.path());
        pointer.CreatePointer(device, host, options);
        device.Draws.clear();
    }
    std::string Trace() const {
        std::ifstream in(dir.path() / "debug.txt", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Every style's sprite stands at the pointer's position, which the main window passes on.
    void ExpectAt(float x, float y) {
        EXPECT_NEAR(pointer.PointerPosition().x, x, 1e-4f);
        EXPECT_NEAR(pointer.PointerPosition().y, y, 1e-4f);
        EXPECT_FLOAT_EQ(pointer.PointerPosition().z, 0.01f);
        for (const auto& sprite : pointer.PointerSprites) {
            ASSERT_TRUE(sprite);
            EXPECT_EQ(sprite->Position, pointer.PointerPosition());
        }
    }

    TempDir dir;
    TOptions options;
    TFakeCursorHost host;
    TDrawDevice device;
    TPointer pointer;
};

TEST_F(PointerTest, CreationCentresTheCursorOnTheWindowAndLogsWhereItIs) {
    Create();
    ASSERT_EQ(host.Moves.size(), 1u);
    EXPECT_EQ(host.Moves[0], (TScreenPoint{500, 350}));
    EXPECT_EQ(Trace(), "7Mouse created at 500_350\r\n");
    ExpectAt(-1.8f, -0.25f);

    options.Fullscreen = true;
    host.Width = 1023; // odd sizes round down
    Create();
    EXPECT_EQ(host.Moves.back(), (TScreenPoint{511, 300}));
    EXPECT_NE(Trace().find("7Mouse created at 511_300\r\n"), std::string::npos);
}

TEST_F(PointerTest, MousePixelsMapOntoAFourByThreePlaneCentredOnTheCameraTarget) {
    for (const bool fullscreen : {false, true}) {
        SCOPED_TRACE(fullscreen ? "full screen" : "windowed");
        options.Fullscreen = fullscreen;
        Create();
        pointer.MovePointer(400, 300);
        ExpectAt(-1.8f, -0.25f);
        pointer.MovePointer(0, 0); // top left of the screen is +x, +y
        ExpectAt(-1.8f + 7.225f, -0.25f + 5.41875f);
        pointer.MovePointer(800, 600);
        ExpectAt(-1.8f - 7.225f, -0.25f - 5.41875f);
        pointer.MovePointer(800, 0);
        ExpectAt(-1.8f - 7.225f, -0.25f + 5.41875f);
    }
    // The same pixels of a larger window still span the whole plane.
    host.Width = 1600;
    host.Height = 1200;
    Create();
    pointer.MovePointer(0, 1200);
    ExpectAt(-1.8f + 7.225f, -0.25f - 5.41875f);
}

// On screens of other shapes the plane spans the centred 4:3 picture; over the dark bars the
// pointer holds at the picture's edge instead of leaving the plane.
TEST_F(PointerTest, OnWideAndTallScreensThePlaneSpansThePictureOnly) {
    constexpr float L = -1.8f + 7.225f, R = -1.8f - 7.225f, T = -0.25f + 5.41875f, B = -0.25f - 5.41875f;
    struct TCase {
        int32_t W, H, X, Y;
        float AtX, AtY;
    };
    const TCase cases[] = {
        {1920, 1080, 960, 540, -1.8f, -0.25f}, // 16:9: picture 1440 wide from x 240
        {1920, 1080, 240, 0, L, T},
        {1920, 1080, 1680, 1080, R, B},
        {1920, 1080, 600, 270, -1.8f + 0.25f * 14.45f, -0.25f + 0.25f * 10.8375f},
        {1920, 1080, 10, 540, L, -0.25f}, // over the left bar
        {1920, 1080, 1919, -40, R, T},    // over the right bar, above the screen
        {2560, 1080, 560, 1080, L, B},    // 21:9: from x 560
        {1920, 1200, 160, 1200, L, B},    // 16:10: 1600 wide from x 160
        {1280, 1024, 0, 32, L, T},        // 5:4: 960 high from y 32
        {1280, 1024, 1280, 992, R, B},
        {1280, 1024, 640, 5, -1.8f, T},    // over the top bar
        {1280, 1024, 640, 1020, -1.8f, B}, // over the bottom bar
    };
    options.Fullscreen = true;
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.W) + "x" + std::to_string(c.H) + " at " + std::to_string(c.X) + "," +
                     std::to_string(c.Y));
        host.Width = c.W;
        host.Height = c.H;
        Create();
        pointer.MovePointer(c.X, c.Y);
        ExpectAt(c.AtX, c.AtY);
    }
}

TEST_F(PointerTest, TheAimingPictureAppearsExactlyWhereTheGamePointerWas) {
    Create();
    host.Cursor = {300, 300};
    pointer.MovePointer(123, 456);
    pointer.DrawPointer(kPointerGame);
    pointer.DrawPointer(kPointerAiming);
    ASSERT_EQ(device.Draws.size(), 2u);
    EXPECT_EQ(device.Draws[0].World, device.Draws[1].World);
    EXPECT_EQ(device.Draws[0].StartVertex, 6u); // the sprite quad
    ASSERT_NE(device.Draws[1].Texture, nullptr);
    EXPECT_EQ(device.Draws[0].Texture->Width(), 2u);
    EXPECT_EQ(device.Draws[1].Texture->Width(), 3u);
    EXPECT_TRUE(device.Draws[0].AlphaBlend);
    EXPECT_FALSE(device.Inner.State().RenderState(gfx::D3DRS_ALPHABLENDENABLE));
    EXPECT_EQ(device.Inner.State().Texture, nullptr);
}

TEST_F(PointerTest, WindowedThePointerShowsOnlyWhileTheCursorIsInsideTheWindow) {
    Create();
    const auto drawnAt = [&](int32_t x, int32_t y) {
        host.Cursor = {x, y};
        device.Draws.clear();
        pointer.DrawPointer(kPointerMenu);
        return device.Draws.size() == 1;
    };
    EXPECT_TRUE(drawnAt(500, 350));
    EXPECT_TRUE(drawnAt(101, 51));
    EXPECT_TRUE(drawnAt(909, 679));
    EXPECT_FALSE(drawnAt(100, 350)); // on the left edge
    EXPECT_FALSE(drawnAt(910, 350)); // right = left + width
    EXPECT_FALSE(drawnAt(500, 680));
    EXPECT_FALSE(drawnAt(20, 20));
    options.Fullscreen = true;
    EXPECT_TRUE(drawnAt(20, 20));
    EXPECT_TRUE(drawnAt(-5, 5000));
}

TEST_F(PointerTest, PseudoFullScreenKeepsTheCursorInsideTheWindow) {
    options.Fullscreen = true;
    options.PseudoFullscreen = true;
    host.Window = {0, 0, 800, 600};
    Create();
    host.Moves.clear();
    host.Cursor = {0, 300};
    pointer.DrawPointer(kPointerGame);
    EXPECT_EQ(host.Cursor, (TScreenPoint{1, 300}));
    host.Cursor = {800, 600};
    pointer.DrawPointer(kPointerGame);
    EXPECT_EQ(host.Cursor, (TScreenPoint{799, 599}));
    host.Cursor = {400, 300};
    host.Moves.clear();
    pointer.DrawPointer(kPointerGame);
    EXPECT_TRUE(host.Moves.empty());
    EXPECT_EQ(device.Draws.size(), 3u);

    // A window (Fullscreen off) leaves the cursor free whatever the switch says.
    options.Fullscreen = false;
    host.Cursor = {0, 300};
    pointer.DrawPointer(kPointerGame);
    EXPECT_TRUE(host.Moves.empty());
}

TEST_F(PointerTest, NothingMovesOrDrawsBeforeCreationOrForUnknownStyles) {
    pointer.MovePointer(0, 0);
    pointer.DrawPointer(kPointerMenu);
    EXPECT_TRUE(device.Draws.empty());
    EXPECT_FLOAT_EQ(pointer.PointerPosition().x, -1.8f);
    Create();
    host.Cursor = {500, 350};
    pointer.DrawPointer(0);
    pointer.DrawPointer(4);
    EXPECT_TRUE(device.Draws.empty());
    // A window with no drawing area keeps the pointer at the centre instead of at infinity.
    host.Width = host.Height = 0;
    Create();
    pointer.MovePointer(10, 10);
    ExpectAt(-1.8f, -0.25f);
}

} // namespace
} // namespace veltrane
