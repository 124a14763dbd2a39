// Outlines of the symbol shapes the pictures use (stars, polygons, hearts, arrows), as point
// lists for Canvas::FillPolygon, and soft glows that fade out from a centre.
#pragma once

#include "common/Canvas.h"

#include <utility>
#include <vector>

namespace veltrane::assetgen {

using Outline = std::vector<std::pair<float, float>>;

// A regular polygon with `sides` corners; the first corner points up when rotation is 0.
Outline RegularPolygon(float cx, float cy, float radius, int sides, float rotation = 0.0f);
// A star with `points` tips, the inner corners at innerRadius.
Outline StarPolygon(float cx, float cy, float outerRadius, float innerRadius, int points,
                    float rotation = 0.0f);
// A heart filling roughly a circle of the given radius, tip down.
Outline HeartPolygon(float cx, float cy, float radius);
// An arrow from (x0, y0) to its tip at (x1, y1): a shaft of the given width and a head twice as wide.
Outline ArrowPolygon(float x0, float y0, float x1, float y1, float width);

// Fills a polygon (even-odd rule) with anti-aliased edges: four sub-rows per pixel row with
// exact horizontal coverage. Much cheaper than per-pixel sampling for large or many-sided shapes.
void FillShape(Canvas& canvas, const Outline& points, Colour c);

// A disc whose alpha falls from c.a at the centre to 0 at the radius, as (1 - r / radius) ^ power.
void SoftDisc(Canvas& canvas, float cx, float cy, float radius, Colour c, float power = 1.0f);
// Adds light: colour c scaled by the same falloff is added to the pixels (alpha raised alike).
void AddGlow(Canvas& canvas, float cx, float cy, float radius, Colour c, float power = 1.0f);

} // namespace veltrane::assetgen
