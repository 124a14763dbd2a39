// The menu file as the game reads it: its shape, the item numbers the game relies on, the fixed
// slider rows of the options page, and the pictures it names.
#include "UiAssetsTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>

namespace veltrane::assetgen {
namespace {

using testing::ReadTga;
using testing::UiGameFolder;

struct Item {
    std::string normal, highlight;
    std::array<float, 3> position{}, scale{}, rotation{};
    bool visible = false, enabled = false;
    // The rectangle the game hit-tests: the pressed look (y 0.03 lower, 98 % of the size).
    float Left() const { return position[0] + scale[0] * 0.98f / 2; } // larger x is further left
    float Right() const { return position[0] - scale[0] * 0.98f / 2; }
    float Top() const { return position[1] - 0.03f + scale[1] * 0.98f / 2; }
    float Bottom() const { return position[1] - 0.03f - scale[1] * 0.98f / 2; }
};

struct Menu {
    std::string background;
    std::vector<std::vector<Item>> pages;
};

// Reads the file the way the game does: whole lines, CR LF ends, numbers separated by blanks.
Menu ReadMenu(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) throw std::runtime_error("line without CR LF at the end of the file");
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    size_t at = 0;
    const auto next = [&]() -> const std::string& {
        if (at >= lines.size()) throw std::runtime_error("file ends early");
        return lines[at++];
    };
    const auto integer = [&] { return std::stoi(next()); };
    const auto triple = [&] {
        std::istringstream in(next());
        std::array<float, 3> v{};
        for (float& f : v)
            if (!(in >> f)) throw std::runtime_error("expected three numbers at line " + std::to_string(at));
        return v;
    };
    Menu menu;
    next();
    menu.background = next();
    next();
    const int pages = integer();
    for (int p = 0; p < pages; ++p) {
        next();
        const int count = integer();
        std::vector<Item> items;
        for (int i = 0; i < count; ++i) {
            Item item;
            item.normal = next();
            item.highlight = next();
            item.position = triple();
            item.scale = triple();
            item.rotation = triple();
            item.visible = integer() == 1;
            item.enabled = integer() == 1;
            items.push_back(item);
        }
        menu.pages.push_back(items);
    }
    EXPECT_EQ(at, lines.size()) << "lines left after the last page";
    return menu;
}

// A file the menu names, in the folder where the menu's pictures were made.
std::filesystem::path InGame(const std::string& name) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return UiGameFolder(testing::UiPart::MenuPictures) / relative;
}

const Menu& GameMenu() {
    static const Menu menu =
        ReadMenu(testing::ReadText(UiGameFolder(testing::UiPart::MenuFile) / "data" / "Menu.dat"));
    return menu;
}

const Item& At(int page, int item) {
    return GameMenu().pages.at(static_cast<size_t>(page - 1)).at(static_cast<size_t>(item - 1));
}

TEST(UiMenu, PagesHoldTheItemsTheGameNumbers) {
    const Menu& menu = GameMenu();
    ASSERT_EQ(menu.pages.size(), 10u);
    const std::array<size_t, 10> counts = {4, 4, 19, 1, 3, 3, 3, 0, 3, 3};
    for (size_t p = 0; p < menu.pages.size(); ++p) {
        EXPECT_EQ(menu.pages[p].size(), counts[p]) << "page " << p + 1;
        EXPECT_LE(menu.pages[p].size(), 20u);
    }
    for (const auto& page : menu.pages)
        for (const Item& item : page) EXPECT_EQ(item.rotation, (std::array<float, 3>{0, 0, 0}));
    // Every page the game shows offers something to choose when it opens.
    for (size_t p = 0; p < menu.pages.size(); ++p) {
        if (p + 1 == 8) continue; // never shown
        const auto& page = menu.pages[p];
        EXPECT_TRUE(
            std::any_of(page.begin(), page.end(), [](const Item& i) { return i.visible && i.enabled; }))
            << "page " << p + 1;
    }
}

TEST(UiMenu, EveryNamedPictureExistsWithMatchingLooks) {
    const Menu& menu = GameMenu();
    ASSERT_TRUE(std::filesystem::exists(InGame(menu.background))) << menu.background;
    const auto [width, height] = testing::JpegSize(InGame(menu.background));
    EXPECT_EQ(width * 3, height * 4) << "the background fills the 4:3 view";
    for (const auto& page : menu.pages)
        for (const Item& item : page) {
            ASSERT_TRUE(std::filesystem::exists(InGame(item.normal))) << item.normal;
            ASSERT_TRUE(std::filesystem::exists(InGame(item.highlight))) << item.highlight;
            ASSERT_NE(item.normal, item.highlight);
            const auto normal = ReadTga(InGame(item.normal));
            const auto lit = ReadTga(InGame(item.highlight));
            EXPECT_EQ(normal.width, lit.width) << item.normal;
            EXPECT_EQ(normal.height, lit.height) << item.normal;
        }
}

// A picture is drawn over the item's whole rectangle: its shape must be the rectangle's, or it
// is stretched (the volume bar alone is meant to stretch).
TEST(UiMenu, PicturesHaveTheShapeOfTheirItems) {
    for (const auto& page : GameMenu().pages)
        for (const Item& item : page) {
            if (item.normal.find("volume_bar") != std::string::npos) continue;
            const auto picture = ReadTga(InGame(item.normal));
            const float want = item.scale[0] / item.scale[1];
            const float have = static_cast<float>(picture.width) / static_cast<float>(picture.height);
            EXPECT_NEAR(have / want, 1.0f, 0.03f) << item.normal;
        }
}

TEST(UiMenu, ItemsLieInsideTheVisiblePlaneAndSelectableOnesDoNotOverlap) {
    const float left = -1.8f + 14.45f / 2, right = -1.8f - 14.45f / 2;
    const float top = -0.25f + 10.8375f / 2, bottom = -0.25f - 10.8375f / 2;
    for (size_t p = 0; p < GameMenu().pages.size(); ++p) {
        const auto& page = GameMenu().pages[p];
        for (const Item& item : page) {
            EXPECT_LE(item.position[0] + item.scale[0] / 2, left) << item.normal;
            EXPECT_GE(item.position[0] - item.scale[0] / 2, right) << item.normal;
            EXPECT_LE(item.position[1] + item.scale[1] / 2, top) << item.normal;
            EXPECT_GE(item.position[1] - item.scale[1] / 2, bottom) << item.normal;
            EXPECT_EQ(item.position[2], 0.0f) << "items lie on the pointer's plane";
        }
        for (size_t a = 0; a < page.size(); ++a)
            for (size_t b = a + 1; b < page.size(); ++b) {
                const Item &i = page[a], &j = page[b];
                if (!(i.visible && i.enabled && j.visible && j.enabled)) continue;
                const bool apart = i.Right() > j.Left() || j.Right() > i.Left() || i.Bottom() > j.Top() ||
                                   j.Bottom() > i.Top();
                EXPECT_TRUE(apart) << "page " << p + 1 << ": items " << a + 1 << " and " << b + 1
                                   << " overlap";
            }
    }
}

TEST(UiMenu, OptionsRowsSitOnTheFixedSliderRanges) {
    // The game takes clicks at x -2.6 .. -1.0 on the sound row (y 1.801 .. 2.201) and the music
    // row (y -0.00525 .. 0.39475); the bars keep their end at x -1.06 when laid by the keys.
    const std::array<std::pair<int, float>, 2> rows = {{{4, 2.001f}, {8, 0.19475f}}};
    for (const auto& [first, rowY] : rows) {
        const Item &down = At(3, first), &label = At(3, first + 1), &up = At(3, first + 2),
                   &bar = At(3, first + 3);
        // Drawn centred on the row that takes the clicks.
        for (const Item* item : {&down, &label, &up, &bar})
            EXPECT_NEAR(item->position[1], rowY, 0.01f) << item->normal;
        EXPECT_LE(bar.position[1] + bar.scale[1] / 2, rowY + 0.2f);
        EXPECT_GE(bar.position[1] - bar.scale[1] / 2, rowY - 0.2f);
        EXPECT_NEAR(bar.position[0] + bar.scale[0] / 2, -1.06f, 1e-4f);
        EXPECT_FALSE(bar.enabled);
        EXPECT_FALSE(label.enabled);
        // The arrows lie outside the click range, so pressing one never also sets the volume.
        EXPECT_GT(down.Right(), -1.0f);
        EXPECT_LT(up.Left(), -2.6f);
        EXPECT_TRUE(down.enabled && up.enabled);
    }
}

TEST(UiMenu, OptionsSpareSlotAndSkinPreviewsAreDecorationsWithOnePreviewShown) {
    EXPECT_FALSE(At(3, 3).visible);
    EXPECT_FALSE(At(3, 3).enabled);
    // The spare slot shows a row label's highlighted look in that label's place.
    EXPECT_EQ(At(3, 3).highlight, At(3, 5).highlight);
    EXPECT_EQ(At(3, 3).position, At(3, 5).position);
    int shown = 0;
    for (int item = 15; item <= 19; ++item) {
        EXPECT_FALSE(At(3, item).enabled);
        EXPECT_EQ(At(3, item).position, At(3, 15).position);
        shown += At(3, item).visible;
    }
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(At(3, 13).enabled);
    for (int item : {1, 2, 4, 6, 8, 10, 12, 14})
        EXPECT_TRUE(At(3, item).visible && At(3, item).enabled) << item;
}

TEST(UiMenu, SwitchedPairsShareAPlaceAndStartWithOneShown) {
    // High-score table switch (page 6) and help switch (page 10): the game hides one and shows
    // the other in the same place.
    for (int page : {6, 10}) {
        EXPECT_EQ(At(page, 2).position, At(page, 3).position);
        EXPECT_EQ(At(page, 2).scale, At(page, 3).scale);
        EXPECT_TRUE(At(page, 2).visible);
        EXPECT_FALSE(At(page, 3).visible);
    }
    // The tutorial starts on its first page: no "previous" yet.
    EXPECT_FALSE(At(9, 3).visible);
    // Titles on the pause and saved-game pages are decorations under their buttons.
    for (int page : {5, 7}) {
        EXPECT_FALSE(At(page, 1).enabled);
        for (int item : {2, 3}) {
            EXPECT_LT(At(page, item).Left(), At(page, 1).position[0] + At(page, 1).scale[0] / 2);
            EXPECT_GT(At(page, item).Right(), At(page, 1).position[0] - At(page, 1).scale[0] / 2);
        }
    }
}

} // namespace
} // namespace veltrane::assetgen
