#include "scene/SceneAssets.h"
#include "scene/Mockup.h"
#include "scene/ScenePictures.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace veltrane::assetgen::scene {
namespace {

std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// Width and height from a TGA header or a JPEG frame header.
Size PictureSize(const std::vector<unsigned char>& b, const std::string& ext) {
    if (ext == ".tga" && b.size() >= 18) return {b[12] | (b[13] << 8), b[14] | (b[15] << 8)};
    for (size_t i = 2; ext == ".jpg" && i + 9 < b.size();) {
        if (b[i] != 0xFF) return {};
        const int marker = b[i + 1];
        const size_t length = static_cast<size_t>((b[i + 2] << 8) | b[i + 3]);
        if (marker == 0xC0 || marker == 0xC2) return {(b[i + 7] << 8) | b[i + 8], (b[i + 5] << 8) | b[i + 6]};
        i += 2 + length;
    }
    return {};
}

bool PowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// Every file the game loads from the scene's share of the game folder.
std::vector<std::string> ExpectedFiles() {
    std::vector<std::string> names = {"floor.jpg", "wall1.jpg",      "wall2.jpg",      "wall3.jpg",
                                      "wall4.jpg", "background.jpg", "bonuslight.tga", "plugbonus.tga",
                                      "line.tga",  "lineleft.tga",   "dot1.tga",       "dot2.tga",
                                      "dot3.tga",  "newlevel.tga"};
    for (int n = 1; n <= 6; ++n) names.push_back("effect" + std::to_string(n) + ".tga");
    for (int n = 1; n <= 9; ++n) names.push_back("Tutorial/tut" + std::to_string(n) + ".jpg");
    for (int skin = 1; skin <= 5; ++skin)
        for (int slot = 0; slot <= 17; ++slot) {
            const bool sharedSlot = slot == 7 || slot == 8 || slot == 9 || slot == 17;
            if (skin == 1 || !sharedSlot)
                names.push_back("Skin" + std::to_string(skin) + "/tex" + std::to_string(slot) + ".tga");
        }
    for (auto& n : names) n = "Images/" + n;
    return names;
}

// One run of the generator over a fresh folder: every file is there, with a sane size, and the
// pictures drawn with blending carry real transparency.
TEST(SceneAssets, EveryPictureTheGameLoadsIsWrittenWithASaneSizeAndAlpha) {
    TempDir dir;
    MakeSceneAssets(dir.path());
    const std::map<std::string, Size> exact = {
        {"Images/background.jpg", {1024, 768}}, {"Images/newlevel.tga", {512, 128}},
        {"Images/plugbonus.tga", {256, 512}},   {"Images/wall1.jpg", {1024, 512}},
        {"Images/wall3.jpg", {1024, 512}},      {"Images/Skin1/tex0.tga", {256, 256}},
        {"Images/Skin5/tex16.tga", {256, 256}}};
    for (const std::string& name : ExpectedFiles()) {
        SCOPED_TRACE(name);
        const auto bytes = ReadBytes(dir.path() / name);
        ASSERT_FALSE(bytes.empty());
        const std::string ext = std::filesystem::path(name).extension().string();
        const Size size = PictureSize(bytes, ext);
        if (exact.count(name)) {
            EXPECT_EQ(size, exact.at(name));
        }
        if (name.find("Tutorial/") != std::string::npos) {
            EXPECT_EQ(size, (Size{1024, 768}));
        } else if (name != "Images/background.jpg") {
            // Textures are powers of two and no bigger than needed.
            EXPECT_TRUE(PowerOfTwo(size.width) && PowerOfTwo(size.height))
                << size.width << "x" << size.height;
            EXPECT_LE(size.width, 1024);
            EXPECT_LE(size.height, 1024);
        }
        if (ext == ".tga") {
            EXPECT_EQ(bytes[16], 32);
            EXPECT_EQ(bytes.size(),
                      18u + 4u * static_cast<size_t>(size.width) * static_cast<size_t>(size.height));
        }
    }
    for (const ScenePicture& p : ScenePictures()) {
        if (p.path.size() < 4 || p.path.substr(p.path.size() - 4) != ".tga") continue;
        SCOPED_TRACE(p.path);
        const auto b = ReadBytes(dir.path() / p.path);
        ASSERT_GT(b.size(), 18u);
        int low = 255, high = 0;
        for (size_t i = 18 + 3; i < b.size(); i += 4)
            low = std::min<int>(low, b[i]), high = std::max<int>(high, b[i]);
        if (p.blended) {
            EXPECT_LT(low, 8);    // some of it is see-through
            EXPECT_GT(high, 200); // and some of it is solid
        } else {
            EXPECT_EQ(low, 255); // cube faces are opaque
        }
    }
}

TEST(SceneAssets, TheListNamesNothingElse) {
    std::set<std::string> expected;
    for (const auto& n : ExpectedFiles()) expected.insert(n);
    std::set<std::string> listed;
    for (const ScenePicture& p : ScenePictures())
        EXPECT_TRUE(listed.insert(p.path).second) << "twice: " << p.path;
    EXPECT_EQ(listed, expected);
}

TEST(SceneAssets, GeneratingTwiceGivesTheSameBytes) {
    // Two runs over a sample from every job must write exactly the same files.
    const std::vector<std::string> sample = {
        "Images/background.jpg", "Images/wall3.jpg",       "Images/line.tga",
        "Images/dot2.tga",       "Images/effect5.tga",     "Images/newlevel.tga",
        "Images/Skin4/tex2.tga", "Images/Skin2/tex15.tga", "Images/Tutorial/tut6.jpg"};
    TempDir first, second;
    int checked = 0;
    for (const ScenePicture& p : ScenePictures()) {
        if (std::find(sample.begin(), sample.end(), p.path) == sample.end()) continue;
        WritePicture(p.make(), first.path() / p.path);
        WritePicture(p.make(), second.path() / p.path);
        const auto bytes = ReadBytes(first.path() / p.path);
        EXPECT_FALSE(bytes.empty()) << p.path;
        EXPECT_EQ(ReadBytes(second.path() / p.path), bytes) << p.path;
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(sample.size()));
}

float Luma(Colour c) {
    return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b;
}

TEST(SceneBackground, TheHeadUpNumbersSitOnLightPlaquesAndTheBoardIsDark) {
    Canvas background(1, 1);
    for (const ScenePicture& p : ScenePictures())
        if (p.path == "Images/background.jpg") background = p.make();
    ASSERT_EQ(background.Width(), 1024);
    // The plane spans 14.45 units across the 1024 pixels, centred on (-1.8, -0.25), x to the left.
    const auto at = [&](float x, float y) {
        const float k = 1024.0f / 14.45f;
        return background.Get(static_cast<int>((5.425f - x) * k), static_cast<int>((5.16875f - y) * k));
    };
    // The game's numbers are drawn in dark purple: they need light ground (level, score, figure value).
    EXPECT_GT(Luma(at(-6.75f - 0.3f, 3.6f)), 0.7f);
    EXPECT_GT(Luma(at(-6.9f, 1.93f)), 0.7f);
    EXPECT_GT(Luma(at(-6.4f - 0.3f, -3.5f)), 0.7f);
    // Cells are dark and calm so the cubes stand out; every one of the 81 cell centres.
    for (int cy = 1; cy <= 9; ++cy)
        for (int cx = 1; cx <= 9; ++cx)
            EXPECT_LT(Luma(at(static_cast<float>(cx - 5), static_cast<float>(cy - 5))), 0.25f);
}

TEST(SceneRoom, EveryWallHasItsOwnPicture) {
    // The camera swings past all four walls: no two may look alike. Compared pixel by pixel
    // (the walls share one size): a good share must differ clearly in lightness.
    std::vector<Canvas> walls;
    for (const ScenePicture& p : ScenePictures())
        if (p.path.find("Images/wall") == 0) walls.push_back(p.make());
    ASSERT_EQ(walls.size(), 4u);
    for (size_t a = 0; a < walls.size(); ++a)
        for (size_t b = a + 1; b < walls.size(); ++b) {
            int differ = 0;
            for (int y = 0; y < walls[a].Height(); ++y)
                for (int x = 0; x < walls[a].Width(); ++x)
                    differ += std::abs(Luma(walls[a].Get(x, y)) - Luma(walls[b].Get(x, y))) > 0.05f;
            const double share = static_cast<double>(differ) / (walls[a].Width() * walls[a].Height());
            std::printf("wall%zu / wall%zu: %.1f%% of pixels differ\n", a + 1, b + 1, 100 * share);
            EXPECT_GT(share, 0.08) << "wall" << a + 1 << " and wall" << b + 1 << " look alike";
        }
}

TEST(SceneContactSheet, ShowsEveryPictureInItsOwnCell) {
    std::vector<ScenePicture> few;
    for (const ScenePicture& p : ScenePictures())
        if (p.path.find("dot") != std::string::npos || p.path.find("Skin1/tex0.") != std::string::npos)
            few.push_back(p);
    ASSERT_EQ(few.size(), 4u);
    const Canvas sheet = ContactSheet(few, 64, 2);
    EXPECT_EQ(sheet.Width(), 2 * (64 + 12));
    EXPECT_EQ(sheet.Height(), 2 * (64 + 30));
    // The fourth picture, the red cube, lands in the second row's second cell (probed beside the
    // symbol in its middle).
    const Colour red = sheet.Get(76 + 6 + 32 + 16, 94 + 6 + 32);
    EXPECT_GT(red.r, red.g + 0.3f);
    EXPECT_GT(red.r, red.b + 0.3f);
    // Set VELTRANE_SCENE_CONTACT_SHEET to a file name to get the sheet of every picture.
    if (const char* out = std::getenv("VELTRANE_SCENE_CONTACT_SHEET"))
        ContactSheet(ScenePictures()).WritePng(out);
}

TEST(SceneMockup, ScoreLineAndLampsFitTheirPlacesOnTheBackground) {
    const Canvas empty = PlayScreenMockup(0.0f, false);
    const Canvas full = PlayScreenMockup(1.0f, true);
    // The full line is gold from its cap to its right end; with no points the groove is dark.
    const float k = 1024.0f / 14.45f;
    const int y = static_cast<int>((5.16875f + 5.33459375f) * k);
    for (const float x : {4.7f, 4.4f, 0.0f, -4.2f}) {
        const int px = static_cast<int>((5.425f - x) * k);
        const Colour c = full.Get(px, y);
        EXPECT_GT(c.r, 0.6f) << x;
        EXPECT_GT(c.r, c.b + 0.2f) << x;
        EXPECT_LT(Luma(empty.Get(px, y)), 0.2f) << x;
    }
    // Three lit lamps, then two dark sockets.
    const int ly = static_cast<int>((5.16875f - 0.5266875f) * k);
    for (int j = 0; j < 5; ++j) {
        const Colour c =
            full.Get(static_cast<int>((5.425f + 6.387875f + 0.289f * static_cast<float>(j)) * k), ly);
        if (j < 3) {
            EXPECT_GT(Luma(c), 0.6f) << j;
        } else {
            EXPECT_LT(Luma(c), 0.2f) << j;
        }
    }
}

} // namespace
} // namespace veltrane::assetgen::scene
