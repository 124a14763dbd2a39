// The pictures on the cubes' faces. Every face of the cube meshes shows the whole picture; the
// outer ninth on each side lies on the rounded (or, for the block, chamfered) edges, so the
// pictures carry a matching bevel. Designs are symmetric enough to read in any turn or mirror.
#pragma once

#include "common/Canvas.h"

namespace veltrane::assetgen::scene {

enum class SkinStyle { Glossy, Symbols, Gem, Marble, Neon };

inline constexpr int kSkinCount = 5;
SkinStyle StyleOfSkin(int skin); // skin 1..5

// Colour cube of colour index 0..6. Every skin marks the colour with its symbol as well.
Canvas ColourFace(int size, int colour, SkinStyle style);
// Where ColourFace draws the colour's symbol: opaque inside, clear outside.
Canvas ColourCueMask(int size, int colour, SkinStyle style);
// Colorize cube that repaints to colour index 0..6.
Canvas ColorizeFace(int size, int colour, SkinStyle style);
Canvas JokerFace(int size);
// The bomb's picture as its round model wears it: wrapped once round the body, the warning ring
// and the fuse side in the lower rows, the collar and the wick in the top tenth.
Canvas BombTexture(int size);
// A round bomb with a burning fuse on a clear ground, for pictures that show a bomb.
Canvas BombIcon(int size);
Canvas ShotFace(int size);
Canvas BlockFace(int size);

// The face picture for texture slot 0..17 of a skin: colours, joker, bomb, shot, colorize, block.
Canvas SlotFace(int size, int slot, SkinStyle style);

// The symbol that marks colour index 0..6 in the symbol skin (circle, triangle, square, plus,
// star, heart, diamond), centred at (cx, cy) within radius r.
void DrawColourSymbol(Canvas& canvas, int colour, float cx, float cy, float r, Colour fill);

} // namespace veltrane::assetgen::scene
