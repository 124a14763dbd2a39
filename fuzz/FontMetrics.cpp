// Feeds arbitrary bytes to the font metrics reader as font 1's file (font 2 keeps the game's
// own). A rejected file must leave both fonts as they were; an accepted one must give at most
// 100 glyphs, each a cut of the picture within its texture coordinates,
// and become font 1 exactly as read.
#include "FuzzSupport.h"

#include "platform/TextReader.h"
#include "render/Font.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {
using namespace veltrane;
using fuzz::Check;

bool SameMetrics(const TFontMetrics& a, const TFontMetrics& b) {
    return a.Count == b.Count && a.Glyphs == b.Glyphs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    static const bool copied = [] {
        std::filesystem::copy_file(std::string(VELTRANE_GAME_DIR) + "/data/font1.dat", "data/font1.dat",
                                   std::filesystem::copy_options::overwrite_existing);
        return true;
    }();
    (void)copied;
    fuzz::WriteBytes("data/font.dat", fuzz::AsText(data, size));

    // Kept between inputs on purpose: a rejected file must leave whatever fonts came before.
    static TFonts fonts;
    TFontMetrics read;
    try {
        read = ReadFontMetrics(kFontMetricsFiles[0]);
    } catch (const TFileError&) {
        const TFontMetrics before0 = fonts[0].Metrics, before1 = fonts[1].Metrics;
        try {
            LoadFontMetrics(fonts);
            Check(false, "a file one reader refuses was taken by the other");
        } catch (const TFileError&) {
        }
        Check(SameMetrics(fonts[0].Metrics, before0) && SameMetrics(fonts[1].Metrics, before1),
              "a rejected metrics file changed the fonts");
        return 0;
    }
    Check(read.Count >= 0 && read.Count <= kMaxGlyphs, "glyph count");
    for (int g = 1; g <= read.Count; ++g) {
        const TGlyph& glyph = *read.Glyph(g);
        Check(glyph.Width >= 0, "negative glyph width");
        Check(0 <= glyph.ULeft && glyph.ULeft <= glyph.URight && glyph.URight <= 1, "glyph columns");
        Check(0 <= glyph.VTop && glyph.VTop < glyph.VBottom && glyph.VBottom <= 1, "glyph rows");
    }
    LoadFontMetrics(fonts);
    Check(SameMetrics(fonts[0].Metrics, read), "font 1 is not the file as read");
    return 0;
}
