// Particles: how they move, fade and die, how lists keep them, and how a list is drawn.
#include "render/Particles.h"

#include "DrawCapture.h"
#include "TempDir.h"
#include "render/PictureFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <vector>

namespace veltrane {
namespace {

using drawtest::TDraw;
using drawtest::TDrawDevice;

// A white picture of w x h pixels, folders made as needed.
void WriteTga(const std::filesystem::path& path, int w, int h) {
    std::filesystem::create_directories(path.parent_path());
    picturetest::WriteTga(path, w, h, [](int, int) { return 0xFFFFFFFFu; });
}

class ParticlesTest : public ::testing::Test {
protected:
    std::vector<TParticle> Contents(int list) const {
        std::vector<TParticle> out;
        particles.Lists[size_t(list - 1)].ForEach([&](const TParticle& p) { out.push_back(p); });
        return out;
    }

    // Milliseconds of 1 ms steps until list 1's only particle is gone.
    int Lifetime(int type, int32_t life = 256) {
        InitParticles(particles);
        SpawnParticle(particles, 1, type, {0, 0, 1}, life, {0, 0, 0});
        int ms = 0;
        while (!particles.Lists[0].Empty() && ms < 100000) {
            UpdateParticles(particles, 1, 1);
            ++ms;
        }
        return ms;
    }

    TParticles particles;
};

TEST_F(ParticlesTest, ParticlesDieWhenTheirLifeFadesOrTheirSizeShrinksToNothing) {
    // A fuse spark (fade 120) loses about 1.2 life per millisecond: about 210 ms.
    EXPECT_NEAR(Lifetime(5), 210, 3);
    // A colour-burst spark shrinks to nothing in 10000 ms when its life would last longer.
    EXPECT_NEAR(Lifetime(0, 1000000), 10000, 2);
    // ...but fades first with the usual life: 256 / 0.3 ms.
    EXPECT_NEAR(Lifetime(0), 837, 3);
    // The banner fades slowly (fade 8) and never shrinks.
    EXPECT_NEAR(Lifetime(6), 3131, 3);
}

TEST_F(ParticlesTest, ASpawnedParticleTakesItsTypesRowAndMovesByTheLawsOfItsType) {
    ASSERT_TRUE(SpawnParticle(particles, 2, 2, {1, 2, 3}, 256, {100, -50, 0}));
    TParticle p = Contents(2).front();
    EXPECT_EQ(p.Kind, 2);
    EXPECT_FLOAT_EQ(p.SizeX, 1);
    EXPECT_FLOAT_EQ(p.Angle, 0);
    UpdateParticles(particles, 2, 100);
    p = Contents(2).front();
    // Moved by the velocity per 10000 ms, then slowed by the damping -1 per 1000 ms.
    EXPECT_FLOAT_EQ(p.Position.x, 2);
    EXPECT_FLOAT_EQ(p.Position.y, 1.5f);
    EXPECT_FLOAT_EQ(p.Velocity.x, 90);
    EXPECT_FLOAT_EQ(p.Velocity.y, -45);
    EXPECT_FLOAT_EQ(p.SizeX, 1.02f); // type 2 grows
    EXPECT_EQ(p.Life, 256 - 25);

    // A type-4 spark spins at 250 / 10000 rad per ms at first, then turns the other way.
    SpawnParticle(particles, 3, 4, {}, 100000, {});
    auto turn = [&] {
        const float before = Contents(3).front().Angle;
        UpdateParticles(particles, 3, 1);
        const float after = Contents(3).front().Angle;
        EXPECT_GE(after, 0);
        EXPECT_LE(after, 2 * std::numbers::pi_v<float>);
        return std::remainder(after - before, 2 * std::numbers::pi_v<float>);
    };
    EXPECT_NEAR(turn(), 0.025f, 1e-6f);
    for (int ms = 1; ms < 700; ++ms) turn();
    EXPECT_NEAR(turn(), (250 - 5000 * 0.07f) / 10000, 1e-4f);
}

TEST_F(ParticlesTest, FadingDoesNotDependOnTheFrameRate) {
    // Short frames fade as fast as long ones: the banner (fade 8) at 400 frames per second.
    SpawnParticle(particles, 1, 6, {}, 256, {});
    SpawnParticle(particles, 2, 6, {}, 256, {});
    for (int i = 0; i < 400; ++i) UpdateParticles(particles, 1, 2.5f);
    UpdateParticles(particles, 2, 1000);
    EXPECT_NEAR(Contents(1).front().Life, Contents(2).front().Life, 1);
    EXPECT_EQ(Contents(2).front().Life, 256 - 80);
}

TEST_F(ParticlesTest, NewParticlesComeFirstAndTheDeadLeaveWithoutDisturbingTheRest) {
    SpawnParticle(particles, 1, 6, {1, 0, 0}, 256, {});
    SpawnParticle(particles, 1, 5, {2, 0, 0}, 256, {});
    SpawnParticle(particles, 1, 6, {3, 0, 0}, 256, {});
    SpawnParticle(particles, 1, 5, {4, 0, 0}, 256, {});
    ASSERT_EQ(particles.Lists[0].Count(), 4);
    EXPECT_FLOAT_EQ(Contents(1).front().Position.x, 4);
    UpdateParticles(particles, 1, 250); // the fuse sparks are gone
    const std::vector<TParticle> left = Contents(1);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_FLOAT_EQ(left[0].Position.x, 3);
    EXPECT_FLOAT_EQ(left[1].Position.x, 1);
    // Other lists are untouched by the update of list 1.
    SpawnParticle(particles, 2, 5, {}, 256, {});
    UpdateParticles(particles, 1, 250);
    EXPECT_EQ(particles.Lists[1].Count(), 1);
}

TEST_F(ParticlesTest, AFullListDropsFurtherSpawnsAndBadListsOrTypesSpawnNothing) {
    for (int i = 0; i < TParticleList::kCapacity; ++i)
        ASSERT_TRUE(SpawnParticle(particles, 4, 5, {float(i), 0, 0}, 256, {}));
    EXPECT_FALSE(SpawnParticle(particles, 4, 5, {-1, 0, 0}, 256, {}));
    EXPECT_EQ(particles.Lists[3].Count(), TParticleList::kCapacity);
    EXPECT_FLOAT_EQ(Contents(4).front().Position.x, float(TParticleList::kCapacity - 1));
    UpdateParticles(particles, 4, 500);
    EXPECT_TRUE(particles.Lists[3].Empty());
    EXPECT_TRUE(SpawnParticle(particles, 4, 5, {}, 256, {})); // the pool is whole again
    EXPECT_FALSE(SpawnParticle(particles, 0, 1, {}, 256, {}));
    EXPECT_FALSE(SpawnParticle(particles, 7, 1, {}, 256, {}));
    EXPECT_FALSE(SpawnParticle(particles, 1, 7, {}, 256, {}));
    EXPECT_FALSE(SpawnParticle(particles, 1, -1, {}, 256, {}));
}

class DrawParticlesTest : public ParticlesTest {
protected:
    void SetUp() override {
        for (int slot = 1; slot <= kParticleTextureSlots; ++slot) {
            const uint32_t pixel = 0xFF000000u | uint32_t(slot);
            device.CreateTexture(gfx::MakeTextureImage(1, 1, &pixel, gfx::D3DFMT_A8R8G8B8, 1),
                                 particles.Textures[size_t(slot - 1)]);
        }
    }
    TDrawDevice device;
};

TEST_F(DrawParticlesTest, TheListsFirstParticleChoosesTextureAndBlending) {
    SpawnParticle(particles, 2, 2, {}, 256, {});
    SpawnParticle(particles, 2, 3, {}, 256, {}); // now first: type 3, additive, slot 4
    SpawnParticle(particles, 5, 2, {}, 256, {});
    SpawnParticle(particles, 5, 6, {}, 256, {}); // now first: type 6, covering, slot 7
    DrawParticles(device, device.Quads, particles, 2);
    DrawParticles(device, device.Quads, particles, 5);
    ASSERT_EQ(device.Draws.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const TDraw& d = device.Draws[size_t(i)];
        EXPECT_EQ(d.Texture, particles.Textures[i < 2 ? 3 : 6]) << i;
        EXPECT_EQ(d.DestBlend, i < 2 ? gfx::D3DBLEND_ONE : gfx::D3DBLEND_INVSRCALPHA) << i;
        EXPECT_EQ(d.SrcBlend, gfx::D3DBLEND_SRCALPHA);
        EXPECT_TRUE(d.AlphaBlend);
        EXPECT_FALSE(d.Lighting);
        EXPECT_EQ(d.AlphaOp, gfx::D3DTOP_MODULATE);
    }
    const gfx::TDeviceState& after = device.Inner.State();
    EXPECT_EQ(after.Texture, nullptr);
    EXPECT_TRUE(after.RenderState(gfx::D3DRS_LIGHTING));
    EXPECT_FALSE(after.RenderState(gfx::D3DRS_ALPHABLENDENABLE));
    EXPECT_EQ(after.RenderState(gfx::D3DRS_DESTBLEND), gfx::D3DBLEND_INVSRCALPHA);
    device.Draws.clear();
    DrawParticles(device, device.Quads, particles, 1); // empty: nothing at all
    EXPECT_TRUE(device.Draws.empty());
    EXPECT_TRUE(device.Inner.Calls().size() > 0);
}

TEST_F(DrawParticlesTest, EachParticleIsAWhiteQuadFadedByItsLifeWherePlacedSizedAndTurned) {
    SpawnParticle(particles, 3, 4, {1, 2, 3}, 256, {});
    DrawParticles(device, device.Quads, particles, 3); // before its first step: fully opaque
    SpawnParticle(particles, 1, 1, {0, 0, 1}, 256, {});
    UpdateParticles(particles, 1, 500); // life 256 - 100
    DrawParticles(device, device.Quads, particles, 1);
    ASSERT_EQ(device.Draws.size(), 2u);
    for (const TVertex& v : device.Draws[0].Quad) EXPECT_EQ(v.Colour, 0xFFFFFFFFu);
    for (const TVertex& v : device.Draws[1].Quad) EXPECT_EQ(v.Colour, 0x9CFFFFFFu);
    const gfx::D3DMATRIX& w = device.Draws[0].World;
    EXPECT_FLOAT_EQ(w.m[0][0], 0.2f); // size 0.2, angle 0
    EXPECT_FLOAT_EQ(w.m[3][0], 1);
    EXPECT_FLOAT_EQ(w.m[3][1], 2);
    EXPECT_FLOAT_EQ(w.m[3][2], 3);
    // Unit quad, corners at +-0.5, picture 0..1.
    EXPECT_FLOAT_EQ(device.Draws[1].Quad[0].x, 0.5f);
    EXPECT_FLOAT_EQ(device.Draws[1].Quad[5].x, -0.5f);
    EXPECT_FLOAT_EQ(device.Draws[1].Quad[5].u, 1);
}

TEST_F(DrawParticlesTest, TheNewLevelBannerRisesWithItsOwnWidePicture) {
    TempDir dir;
    CurrentDir cwd(dir.path());
    WriteTga(dir.path() / "images" / "newlevel.tga", 8, 2);
    SpawnParticle(particles, 5, 5, {}, 3, {}); // a dead particle left in the list goes
    SpawnNewLevelBanner(device, particles);
    const std::vector<TParticle> banner = Contents(5);
    ASSERT_EQ(banner.size(), 1u);
    EXPECT_FLOAT_EQ(banner[0].SizeX, 4.45f);
    EXPECT_FLOAT_EQ(banner[0].SizeY, 0.85f);
    UpdateParticles(particles, 5, 100);
    EXPECT_GT(Contents(5).front().Position.y, -3);
    DrawParticles(device, device.Quads, particles, 5);
    ASSERT_EQ(device.Draws.size(), 1u);
    ASSERT_NE(device.Draws[0].Texture, nullptr);
    EXPECT_EQ(device.Draws[0].Texture->Width(), 8u);
    EXPECT_EQ(device.Draws[0].DestBlend, gfx::D3DBLEND_INVSRCALPHA);

    // Giving an empty list a picture loads nothing.
    const gfx::TextureHandle before = particles.Textures[6];
    InitParticles(particles);
    SetListPicture(device, particles, 5, "images\\newlevel.tga", 1, 1);
    EXPECT_EQ(particles.Textures[6], before);
}

TEST_F(ParticlesTest, TexturesLoadFromTheEffectPicturesWithSlotSevenRepeatingTheFirst) {
    TempDir dir;
    CurrentDir cwd(dir.path());
    for (int i = 1; i <= 6; ++i)
        WriteTga(dir.path() / "Images" / ("Effect" + std::to_string(i) + ".tga"), i, 1);
    gfx::TRecordingDevice device;
    LoadParticleTextures(device, particles);
    for (int slot = 1; slot <= 7; ++slot) {
        ASSERT_NE(particles.Textures[size_t(slot - 1)], nullptr) << slot;
        EXPECT_EQ(particles.Textures[size_t(slot - 1)]->Width(), uint32_t(slot < 7 ? slot : 1));
    }
}

} // namespace
} // namespace veltrane
