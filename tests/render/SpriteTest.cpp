// What a sprite asks of the device, recorded.
#include "render/Sprite.h"

#include "PictureFiles.h"
#include "TempDir.h"
#include "platform/gfx/RecordingDevice.h"
#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/Placement.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace veltrane {
namespace {

using namespace gfx;
using ::testing::ElementsAre;

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(InitVertices(device, vb, collector), D3D_OK);
        picturetest::WritePng(dir.path() / "pointer.png", 4, 4, [](int, int) { return 0xFFFFFFFFu; });
        device.BeginScene();
        device.ClearLog();
    }
    TempDir dir;
    TRecordingDevice device;
    VertexBufferHandle vb;
    TCollector collector;
};

TEST_F(SpriteTest, DrawsRangeTwoWithItsTextureAndWorldAndSetsNoState) {
    T3DSprite sprite(&device, (dir.path() / "pointer.png").string());
    ASSERT_NE(sprite.Texture, nullptr);
    EXPECT_EQ(sprite.Scale, (TVector{0, 0, 0}));
    sprite.Scale = {0.36125f, 0.36125f, 1};
    sprite.Position = {-1.8f, -0.25f, 0.01f};
    sprite.Rotation = {0, 0, 3.1415927f};
    device.ClearLog();
    EXPECT_EQ(sprite.Draw(), D3D_OK);
    EXPECT_THAT(device.Log(), ElementsAre("SetTexture(0, texture 1)", "SetTransform(D3DTS_WORLD)",
                                          "DrawPrimitive(D3DPT_TRIANGLELIST, 6, 2)", "SetTexture(0, NULL)"));
    const TMatrix expected = MakeWorld(sprite.Scale, sprite.Position, sprite.Rotation);
    EXPECT_EQ(sprite.World, expected);
    EXPECT_EQ(device.Calls()[1].Matrix, ToD3D(expected));
    EXPECT_EQ(device.Calls()[0].Texture, sprite.Texture.get());
    EXPECT_EQ(device.State().Texture, nullptr);
}

TEST_F(SpriteTest, AMissingPictureDrawsUntexturedAndDestroyReleasesTheTexture) {
    T3DSprite missing(&device, (dir.path() / "nothing.tga").string());
    EXPECT_EQ(missing.Texture, nullptr);
    missing.Scale = {1, 1, 1};
    EXPECT_EQ(missing.Draw(), D3D_OK);
    EXPECT_EQ(device.Log().front(), "SetTexture(0, NULL)");

    T3DSprite sprite(&device, (dir.path() / "pointer.png").string());
    std::weak_ptr<ITexture> texture = sprite.Texture;
    sprite.Destroy();
    EXPECT_TRUE(texture.expired());
    EXPECT_EQ(sprite.Draw(), D3DERR_INVALIDCALL);
}

} // namespace
} // namespace veltrane
