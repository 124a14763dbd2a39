#include "overlays/Tutorial.h"

#include "platform/DebugLog.h"
#include "platform/gfx/RecordingDevice.h"
#include "render/Geometry.h"
#include "render/JpegToBmp.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

namespace veltrane {
namespace {
namespace fs = std::filesystem;

// A small grey JPEG whose width tells the pages apart.
void WriteJpeg(const fs::path& path, int width, int height) {
    std::vector<uint8_t> rgb(size_t(width) * height * 3, 128);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = rgb.data() + size_t(info.next_scanline) * width * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// A game folder with the nine tutorial pages as JPEG files (page N is 8 + N pixels wide).
class TutorialTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(Folder());
        for (int page = 1; page <= TutorialPages; ++page) WriteJpeg(Page(page, ".jpg"), 8 + page, 6);
        SetDebugLogClock([] { return 3u; });
        SetDebugLogFile((dir_.path() / "debug.txt").string());
    }
    void TearDown() override {
        SetDebugLogClock(nullptr);
        SetDebugLogFile("");
    }

    fs::path Folder() const { return dir_.path() / "Images" / "Tutorial"; }
    fs::path Page(int page, const char* extension) const {
        return Folder() / ("tut" + std::to_string(page) + extension);
    }
    std::string Trace() const {
        std::ifstream in(dir_.path() / "debug.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The width of the picture the sprite shows, 0 for none.
    static uint32_t ShownWidth(const TTutorial& tutorial) {
        return tutorial.Sprite && tutorial.Sprite->Texture ? tutorial.Sprite->Texture->Width() : 0;
    }

    TempDir dir_;
    CurrentDir cd_{dir_.path()};
    gfx::TRecordingDevice device_;
};

TEST_F(TutorialTest, TheFirstVisitConvertsEveryPageAndShowsPageOne) {
    TTutorial tutorial(&device_);
    for (int page = 1; page <= TutorialPages; ++page) EXPECT_TRUE(fs::exists(Page(page, ".bmp"))) << page;
    EXPECT_EQ(tutorial.Page, 1);
    EXPECT_EQ(ShownWidth(tutorial), 9u);
    EXPECT_EQ(tutorial.Sprite->Scale, MakeVector(14.45f, 10.8375f, 1));
    EXPECT_EQ(tutorial.Sprite->Position, MakeVector(-1.8f, -0.25f, 0));
    EXPECT_EQ(tutorial.Sprite->Rotation, MakeVector(0, 0, 0));
    EXPECT_FALSE(tutorial.PreviousVisible());
    EXPECT_TRUE(tutorial.NextVisible());

    gfx::VertexBufferHandle vb;
    TCollector ranges;
    ASSERT_EQ(InitVertices(device_, vb, ranges), gfx::D3D_OK);
    ASSERT_EQ(device_.BeginScene(), gfx::D3D_OK);
    device_.ClearLog();
    EXPECT_EQ(tutorial.Draw(), gfx::D3D_OK);
    // The page's picture on stage 0 for the sprite's two triangles.
    const std::vector<gfx::TRecordedCall>& calls = device_.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].Texture, tutorial.Sprite->Texture.get());
    EXPECT_EQ(device_.Log().back(), "SetTexture(0, NULL)");
}

TEST_F(TutorialTest, PageOnesBitmapMeansTheConversionIsDone) {
    { TTutorial first(&device_); }
    fs::remove(Page(4, ".bmp"));
    WriteJpeg(Page(2, ".jpg"), 30, 6);

    TTutorial tutorial(&device_);
    EXPECT_FALSE(fs::exists(Page(4, ".bmp")));
    tutorial.ShowPage(+1);
    EXPECT_EQ(ShownWidth(tutorial), 10u); // the bitmap of the first visit
    tutorial.ShowPage(+1);
    tutorial.ShowPage(+1);
    EXPECT_EQ(tutorial.Page, 4);
    EXPECT_EQ(ShownWidth(tutorial), 0u); // a missing page shows untextured
}

TEST_F(TutorialTest, AFailedConversionMakesNoTutorialAndIsRetriedOnTheNextVisit) {
    fs::remove(Page(5, ".jpg"));
    EXPECT_THROW(TTutorial{&device_}, EPictureError);
    EXPECT_FALSE(fs::exists(Page(1, ".bmp")));

    WriteJpeg(Page(5, ".jpg"), 13, 6);
    TTutorial tutorial(&device_);
    for (int page = 1; page <= TutorialPages; ++page) EXPECT_TRUE(fs::exists(Page(page, ".bmp"))) << page;
}

TEST_F(TutorialTest, PagesStopAtOneAndNineAndAreReloadedWithTwoTraceLinesEachTime) {
    TTutorial tutorial(&device_);
    const gfx::TextureHandle before = tutorial.Sprite->Texture;
    tutorial.ShowPage(-1);
    EXPECT_EQ(tutorial.Page, 1);
    EXPECT_NE(tutorial.Sprite->Texture, before); // loaded again from its file
    EXPECT_EQ(ShownWidth(tutorial), 9u);
    EXPECT_EQ(Trace(), "3 loading 1\r\n3 loaded1\r\n");

    for (int i = 0; i < 10; ++i) tutorial.ShowPage(+1);
    EXPECT_EQ(tutorial.Page, 9);
    EXPECT_EQ(ShownWidth(tutorial), 17u);
    EXPECT_TRUE(tutorial.PreviousVisible());
    EXPECT_FALSE(tutorial.NextVisible());
    const std::string trace = Trace();
    EXPECT_EQ(trace.substr(trace.size() - 48), "3 loading 9\r\n3 loaded9\r\n3 loading 9\r\n3 loaded9\r\n");

    tutorial.ShowPage(-1);
    EXPECT_EQ(tutorial.Page, 8);
    EXPECT_EQ(ShownWidth(tutorial), 16u);
    tutorial.ShowPage(0); // no direction: the same page again
    EXPECT_EQ(tutorial.Page, 8);
    EXPECT_TRUE(tutorial.NextVisible());
}

} // namespace
} // namespace veltrane
