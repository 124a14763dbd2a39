#include "UiAssetsTest.h"

#include "TempDir.h"
#include "ui/ContactSheet.h"
#include "ui/Fonts.h"
#include "ui/MenuLayout.h"
#include "ui/MenuPictures.h"
#include "ui/UiAssets.h"
#include "ui/UiParts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>

namespace veltrane::assetgen::testing {

const std::filesystem::path& UiGameFolder(UiPart part) {
    static std::map<UiPart, std::unique_ptr<TempDir>> made;
    std::unique_ptr<TempDir>& dir = made[part];
    if (!dir) {
        dir = std::make_unique<TempDir>();
        const std::filesystem::path& path = dir->path();
        switch (part) {
        case UiPart::Fonts:
            ui::MakeFonts(path);
            break;
        case UiPart::MenuPictures:
            ui::MakeMenuArt(path);
            [[fallthrough]];
        case UiPart::MenuFile:
            ui::MakeMenuFile(path);
            break;
        case UiPart::Pointers:
            ui::MakePointers(path);
            break;
        case UiPart::Screens:
            ui::MakeScreenArt(path);
            break;
        case UiPart::All:
            MakeUiAssets(path);
            break;
        }
    }
    return dir->path();
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string ReadText(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

Picture ReadTga(const std::filesystem::path& path) {
    const std::vector<uint8_t> b = ReadBytes(path);
    if (b.size() < 18 || b[2] != 2 || b[16] != 32)
        throw std::runtime_error("not a 32-bit TGA: " + path.string());
    Picture p;
    p.width = b[12] | (b[13] << 8);
    p.height = b[14] | (b[15] << 8);
    const bool topDown = (b[17] & 0x20) != 0;
    const size_t start = 18 + b[0];
    if (b.size() < start + static_cast<size_t>(p.width) * p.height * 4) throw std::runtime_error("short TGA");
    p.rgba.resize(static_cast<size_t>(p.width) * p.height * 4);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const int row = topDown ? y : p.height - 1 - y;
            const uint8_t* s = &b[start + (static_cast<size_t>(row) * p.width + x) * 4];
            uint8_t* d = &p.rgba[(static_cast<size_t>(y) * p.width + x) * 4];
            d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3];
        }
    return p;
}

std::pair<int, int> JpegSize(const std::filesystem::path& path) {
    const std::vector<uint8_t> b = ReadBytes(path);
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8)
        throw std::runtime_error("not a JPEG: " + path.string());
    size_t i = 2;
    while (i + 9 < b.size()) {
        if (b[i] != 0xFF) throw std::runtime_error("bad JPEG marker");
        const uint8_t marker = b[i + 1];
        const size_t length = (b[i + 2] << 8) | b[i + 3];
        if (marker >= 0xC0 && marker <= 0xC2) return {(b[i + 7] << 8) | b[i + 8], (b[i + 5] << 8) | b[i + 6]};
        i += 2 + length;
    }
    throw std::runtime_error("JPEG without a frame header");
}

} // namespace veltrane::assetgen::testing

namespace veltrane::assetgen {
namespace {

using testing::JpegSize;
using testing::ReadBytes;
using testing::ReadTga;
using testing::UiGameFolder;

std::map<std::string, std::vector<uint8_t>> FolderContents(const std::filesystem::path& root) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), root).generic_string()] = ReadBytes(entry.path());
    return files;
}

TEST(UiAssets, SecondRunWritesTheSameFilesByteForByte) {
    TempDir again;
    MakeUiAssets(again.path());
    const auto first = FolderContents(UiGameFolder(testing::UiPart::All));
    const auto second = FolderContents(again.path());
    ASSERT_GT(first.size(), 50u);
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first) {
        const auto other = second.find(name);
        ASSERT_NE(other, second.end()) << name;
        EXPECT_TRUE(bytes == other->second) << name << " differs between runs";
    }
}

TEST(UiAssets, FullScreenPicturesFillTheFourByThreePlaneAndTheLauncherIs200By150) {
    const auto images = UiGameFolder(testing::UiPart::Screens) / "Images";
    for (const char* name : {"loading.jpg", "gameover.jpg", "help.jpg"}) {
        const auto [w, h] = JpegSize(images / name);
        EXPECT_EQ(w * 3, h * 4) << name;
        EXPECT_GE(w, 800) << name;
    }
    EXPECT_EQ(JpegSize(images / "launcher.jpg"), std::make_pair(200, 150));
}

// The game centres a pointer picture on the pointer's position, so the hot spot must be the
// picture's centre: the arrow's tip there, and nothing above or left of it.
TEST(UiAssets, ArrowPointerHasItsTipAtTheCentreAndAimingPointerIsCentred) {
    const auto arrow = ReadTga(UiGameFolder(testing::UiPart::Pointers) / "Images" / "cursor.tga");
    ASSERT_EQ(arrow.width, arrow.height);
    const int m = arrow.width / 2;
    EXPECT_GT(arrow.Alpha(m + 1, m + 2), 128);
    for (int y = 0; y < m - 3; ++y)
        for (int x = 0; x < arrow.width; ++x) ASSERT_EQ(arrow.Alpha(x, y), 0) << x << "," << y;
    for (int y = 0; y < arrow.height; ++y)
        for (int x = 0; x < m - 3; ++x) ASSERT_EQ(arrow.Alpha(x, y), 0) << x << "," << y;

    const auto aim = ReadTga(UiGameFolder(testing::UiPart::Pointers) / "Images" / "cursor1.tga");
    ASSERT_EQ(aim.width, aim.height);
    const int c = aim.width / 2;
    EXPECT_GT(aim.Alpha(c, c), 200); // the centre dot
    // Symmetric: the ring is as far to the left as to the right, above as below.
    for (int d = 10; d < c; ++d) {
        EXPECT_NEAR(aim.Alpha(c - d, c), aim.Alpha(c + d - 1, c), 40) << d;
        EXPECT_NEAR(aim.Alpha(c, c - d), aim.Alpha(c, c + d - 1), 40) << d;
    }
}

// Every menu page shares the background, so where the high-score page writes "enter your name"
// (from x = -3.5, y = -5.3 towards the right, glyphs 0.36 high) it must be bare dark floor: no
// panel standing empty on the other pages (its gold edge), no resting cube under the prompt.
// Both come to about 0.4 in their brightest channel, the floor to about 0.13.
TEST(UiAssets, MenuBackgroundLeavesBareFloorWhereTheNamePromptAppears) {
    const Canvas back = ui::DrawMenuBackground(1024, 768);
    const float w = static_cast<float>(back.Width()), h = static_cast<float>(back.Height());
    const auto px = [&](float worldX) {
        return static_cast<int>(w / 2 + (ui::kPlaneCentreX - worldX) * w / ui::kPlaneWidth);
    };
    const auto py = [&](float worldY) {
        return static_cast<int>(h / 2 - (worldY - ui::kPlaneCentreY) * h / ui::kPlaneHeight);
    };
    float brightest = 0;
    for (int y = py(-5.3f + 0.35f); y < std::min(back.Height(), py(-5.3f - 0.35f)); ++y)
        for (int x = px(-3.2f); x < px(-7.3f); ++x) {
            const Colour c = back.Get(x, y);
            brightest = std::max({brightest, c.r, c.g, c.b});
        }
    EXPECT_LT(brightest, 0.25f);
}

// Not a check: remakes docs/ui-contact-sheet.png, the interface's screens as a player sees them
// at 800 x 600. Run with --gtest_also_run_disabled_tests --gtest_filter='*ContactSheet*'.
TEST(UiAssets, DISABLED_WriteContactSheet) {
    const std::filesystem::path out =
        std::filesystem::path(VELTRANE_SOURCE_DIR) / "docs" / "ui-contact-sheet.png";
    ui::UiContactSheet().WritePng(out);
    EXPECT_TRUE(std::filesystem::exists(out));
}

} // namespace
} // namespace veltrane::assetgen
