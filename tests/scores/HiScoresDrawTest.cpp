#include "platform/gfx/RecordingDevice.h"
#include "render/Font.h"
#include "render/Geometry.h"

#include "ScoresTestSupport.h"

#include <cmath>

namespace veltrane {
namespace {

// A vertex buffer that keeps the colour of every glyph quad written into it.
class TGlyphBuffer final : public gfx::IVertexBuffer {
public:
    gfx::HRESULT Lock(uint32_t, uint32_t, uint8_t** data, uint32_t) override {
        *data = reinterpret_cast<uint8_t*>(vertices_);
        return gfx::D3D_OK;
    }
    gfx::HRESULT Unlock() override {
        Colours.push_back(vertices_[0].Colour);
        return gfx::D3D_OK;
    }
    uint32_t Length() const override { return sizeof vertices_; }
    std::vector<uint32_t> Colours;

private:
    TVertex vertices_[6];
};

struct TGlyphDrawn {
    float x, y, z;
    uint32_t colour;
    float width, height;
};

// Font 1 with 100 glyphs of 10 pixels each: at size 9 every letter is 0.09 wide.
class HiScoresDraw : public ScoresFolder {
protected:
    void SetUp() override {
        ScoresFolder::SetUp();
        fonts_[0].Metrics.Count = kMaxGlyphs;
        for (TGlyph& g : fonts_[0].Metrics.Glyphs) g.Width = 10;
    }

    std::vector<TGlyphDrawn> Draw(const THiScores& scores, double time) {
        device_.ClearLog();
        buffer_.Colours.clear();
        scores.Draw(device_, buffer_, fonts_, time);
        std::vector<TGlyphDrawn> glyphs;
        for (const gfx::TRecordedCall& call : device_.Calls())
            if (call.Text.rfind("SetTransform(D3DTS_WORLD", 0) == 0)
                glyphs.push_back({call.Matrix.m[3][0], call.Matrix.m[3][1], call.Matrix.m[3][2], 0,
                                  call.Matrix.m[0][0], call.Matrix.m[1][1]});
        EXPECT_EQ(glyphs.size(), buffer_.Colours.size());
        for (size_t i = 0; i < glyphs.size() && i < buffer_.Colours.size(); ++i)
            glyphs[i].colour = buffer_.Colours[i];
        return glyphs;
    }

    gfx::TRecordingDevice device_;
    TGlyphBuffer buffer_;
    TFonts fonts_;
};

constexpr uint32_t White = 0xFFFFFFFF; // colour 4
constexpr uint32_t Cyan = 0xFF00FFFF;  // colour 5

TEST_F(HiScoresDraw, TenRowsOfNameAndScoreInTheShownTable) {
    THiScores scores;
    scores.Table = 2;
    scores.Entry(2, 1).SetName("AB");
    scores.Entry(2, 1).Score = -7;
    const std::vector<TGlyphDrawn> glyphs = Draw(scores, 0);
    // Rank 1: "AB" and "-7"; ranks 2..9 "Anonymous" and three digits; rank 10 two digits.
    ASSERT_EQ(glyphs.size(), 2u + 2u + 8u * (9u + 3u) + 9u + 3u);
    EXPECT_FLOAT_EQ(glyphs[0].x, 2.0f);
    EXPECT_FLOAT_EQ(glyphs[0].y, 2.9f - 0.56f);
    EXPECT_FLOAT_EQ(glyphs[0].z, 0.1f);
    EXPECT_FLOAT_EQ(glyphs[1].x, 2.0f - 0.09f);
    EXPECT_FLOAT_EQ(glyphs[2].x, -4.5f);
    EXPECT_FLOAT_EQ(glyphs[2].y, 2.9f - 0.56f);
    const TGlyphDrawn& lastScore = glyphs.back();
    EXPECT_FLOAT_EQ(lastScore.y, 2.9f - 5.6f);
    EXPECT_FLOAT_EQ(lastScore.x, -4.5f - 2 * 0.09f);
    for (const TGlyphDrawn& g : glyphs) EXPECT_EQ(g.colour, White);
}

TEST_F(HiScoresDraw, TheEnteredRowIsHighlightedWithAPulsingCursorAndThePrompt) {
    THiScores scores;
    scores.Editing = true;
    scores.EditRow = scores.Insert(850); // rank 3, empty name
    scores.KeyPress('J');
    scores.KeyPress('O');

    const std::vector<TGlyphDrawn> glyphs = Draw(scores, 0);
    // Ten rows (1000, 900, then rank 3: "JO" and "850", then 800 down to 200), the cursor, the
    // prompt's panel (rim and glass), then "enter your name" without its blanks.
    const size_t rows = 13 + 12 + (2 + 3) + 7 * 12;
    ASSERT_EQ(glyphs.size(), rows + 1 + 2 + 13);
    const TGlyphDrawn* row3 = &glyphs[13 + 12];
    EXPECT_FLOAT_EQ(row3[0].y, 2.9f - 3 * 0.56f);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(row3[i].colour, Cyan) << i;
    EXPECT_EQ(row3[5].colour, White);

    const TGlyphDrawn& cursor = glyphs[rows];
    EXPECT_FLOAT_EQ(cursor.x, 2.0f - 2 * 0.09f);
    EXPECT_FLOAT_EQ(cursor.y, 2.9f - 3 * 0.56f);
    EXPECT_EQ(cursor.colour, Cyan);
    const TGlyphDrawn& prompt = glyphs[rows + 3];
    EXPECT_FLOAT_EQ(prompt.x, -3.5f);
    EXPECT_FLOAT_EQ(prompt.y, -5.3f);
    EXPECT_EQ(prompt.colour, White);
    // "enter" is five letters and a blank: "your" starts 5 letters and 22 pixels further on.
    EXPECT_FLOAT_EQ(glyphs[rows + 8].x, -3.5f - 5 * 0.09f - 22 * 0.009f);

    // The panel lies under the whole prompt, letters 0.36 high, the rim round the dark glass.
    const float promptEnd = glyphs.back().x - 0.09f;
    const TGlyphDrawn& rim = glyphs[rows + 1];
    const TGlyphDrawn& glass = glyphs[rows + 2];
    for (const TGlyphDrawn* quad : {&rim, &glass}) {
        EXPECT_GT(quad->x, -3.5f);
        EXPECT_LT(quad->x - quad->width, promptEnd);
        EXPECT_GT(quad->height, 0.36f);
        EXPECT_FLOAT_EQ(quad->y, -5.3f);
    }
    EXPECT_GT(rim.x, glass.x);
    EXPECT_LT(rim.x - rim.width, glass.x - glass.width);
    EXPECT_GT(rim.height, glass.height);
    EXPECT_LT(rim.z, glass.z);
    EXPECT_LT(glass.z, prompt.z);
    EXPECT_GT(glass.colour >> 24, 0xC0u); // nearly opaque: the floor's cubes do not show through
    for (int shift : {0, 8, 16}) EXPECT_LT((glass.colour >> shift) & 0xFF, 0x30u) << shift;

    // The cursor's alpha is |cos(time / 100)| x 255, rounded.
    for (const auto& [time, alpha] :
         {std::pair{100.0, 138u}, std::pair{-314.159, 255u}, std::pair{50 * M_PI, 0u}}) {
        const std::vector<TGlyphDrawn> again = Draw(scores, time);
        ASSERT_EQ(again.size(), glyphs.size());
        EXPECT_EQ(again[rows].colour, (alpha << 24) | 0x0000FFFF) << time;
        EXPECT_EQ(again[rows + 3].colour, White);
    }
}

} // namespace
} // namespace veltrane
