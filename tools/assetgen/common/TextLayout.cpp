#include "common/TextLayout.h"

namespace veltrane::assetgen {

std::vector<std::string> WrapText(const Font& font, const std::string& text, float width) {
    std::vector<std::string> lines;
    std::string line;
    size_t i = 0;
    while (i < text.size()) {
        const size_t end = text.find(' ', i);
        const std::string word = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
        i = end == std::string::npos ? text.size() : end + 1;
        if (word.empty()) continue;
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.Measure(candidate) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

float DrawParagraph(Canvas& canvas, const Font& font, float x, float y, float width, float lineHeight,
                    const std::string& text, Colour colour) {
    for (const std::string& line : WrapText(font, text, width)) {
        font.Draw(canvas, x, y, line, colour);
        y += lineHeight;
    }
    return y;
}

void DrawShadowedText(Canvas& canvas, const Font& font, float x, float y, const std::string& text,
                      Colour colour, Colour shadow, float offset) {
    font.Draw(canvas, x + offset, y + offset, text, shadow);
    font.Draw(canvas, x, y, text, colour);
}

void DrawShadowedTextCentred(Canvas& canvas, const Font& font, float centreX, float y,
                             const std::string& text, Colour colour, Colour shadow, float offset) {
    DrawShadowedText(canvas, font, centreX - font.Measure(text) / 2, y, text, colour, shadow, offset);
}

} // namespace veltrane::assetgen
