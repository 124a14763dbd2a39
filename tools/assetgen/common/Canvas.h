// An RGBA picture in memory for the asset generators, with the few drawing operations the
// game's pictures are made of, and writers for the formats the game reads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace veltrane::assetgen {

// Straight (not premultiplied) colour, each channel 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

Colour Mix(Colour a, Colour b, float t);
Colour Rgb(uint32_t rgb, float alpha = 1.0f); // 0xRRGGBB

class Canvas {
public:
    Canvas(int width, int height, Colour fill = {0, 0, 0, 0});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour Get(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Colour c);
    // Source-over blend of c with coverage (0..1) multiplied into its alpha; ignores points outside.
    void Blend(int x, int y, Colour c, float coverage = 1.0f);

    void Fill(Colour c);
    void FillRect(float x0, float y0, float x1, float y1, Colour c);
    // Anti-aliased shapes: coverage from the signed distance to the edge.
    void FillRoundRect(float x0, float y0, float x1, float y1, float radius, Colour c);
    void FillCircle(float cx, float cy, float radius, Colour c);
    void StrokeCircle(float cx, float cy, float radius, float width, Colour c);
    void DrawLine(float x0, float y0, float x1, float y1, float width, Colour c);
    void FillPolygon(const std::vector<std::pair<float, float>>& points, Colour c);
    // Vertical gradient from top to bottom inside a rectangle.
    void VerticalGradient(float x0, float y0, float x1, float y1, Colour top, Colour bottom);
    void RadialGradient(float cx, float cy, float radius, Colour inner, Colour outer);
    // Blends another canvas at (x, y), scaled by opacity.
    void Draw(const Canvas& other, int x, int y, float opacity = 1.0f);
    void BoxBlur(int radius);
    // Adds deterministic value noise of the given strength to the colour channels.
    void AddNoise(uint32_t seed, float strength, float cellSize = 1.0f);
    Canvas Scaled(int width, int height) const; // box-filtered resample

    void WriteTga(const std::filesystem::path& path) const; // 32-bit, uncompressed, top-left origin
    void WritePng(const std::filesystem::path& path) const;
    void WriteJpeg(const std::filesystem::path& path, int quality = 92) const; // through libjpeg
    void WriteBmp(const std::filesystem::path& path) const;                    // 24-bit

private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }
    std::vector<uint8_t> Rgba8() const;

    int width_, height_;
    std::vector<Colour> pixels_;
};

// A small deterministic generator for the asset tools (the game has its own).
class AssetRandom {
public:
    explicit AssetRandom(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; } // [0, 1)

private:
    uint32_t state_;
};

} // namespace veltrane::assetgen
