// The built game folder holds every file the game names, and each one reads through the game's
// own loaders: the level, figure and menu files, both fonts, every picture, the tutorial pages,
// the effects and the music. A failure names the missing or malformed file.
#include "TempDir.h"
#include "game/Flow.h"
#include "game/Game.h"
#include "game/Scenery.h"
#include "menu/Menu.h"
#include "menu/MenuFile.h"
#include "overlays/Tutorial.h"
#include "platform/Paths.h"
#include "platform/TextReader.h"
#include "platform/gfx/RecordingDevice.h"
#include "render/Font.h"
#include "render/JpegToBmp.h"
#include "render/TextureLoader.h"
#include "sound/Sound.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace veltrane {
namespace {

namespace fs = std::filesystem;

const fs::path GameDir = VELTRANE_GAME_DIR;

// The game names its files relative to its folder; so does every check here.
class GameFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::is_directory(GameDir)) << "no game folder " << GameDir;
        // Pictures named relative to the program's folder: the game's folder holds the program.
        oldFolder_ = ResourceFolder();
        SetResourceFolder(GameDir.string());
    }
    void TearDown() override { SetResourceFolder(oldFolder_); }

    // The file as the game would find it, or "" when it is missing.
    static std::string Existing(const std::string& name) {
        const std::string path = ResolvePath(name);
        std::error_code ec;
        return fs::is_regular_file(path, ec) ? path : "";
    }

    // The picture loader fills what a cut-off file lacks, so the file's own length is checked:
    // an uncompressed TGA holds all its pixels, a JPEG ends with its end-of-image marker.
    static void ExpectWholePicture(const std::string& name, const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        auto byte = [&](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
        std::string extension = fs::path(path).extension().string();
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (extension == ".tga") {
            ASSERT_GE(bytes.size(), 18u) << "picture " << name << " is cut off";
            const unsigned type = byte(2);
            if (type != 2 && type != 3) return; // colour-mapped or run-length coded: no fixed length
            const size_t width = byte(12) | byte(13) << 8, height = byte(14) | byte(15) << 8;
            const size_t colourMap = size_t(byte(5) | byte(6) << 8) * ((byte(7) + 7) / 8);
            const size_t need = 18 + byte(0) + colourMap + width * height * ((byte(16) + 7) / 8);
            EXPECT_GE(bytes.size(), need) << "picture " << name << " is cut off";
        } else if (extension == ".jpg" || extension == ".jpeg") {
            ASSERT_GE(bytes.size(), 4u) << "picture " << name << " is cut off";
            EXPECT_TRUE(byte(0) == 0xFF && byte(1) == 0xD8) << "picture " << name << " is no JPEG";
            EXPECT_TRUE(byte(bytes.size() - 2) == 0xFF && byte(bytes.size() - 1) == 0xD9)
                << "picture " << name << " is cut off";
        }
    }

    // Loads the picture the way the game does and checks that it became a texture of sane size.
    void ExpectPicture(const std::string& name) {
        SCOPED_TRACE(name);
        const std::string path = Existing(name);
        ASSERT_FALSE(path.empty()) << "missing picture " << name;
        ExpectWholePicture(name, path);
        gfx::TextureHandle texture;
        LoadTexture(device_, name, texture);
        ASSERT_TRUE(texture) << "picture " << name << " does not load (malformed?)";
        EXPECT_GE(texture->Width(), 8u) << name;
        EXPECT_GE(texture->Height(), 8u) << name;
        EXPECT_LE(texture->Width(), 4096u) << name;
        EXPECT_LE(texture->Height(), 4096u) << name;
        EXPECT_GE(texture->Levels(), 1u) << name;
    }

    // Decodes a whole sound file; it must hold some audio at a sane rate.
    static void ExpectSound(const std::string& name) {
        SCOPED_TRACE(name);
        const std::string path = Existing(name);
        ASSERT_FALSE(path.empty()) << "missing sound " << name;
        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << "sound " << name << " does not open: " << sf_strerror(nullptr);
        EXPECT_GE(info.channels, 1) << name;
        EXPECT_LE(info.channels, 2) << name;
        EXPECT_GE(info.samplerate, 8000) << name;
        EXPECT_LE(info.samplerate, 96000) << name;
        EXPECT_GT(info.frames, info.samplerate / 50) << "sound " << name << " is (nearly) empty";
        std::vector<float> buffer(4096 * static_cast<size_t>(std::max(info.channels, 1)));
        sf_count_t total = 0;
        for (sf_count_t got; (got = sf_readf_float(file, buffer.data(), 4096)) > 0;) total += got;
        EXPECT_EQ(total, info.frames) << "sound " << name << " is truncated or corrupt";
        sf_close(file);
    }

    std::string oldFolder_;
    CurrentDir here_{GameDir};
    gfx::TRecordingDevice device_;
};

TEST_F(GameFolder, LevelAndFigureFilesReadThroughTheGame) {
    auto game = std::make_unique<TGame>(nullptr);
    try {
        game->LoadLevels();
        game->LoadFigures();
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    EXPECT_GE(game->LevelCount, 50) << LevelsFileName;
    EXPECT_GE(game->FigureCount, 1) << FiguresFileName;
    for (int k = 1; k <= MaxLevels; ++k) {
        const TLevel& level = game->Levels[k];
        SCOPED_TRACE("level " + std::to_string(k));
        EXPECT_GE(level.FigureFirst, 1);
        EXPECT_LE(level.FigureFirst, level.FigureLast);
        EXPECT_LE(level.FigureLast, game->FigureCount);
        for (int m = 1; m <= 2; ++m) {
            EXPECT_GE(level.Colours[m], 1);
            EXPECT_LE(level.Colours[m], 7);
            EXPECT_GE(level.CubesPerTurn[m], 1);
            EXPECT_GT(level.Goal[m], 0);
        }
    }
}

TEST_F(GameFolder, MenuFileAndItsPicturesLoad) {
    std::unique_ptr<TD3DMenu> menu;
    try {
        menu = LoadMenu(&device_, nullptr);
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->MenuBackground) << "menu background picture";

    // The file read correctly, so its layout is known: the pictures are its item lines 1 and 2.
    std::ifstream in(ResolvePath(MenuFileName));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    ASSERT_GE(lines.size(), 4u);
    std::set<std::string> pictures = {lines[1]};
    size_t at = 4;
    const int pages = std::stoi(lines[3]);
    EXPECT_EQ(pages, menu->PageCount);
    for (int p = 1; p <= pages && at + 1 < lines.size(); ++p) {
        const int items = std::stoi(lines[at + 1]);
        EXPECT_EQ(items, menu->Pages[p].Count) << "page " << p;
        at += 2;
        for (int i = 1; i <= items && at + 1 < lines.size(); ++i, at += 7) {
            const TMenuItem& item = menu->Pages[p].Items[i];
            for (const std::string& name : {lines[at], lines[at + 1]})
                if (!name.empty()) pictures.insert(name);
            EXPECT_TRUE(lines[at].empty() || item.Sprite)
                << "page " << p << " item " << i << ": " << lines[at];
            EXPECT_TRUE(lines[at + 1].empty() || item.HighlightSprite)
                << "page " << p << " item " << i << ": " << lines[at + 1];
        }
    }
    EXPECT_GT(pictures.size(), 20u);
    for (const std::string& name : pictures) ExpectPicture(name);
}

TEST_F(GameFolder, BothFontsReadAndTheirPicturesLoad) {
    for (int f = 0; f < kFontCount; ++f) {
        SCOPED_TRACE(kFontMetricsFiles[size_t(f)]);
        TFontMetrics metrics;
        try {
            metrics = ReadFontMetrics(kFontMetricsFiles[size_t(f)]);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
            continue;
        }
        // Every character the text routine knows has a glyph inside the picture.
        EXPECT_GE(metrics.Count, GlyphNumber('$')) << kFontMetricsFiles[size_t(f)];
        for (int g = 1; g <= metrics.Count; ++g) {
            const TGlyph& glyph = *metrics.Glyph(g);
            EXPECT_GT(glyph.Width, 0) << "glyph " << g;
            EXPECT_GE(glyph.ULeft, 0.f) << "glyph " << g;
            EXPECT_LE(glyph.URight, 1.f) << "glyph " << g;
            EXPECT_LT(glyph.ULeft, glyph.URight) << "glyph " << g;
        }
        ExpectPicture(kFontPictureFiles[size_t(f)]);
    }
    TFonts fonts;
    LoadFontTextures(device_, fonts);
    for (int f = 0; f < kFontCount; ++f)
        EXPECT_TRUE(fonts[size_t(f)].Texture) << kFontPictureFiles[size_t(f)];
}

TEST_F(GameFolder, EveryPictureTheGameNamesLoads) {
    std::set<std::string> pictures = {
        // full-view pictures, markers, effects, banner, pointers, loading bar and launcher
        "Images\\gameover.jpg", "Images\\help.jpg",     "Images\\dot1.tga",   "Images\\dot2.tga",
        "Images\\dot3.tga",     "images\\newlevel.tga", "Images\\cursor.tga", "Images\\cursor1.tga",
        "Images/loading.jpg",   "Images\\launcher.jpg"};
    for (int n = 1; n <= 6; ++n) pictures.insert("images\\effect" + std::to_string(n) + ".tga");
    // scenery: room, background, lamps, bonus-level picture, score line and cap
    for (const TSceneItem& item : RoomItems) pictures.insert(item.File);
    for (const TSceneItem* item :
         {&BackPlaneItem, &BonusLightItem, &PlugBonusItem, &ScoreLineItem, &ScoreCapItem})
        pictures.insert(item->File);
    // cube textures of all five skins (joker, bomb, shot and block only from skin 1)
    for (int skin = 1; skin <= 5; ++skin)
        for (int slot = 0; slot <= 17; ++slot) pictures.insert(KindTextureName(skin, slot));
    EXPECT_EQ(pictures.size(), 16u + 5 + 5 + 14 * 5 + 4);
    for (const std::string& name : pictures) ExpectPicture(name);
}

TEST_F(GameFolder, TutorialPagesConvertAndLoad) {
    // Converted in a copy, so that the game folder keeps its state.
    TempDir copy;
    for (int page = 1; page <= TutorialPages; ++page) {
        const std::string jpeg = TutorialFileName(page, ".jpg");
        SCOPED_TRACE(jpeg);
        const std::string found = Existing(jpeg);
        ASSERT_FALSE(found.empty()) << "missing tutorial page " << jpeg;
        ExpectWholePicture(jpeg, found);
        const fs::path target = copy.path() / found;
        fs::create_directories(target.parent_path());
        fs::copy_file(found, target, fs::copy_options::overwrite_existing);
        try {
            JpegToBmp(target.string());
        } catch (const std::exception& e) {
            ADD_FAILURE() << "tutorial page " << jpeg << ": " << e.what();
            continue;
        }
        gfx::TextureHandle texture;
        LoadTexture(device_, BmpNameFor(target.string()), texture);
        ASSERT_TRUE(texture) << "converted tutorial page " << jpeg << " does not load";
        EXPECT_GE(texture->Width(), 320u) << jpeg;
        EXPECT_GE(texture->Height(), 200u) << jpeg;
    }
}

TEST_F(GameFolder, EveryEffectAndMusicTrackDecodes) {
    // The game takes ".ogg" effects when "NewLevel.ogg" exists, else ".wav".
    const std::string extension = Existing("Sounds\\NewLevel.ogg").empty() ? ".wav" : ".ogg";
    for (const char* name : SoundNames) ExpectSound(std::string("Sounds\\") + name + extension);
    for (const char* name : MusicNames) ExpectSound(std::string("Music\\") + name);
}

} // namespace
} // namespace veltrane
