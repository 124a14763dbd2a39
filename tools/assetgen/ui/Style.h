// The look shared by every menu and screen picture: a deep blue-teal room with warm gold accents.
// Colours, text helpers and the drawing of plates, glows and arrows.
#pragma once

#include "common/Canvas.h"
#include "common/Text.h"

#include <string>

namespace veltrane::assetgen::ui {

// Menu pictures are drawn at this many pixels per world unit of the menu plane
// (the plane is 14.45 units wide: about 55 pixels per unit at 800 x 600).
inline constexpr int kPixelsPerUnit = 80;

namespace palette {
inline constexpr Colour kNight{0.020f, 0.047f, 0.086f, 1};    // deepest background
inline constexpr Colour kDeepBlue{0.039f, 0.118f, 0.196f, 1}; // room walls
inline constexpr Colour kTeal{0.071f, 0.357f, 0.420f, 1};
inline constexpr Colour kBrightTeal{0.345f, 0.816f, 0.804f, 1};
inline constexpr Colour kGold{0.906f, 0.722f, 0.290f, 1};
inline constexpr Colour kPaleGold{0.965f, 0.863f, 0.573f, 1};
inline constexpr Colour kDeepGold{0.690f, 0.522f, 0.196f, 1};
inline constexpr Colour kCream{0.980f, 0.953f, 0.878f, 1};
inline constexpr Colour kMist{0.702f, 0.808f, 0.851f, 1}; // quiet body text
} // namespace palette

Colour WithAlpha(Colour c, float alpha);
Colour Scale(Colour c, float factor); // brightness, alpha kept

// Text with extra spacing between letters (caps look better spaced).
float MeasureTracked(const Font& font, const std::string& text, float tracking);
float DrawTracked(Canvas& canvas, const Font& font, float x, float baseline, const std::string& text,
                  Colour colour, float tracking);
// Height of a capital above the baseline, for centring words vertically.
float CapHeight(const Font& font);
// Draws text centred on (cx, cy), cy being the middle of the capitals.
void DrawCentredCaps(Canvas& canvas, const Font& font, float cx, float cy, const std::string& text,
                     Colour colour, float tracking = 0);
// Text centred on (cx, cy) whose fill runs from top to bottom colour, with a soft glow under it.
void DrawGlowingCaps(Canvas& canvas, const Font& font, float cx, float cy, const std::string& text,
                     Colour top, Colour bottom, Colour glow, int glowRadius, float tracking = 0);

// A soft round light: colour fading to nothing at radius (only the bounding box is touched).
void SoftSpot(Canvas& canvas, float cx, float cy, float radius, Colour colour);
// A blurred copy of a layer's coverage in one colour, blended where the layer's (0, 0) lies at
// (ox, oy) of the canvas.
void DrawGlowOf(Canvas& canvas, const Canvas& layer, Colour glow, int radius, float strength, int ox = 0,
                int oy = 0);
// Lays a layer on the canvas with its (0, 0) at (ox, oy), skipping its empty pixels.
void DrawLayer(Canvas& canvas, const Canvas& layer, int ox = 0, int oy = 0, float opacity = 1.0f);
// Vertical gradient limited to a rounded rectangle.
void FillRoundGradient(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, Colour top,
                       Colour bottom);
// A rounded rectangle's outline, `width` pixels wide, inside the rectangle.
void StrokeRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, float width,
                     Colour colour);
// Gives fully transparent pixels the colour of their visible neighbours, so that filtering at
// the edges of shapes does not pull in black.
void BleedEdges(Canvas& canvas);

// A menu plate filling the rectangle: dark glass with a gold rim; lit and glowing when highlighted.
// Leave `pad` pixels around it for the glow.
void DrawPlate(Canvas& canvas, float x0, float y0, float x1, float y1, bool highlighted);
// A round button with a triangle pointing left (dir -1) or right (dir +1).
void DrawArrowButton(Canvas& canvas, float cx, float cy, float radius, int dir, bool highlighted);
// A triangle pointing left or right.
void DrawTriangle(Canvas& canvas, float cx, float cy, float size, int dir, Colour colour);

} // namespace veltrane::assetgen::ui
