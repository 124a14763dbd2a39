// Text set with FreeType from the DejaVu fonts, for pictures that carry words.
#pragma once

#include "common/Canvas.h"

#include <memory>
#include <string>

namespace veltrane::assetgen {

enum class FontFace { Sans, SansBold, SansCondensedBold, Serif, SerifBold, Mono };

// One face at one pixel size. Text is UTF-8.
class Font {
public:
    Font(FontFace face, int pixelSize);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    int PixelSize() const { return pixelSize_; }
    float Ascent() const;  // pixels above the baseline
    float Descent() const; // pixels below the baseline (positive)
    float Measure(const std::string& text) const;

    // Draws text with its baseline at y, starting at x; returns the advance.
    float Draw(Canvas& canvas, float x, float y, const std::string& text, Colour colour) const;
    float DrawCentred(Canvas& canvas, float centreX, float y, const std::string& text, Colour colour) const;

    // The coverage of one character's glyph as an alpha mask (white), with its bearing.
    struct Glyph {
        Canvas mask{1, 1};
        int left = 0; // pen x to the mask's left edge
        int top = 0;  // baseline to the mask's top edge (up is positive)
        float advance = 0;
    };
    Glyph Render(char32_t ch) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int pixelSize_;
};

} // namespace veltrane::assetgen
