// Loading textures from picture files and converting JPEG pictures to bitmaps.
#include "render/JpegToBmp.h"
#include "render/TextureLoader.h"

#include "FileFaults.h"
#include "PictureFiles.h"
#include "TempDir.h"
#include "platform/gfx/RecordingDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace veltrane {
namespace {

using namespace gfx;
using namespace picturetest;

const TRecordedTexture& Recorded(const TextureHandle& texture) {
    return dynamic_cast<const TRecordedTexture&>(*texture);
}

TEST(LoadTextureTest, TakesSizeAndFormatFromTheFileWithAFullMipmapChain) {
    TempDir dir;
    WritePng(dir.path() / "alpha.png", 8, 4, [](int x, int) { return x < 4 ? 0x80FF0000u : 0xFF00FF00u; });
    WriteBmp(dir.path() / "solid.bmp", 6, 3, [](int, int y) { return y == 0 ? 0xFF0000FFu : 0xFFFFFFFFu; });
    WriteTga(dir.path() / "Skin.tga", 4, 2, [](int, int y) { return y == 0 ? 0x40102030u : 0xFF405060u; });
    TRecordingDevice device;
    TextureHandle texture;

    LoadTexture(device, (dir.path() / "alpha.png").string(), texture);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width(), 8u);
    EXPECT_EQ(texture->Height(), 4u);
    EXPECT_EQ(texture->Levels(), 4u); // 8x4, 4x2, 2x1, 1x1
    EXPECT_EQ(texture->Format(), D3DFMT_A8R8G8B8);
    EXPECT_EQ(Recorded(texture).Image.Levels[0].Pixels[0], 0x80FF0000u);
    EXPECT_EQ(Recorded(texture).Image.Levels[0].Pixels[7], 0xFF00FF00u);

    LoadTexture(device, (dir.path() / "solid.bmp").string(), texture);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Format(), D3DFMT_X8R8G8B8);
    EXPECT_EQ(Recorded(texture).Image.Levels[0].Pixels[0], 0xFF0000FFu); // top row first
    EXPECT_EQ(Recorded(texture).Image.Levels[0].Pixels[6], 0xFFFFFFFFu);

    // Windows-style name with other letter case; TGA keeps its alpha and its row order.
    const std::string windowsName = (dir.path() / "SKIN.TGA").string();
    LoadTexture(device, windowsName, texture, D3DX_FILTER_LINEAR, D3DX_FILTER_NONE);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(Recorded(texture).Image.Levels[0].Pixels[0], 0x40102030u);
    EXPECT_EQ(Recorded(texture).Image.Levels[0].Pixels[4], 0xFF405060u);
    EXPECT_EQ(Recorded(texture).Image.Levels[1].Pixels[0], 0x40102030u); // picked, not averaged
}

TEST(LoadTextureTest, MissingOrUnreadableFilesLeaveTheTextureEmpty) {
    TempDir dir;
    WriteBytes(dir.path() / "broken.tga", {1, 2, 3, 4, 5});
    WritePng(dir.path() / "ok.png", 2, 2, [](int, int) { return 0xFFFFFFFFu; });
    TRecordingDevice device;
    TextureHandle texture;
    LoadTexture(device, (dir.path() / "ok.png").string(), texture);
    ASSERT_NE(texture, nullptr);
    LoadTexture(device, (dir.path() / "missing.jpg").string(), texture);
    EXPECT_EQ(texture, nullptr); // cleared first
    LoadTexture(device, (dir.path() / "broken.tga").string(), texture);
    EXPECT_EQ(texture, nullptr);

    device.FailCalls("CreateTexture", E_OUTOFMEMORY);
    LoadTexture(device, (dir.path() / "ok.png").string(), texture);
    EXPECT_EQ(texture, nullptr);
}

TEST(JpegToBmpTest, WritesTheSamePictureBesideTheJpegReplacingAnOldBitmap) {
    TempDir dir;
    WriteBytes(dir.path() / "tut1.jpg",
               JpegBytes(32, 16, [](int x, int) { return x < 16 ? 0xFFE00000u : 0xFF0000E0u; }));
    WriteBytes(dir.path() / "tut1.bmp", {'o', 'l', 'd'});
    JpegToBmp((dir.path() / "tut1.jpg").string());

    SDL_Surface* bmp = SDL_LoadBMP((dir.path() / "tut1.bmp").string().c_str());
    ASSERT_NE(bmp, nullptr) << SDL_GetError();
    EXPECT_EQ(bmp->w, 32);
    EXPECT_EQ(bmp->h, 16);
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(bmp, SDL_PIXELFORMAT_ARGB8888, 0);
    auto pixel = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                 y * argb->pitch)[x];
    };
    EXPECT_NEAR(int((pixel(4, 8) >> 16) & 0xFF), 0xE0, 8);
    EXPECT_NEAR(int(pixel(4, 8) & 0xFF), 0, 8);
    EXPECT_NEAR(int(pixel(28, 8) & 0xFF), 0xE0, 8);
    SDL_FreeSurface(argb);
    SDL_FreeSurface(bmp);
    EXPECT_EQ(BmpNameFor("Images\\Tutorial\\tut3.jpg"), "Images\\Tutorial\\tut3.bmp");
    EXPECT_EQ(BmpNameFor("my.dir/picture"), "my.dir/picture.bmp");
}

TEST(JpegToBmpTest, BadPicturesRaiseAndWriteNothing) {
    TempDir dir;
    const std::vector<uint8_t> good =
        JpegBytes(64, 64, [](int x, int y) { return 0xFF000000u | uint32_t(x * 4 + y); });
    // Truncated: libjpeg would only warn and hand back a padded picture.
    WriteBytes(dir.path() / "cut.jpg",
               std::vector<uint8_t>(good.begin(), good.begin() + long(good.size() / 2)));
    WriteBytes(dir.path() / "noise.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    WriteBytes(dir.path() / "kept.bmp", {'o', 'l', 'd'});
    WriteBytes(dir.path() / "kept.jpg", {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});

    EXPECT_THROW(JpegToBmp((dir.path() / "cut.jpg").string()), EPictureError);
    EXPECT_THROW(JpegToBmp((dir.path() / "noise.jpg").string()), EPictureError);
    EXPECT_THROW(JpegToBmp((dir.path() / "missing.jpg").string()), EPictureError);
    EXPECT_THROW(JpegToBmp((dir.path() / "kept.jpg").string()), EPictureError);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "cut.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "noise.bmp"));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "kept.bmp"), 3u);
    try {
        JpegToBmp((dir.path() / "cut.jpg").string());
    } catch (const EPictureError& e) {
        EXPECT_NE(std::string(e.what()).find("cut.jpg"), std::string::npos) << e.what();
    }
}

// The picture's size as its baseline frame header states it.
void SetJpegSize(std::vector<uint8_t>& jpeg, int w, int h) {
    for (size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = uint8_t(h >> 8);
            jpeg[i + 6] = uint8_t(h);
            jpeg[i + 7] = uint8_t(w >> 8);
            jpeg[i + 8] = uint8_t(w);
            return;
        }
    ADD_FAILURE() << "no frame header";
}

TEST(JpegToBmpTest, PicturesLargerThanThePagesNeedAreRefusedFromTheirHeader) {
    TempDir dir;
    const auto grey = [](int x, int y) { return 0xFF000000u | uint32_t((x + y) & 0xFF) * 0x010101u; };
    // Headers that promise a huge picture, over a few hundred bytes of data.
    std::vector<uint8_t> huge = JpegBytes(64, 64, grey);
    const uint8_t startOfScan[] = {0xFF, 0xDA};
    const auto scan = std::search(huge.begin(), huge.end(), std::begin(startOfScan), std::end(startOfScan));
    ASSERT_NE(scan, huge.end());
    huge.erase(scan + 40, huge.end());
    SetJpegSize(huge, 16384, 16384);
    WriteBytes(dir.path() / "huge.jpg", huge);
    SetJpegSize(huge, 2049, 16);
    WriteBytes(dir.path() / "wide.jpg", huge);
    SetJpegSize(huge, 16, 4096);
    WriteBytes(dir.path() / "tall.jpg", huge);
    for (const char* name : {"huge", "wide", "tall"}) {
        SCOPED_TRACE(name);
        try {
            JpegToBmp((dir.path() / (std::string(name) + ".jpg")).string());
            ADD_FAILURE() << "converted";
        } catch (const EPictureError& e) {
            EXPECT_NE(std::string(e.what()).find("picture too large"), std::string::npos) << e.what();
        }
        EXPECT_FALSE(std::filesystem::exists(dir.path() / (std::string(name) + ".bmp")));
    }

    // The largest picture taken converts whole, its rows in order.
    WriteBytes(dir.path() / "largest.jpg", JpegBytes(int(MaxJpegSide), 24, [](int x, int y) {
                   return y < 12 ? 0xFFFFFFFFu : (x < 1024 ? 0xFFE00000u : 0xFF0000E0u);
               }));
    JpegToBmp((dir.path() / "largest.jpg").string());
    SDL_Surface* bmp = SDL_LoadBMP((dir.path() / "largest.bmp").string().c_str());
    ASSERT_NE(bmp, nullptr) << SDL_GetError();
    EXPECT_EQ(bmp->w, int(MaxJpegSide));
    EXPECT_EQ(bmp->h, 24);
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(bmp, SDL_PIXELFORMAT_ARGB8888, 0);
    auto pixel = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                 y * argb->pitch)[x];
    };
    EXPECT_NEAR(int(pixel(10, 2) & 0xFF), 0xFF, 8); // white on top
    EXPECT_NEAR(int((pixel(10, 20) >> 16) & 0xFF), 0xE0, 8);
    EXPECT_NEAR(int(pixel(2000, 20) & 0xFF), 0xE0, 8);
    SDL_FreeSurface(argb);
    SDL_FreeSurface(bmp);
}

TEST(JpegToBmpTest, EveryFailingCallOfTheBitmapsWriteIsReportedAndKeepsTheOldOne) {
    TempDir dir;
    WriteBytes(dir.path() / "tut2.jpg", JpegBytes(32, 16, [](int, int) { return 0xFF808080u; }));
    WriteBytes(dir.path() / "tut2.bmp", {'o', 'l', 'd'});
    filefaults::ExpectEachFaultReported(dir.path() / "tut2.bmp", [&](const filefaults::TFault& fault) {
        try {
            JpegToBmp((dir.path() / "tut2.jpg").string());
        } catch (const EPictureError& e) {
            EXPECT_NE(std::string(e.what()).find(std::strerror(fault.Error)), std::string::npos) << e.what();
            return false;
        }
        return true;
    });
}

} // namespace
} // namespace veltrane
