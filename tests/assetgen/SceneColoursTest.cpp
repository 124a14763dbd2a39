#include "scene/CubeFace.h"
#include "scene/Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace veltrane::assetgen::scene {
namespace {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;

// Colour-vision deficiency simulation at full severity (Machado, Oliveira and Fernandes 2009),
// applied to linear RGB.
const Mat3 kNormal = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
const Mat3 kProtan = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
const Mat3 kDeutan = {
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
const Mat3 kTritan = {
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};

double Linear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// CIE L*a*b* of an sRGB colour as seen through the given deficiency.
Vec3 SeenLab(Colour c, const Mat3& m) {
    const Vec3 lin = {Linear(c.r), Linear(c.g), Linear(c.b)};
    Vec3 s{};
    for (int i = 0; i < 3; ++i)
        s[i] = std::clamp(m[i][0] * lin[0] + m[i][1] * lin[1] + m[i][2] * lin[2], 0.0, 1.0);
    const double X = 0.4124 * s[0] + 0.3576 * s[1] + 0.1805 * s[2];
    const double Y = 0.2126 * s[0] + 0.7152 * s[1] + 0.0722 * s[2];
    const double Z = 0.0193 * s[0] + 0.1192 * s[1] + 0.9505 * s[2];
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    const double fx = f(X / 0.9505), fy = f(Y), fz = f(Z / 1.089);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Distance(const Vec3& a, const Vec3& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

// The average colour of a face's flat top outside its middle (where symbols and marks sit).
Colour FaceColour(const Canvas& face) {
    double r = 0, g = 0, b = 0;
    int n = 0;
    const int s = face.Width();
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const double u = (x + 0.5) / s - 0.5, v = (y + 0.5) / s - 0.5;
            const double m = std::max(std::abs(u), std::abs(v));
            if (m > 0.36 || m < 0.30) continue;
            const Colour c = face.Get(x, y);
            r += c.r, g += c.g, b += c.b, ++n;
        }
    return {static_cast<float>(r / n), static_cast<float>(g / n), static_cast<float>(b / n), 1};
}

TEST(SceneColours, SevenCubeColoursStayApartForColourBlindEyesInEverySkin) {
    const std::array<std::pair<const char*, const Mat3*>, 4> visions = {{{"normal", &kNormal},
                                                                         {"protanopia", &kProtan},
                                                                         {"deuteranopia", &kDeutan},
                                                                         {"tritanopia", &kTritan}}};
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        std::array<Colour, 7> seen{};
        for (int c = 0; c < 7; ++c)
            seen[static_cast<size_t>(c)] = FaceColour(ColourFace(64, c, StyleOfSkin(skin)));
        for (const auto& [name, m] : visions) {
            double nearest = 1e9;
            std::string pair;
            for (int a = 0; a < 7; ++a)
                for (int b = a + 1; b < 7; ++b) {
                    const double d = Distance(SeenLab(seen[static_cast<size_t>(a)], *m),
                                              SeenLab(seen[static_cast<size_t>(b)], *m));
                    if (d < nearest)
                        nearest = d, pair = std::string(kCubeColourNames[static_cast<size_t>(a)]) + "/" +
                                            kCubeColourNames[static_cast<size_t>(b)];
                }
            std::printf("skin %d %-13s nearest %5.1f (%s)\n", skin, name, nearest, pair.c_str());
            // Twelve units apart is a difference anyone notices at a glance.
            EXPECT_GT(nearest, 12.0) << "skin " << skin << ", " << name << ": " << pair;
        }
    }
}

TEST(SceneColours, EverySkinMarksEveryColourWithItsSymbol) {
    // Colour alone fails some eyes: each face must show its colour's symbol (whose shapes differ,
    // see below) by lightness, which every kind of colour blindness still sees. Compared: the
    // mean L* inside the symbol and in a 3-pixel ring round it.
    constexpr int kSize = 128;
    for (int skin = 1; skin <= kSkinCount; ++skin)
        for (int c = 0; c < 7; ++c) {
            const Canvas face = ColourFace(kSize, c, StyleOfSkin(skin));
            const Canvas mask = ColourCueMask(kSize, c, StyleOfSkin(skin));
            const auto inMask = [&](int x, int y) {
                return x >= 0 && y >= 0 && x < kSize && y < kSize && mask.Get(x, y).a > 0.5f;
            };
            double inside = 0, ring = 0;
            int nInside = 0, nRing = 0;
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x) {
                    const double l = SeenLab(face.Get(x, y), kNormal)[0];
                    if (inMask(x, y)) {
                        inside += l, ++nInside;
                        continue;
                    }
                    bool near = false;
                    for (int dy = -3; dy <= 3 && !near; ++dy)
                        for (int dx = -3; dx <= 3 && !near; ++dx) near = inMask(x + dx, y + dy);
                    if (near) ring += l, ++nRing;
                }
            ASSERT_GT(nInside, 100) << "skin " << skin << " colour " << c;
            EXPECT_GT(std::abs(inside / nInside - ring / nRing), 12.0)
                << "skin " << skin << ", " << kCubeColourNames[static_cast<size_t>(c)]
                << ": symbol too faint";
        }
}

TEST(SceneColours, ColourChangersShowTheColourTheyPaint) {
    for (int skin = 1; skin <= kSkinCount; ++skin)
        for (int c = 0; c < 7; ++c) {
            // The disc in the middle (away from any symbol) must be nearest to its own colour.
            const Canvas face = ColorizeFace(64, c, StyleOfSkin(skin));
            const Colour mid = face.Get(32 + 8, 32 + 1);
            int best = -1;
            double bestD = 1e9;
            for (int k = 0; k < 7; ++k) {
                const Colour p = CubeColour(k);
                const double d = std::hypot(mid.r - p.r, mid.g - p.g, mid.b - p.b);
                if (d < bestD) bestD = d, best = k;
            }
            EXPECT_EQ(best, c) << "skin " << skin;
        }
}

TEST(SceneColours, SymbolSkinGivesEveryColourItsOwnShape) {
    // The white symbols alone, compared as masks: every pair must differ in a good share of pixels.
    std::array<Canvas, 7> masks = {Canvas(64, 64), Canvas(64, 64), Canvas(64, 64), Canvas(64, 64),
                                   Canvas(64, 64), Canvas(64, 64), Canvas(64, 64)};
    for (int c = 0; c < 7; ++c) DrawColourSymbol(masks[static_cast<size_t>(c)], c, 32, 32, 20, {1, 1, 1, 1});
    for (int a = 0; a < 7; ++a)
        for (int b = a + 1; b < 7; ++b) {
            int differ = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    differ += (masks[static_cast<size_t>(a)].Get(x, y).a > 0.5f) !=
                              (masks[static_cast<size_t>(b)].Get(x, y).a > 0.5f);
            EXPECT_GT(differ, 150) << a << " vs " << b;
        }
}

TEST(SceneColours, SpecialCubesReadAtAGlance) {
    // Bomb dark, block grey and dull, shot and joker light: told apart by brightness alone.
    // The median over the whole face is the surface itself, whatever bands or marks it carries.
    const auto luma = [](const Canvas& f) {
        std::vector<float> l;
        for (int y = 0; y < f.Height(); ++y)
            for (int x = 0; x < f.Width(); ++x) {
                const Colour c = f.Get(x, y);
                l.push_back(0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b);
            }
        std::nth_element(l.begin(), l.begin() + static_cast<long>(l.size() / 2), l.end());
        return static_cast<double>(l[l.size() / 2]);
    };
    const double bomb = luma(BombTexture(64)), block = luma(BlockFace(64));
    const double shot = luma(ShotFace(64)), joker = luma(JokerFace(64));
    EXPECT_LT(bomb, 0.2);
    EXPECT_GT(block, bomb + 0.15);
    EXPECT_GT(shot, block + 0.1);
    EXPECT_GT(joker, block + 0.1);
}

} // namespace
} // namespace veltrane::assetgen::scene
