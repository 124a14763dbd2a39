// Laying out words on pictures: wrapping a paragraph to a width and text with a drop shadow.
#pragma once

#include "common/Text.h"

#include <string>
#include <vector>

namespace veltrane::assetgen {

// Splits text at blanks into lines no wider than width (a single long word gets its own line).
std::vector<std::string> WrapText(const Font& font, const std::string& text, float width);

// Draws the wrapped paragraph from baseline y, lineHeight apart; returns the baseline after it.
float DrawParagraph(Canvas& canvas, const Font& font, float x, float y, float width, float lineHeight,
                    const std::string& text, Colour colour);

// Text with a soft dark shadow offset down-right, for words over busy pictures.
void DrawShadowedText(Canvas& canvas, const Font& font, float x, float y, const std::string& text,
                      Colour colour, Colour shadow, float offset);
void DrawShadowedTextCentred(Canvas& canvas, const Font& font, float centreX, float y,
                             const std::string& text, Colour colour, Colour shadow, float offset);

} // namespace veltrane::assetgen
