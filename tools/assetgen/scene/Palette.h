// The colours of the game's scene: the seven cube colours and the room's deep blue-teal
// mood with warm gold accents.
#pragma once

#include "common/Canvas.h"

#include <array>
#include <cstdint>

namespace veltrane::assetgen::scene {

// Cube colours 1..7 (index 0..6): red, blue, yellow, green, violet, orange, teal. Chosen so that
// every pair stays apart for red-, green- and blue-blind eyes as well (lightness differs where
// the hues merge).
inline constexpr std::array<uint32_t, 7> kCubeColours = {0xC0281C, 0x2761AC, 0xFFE52A, 0x34F070,
                                                         0xD23CFC, 0xEE7A1A, 0x199AB1};
inline constexpr std::array<const char*, 7> kCubeColourNames = {"red",    "blue",   "yellow", "green",
                                                                "violet", "orange", "teal"};

inline Colour CubeColour(int index) {
    return Rgb(kCubeColours[static_cast<size_t>(index)]);
}

// Room and panels.
inline constexpr uint32_t kDeepNavy = 0x07121F;
inline constexpr uint32_t kNavy = 0x0C2233;
inline constexpr uint32_t kTeal = 0x13414D;
inline constexpr uint32_t kTealLight = 0x2A6F78;
inline constexpr uint32_t kGold = 0xE8B64C;
inline constexpr uint32_t kGoldLight = 0xFFE29A;
inline constexpr uint32_t kGoldDark = 0x8A5F1C;
inline constexpr uint32_t kCream = 0xF4E9CF;
inline constexpr uint32_t kInk = 0x10202C;

} // namespace veltrane::assetgen::scene
