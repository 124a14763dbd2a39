// Which filter a picture gets from where it lands on the screen, seen from the main window's
// camera: unfiltered only where it shows pixel for pixel.
#include "render/PictureFilter.h"

#include "platform/gfx/D3DX.h"
#include "platform/gfx/RecordingDevice.h"
#include "render/D3DConvert.h"
#include "render/Placement.h"

#include <gtest/gtest.h>

#include <numbers>

namespace veltrane {
namespace {

using namespace gfx;

class TSizedTexture final : public ITexture {
public:
    TSizedTexture(uint32_t w, uint32_t h) : w_(w), h_(h) {}
    uint32_t Width() const override { return w_; }
    uint32_t Height() const override { return h_; }

private:
    uint32_t w_, h_;
};

struct TCase {
    const char* What;
    uint32_t ScreenW, ScreenH, PictureW, PictureH;
    TVector Eye;
    bool Wall; // the room's left wall instead of the full-screen background
    uint32_t Want;
};

TEST(PictureFilterTest, UnfilteredOnlyWherePixelForPixel) {
    constexpr float kPi = std::numbers::pi_v<float>;
    const TVector rest{-1.8f, -0.25f, 12.7f};
    const TMatrix background = MakeWorld({14.45f, 10.8375f, 1}, {-1.8f, -0.25f, 0}, {0, 0, 0});
    const TMatrix wall = MakeWorld({24, 12, 1}, {-15.8f, -0.25f, 5.8f}, {0, kPi / 2, kPi / 2});
    const TCase cases[] = {
        {"the background at its own size", 1024, 768, 1024, 768, rest, false, D3DTEXF_NONE},
        {"a picture lying on its side", 1024, 768, 768, 1024, rest, false, D3DTEXF_LINEAR},
        {"reduced to 800 x 600", 800, 600, 1024, 768, rest, false, D3DTEXF_LINEAR},
        {"enlarged to 1920 x 1080", 1920, 1080, 1024, 768, rest, false, D3DTEXF_LINEAR},
        {"a small picture stretched", 1024, 768, 16, 16, rest, false, D3DTEXF_LINEAR},
        {"the camera swung away", 1024, 768, 1024, 768, {-1.8f, -6.0f, 10.5f}, false, D3DTEXF_LINEAR},
        {"the camera moved closer", 1024, 768, 1024, 768, {-1.8f, -0.25f, 11.0f}, false, D3DTEXF_LINEAR},
        {"a wall seen in perspective", 1024, 768, 1024, 512, rest, true, D3DTEXF_LINEAR},
    };
    D3DMATRIX projection;
    ASSERT_EQ(MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200), D3D_OK);
    for (const TCase& c : cases) {
        TRecordingDevice device;
        device.SetViewportSize(c.ScreenW, c.ScreenH);
        D3DMATRIX view;
        ASSERT_EQ(MatrixLookAtLH(view, ToD3D(c.Eye), {-1.8f, -0.25f, 0}, {0, 0, 1}), D3D_OK);
        device.SetTransform(D3DTS_VIEW, view);
        device.SetTransform(D3DTS_PROJECTION, projection);
        const TSizedTexture picture(c.PictureW, c.PictureH);
        EXPECT_EQ(PictureFilter(device, c.Wall ? wall : background, &picture), c.Want) << c.What;
    }
    // Without a picture there is nothing to keep crisp.
    TRecordingDevice device;
    EXPECT_EQ(PictureFilter(device, background, nullptr), D3DTEXF_LINEAR);
}

} // namespace
} // namespace veltrane
