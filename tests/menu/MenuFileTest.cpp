#include "menu/MenuFile.h"
#include "game/Flow.h"
#include "platform/TextReader.h"
#include "platform/gfx/RecordingDevice.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace veltrane {
namespace {

class RecordingSteps final : public ILoadingSteps {
public:
    void Step(uint8_t n, const std::string&) override { Steps.push_back(n); }
    std::vector<int> Steps;
};

// One item's seven lines.
std::string ItemLines(const std::string& visible = "1", const std::string& position = "0 0 0") {
    return "none.tga\r\nnone_hi.tga\r\n" + position + "\r\n1 1 1\r\n0 0 0\r\n" + visible + "\r\n1\r\n";
}

// A menu text with the given page count line and pages of itemCounts items each.
std::string MenuText(const std::string& pageCount, const std::vector<int>& itemCounts) {
    std::string text = "comment\r\nImages\\menuback.jpg\r\ncomment\r\n" + pageCount + "\r\n";
    for (int count : itemCounts) {
        text += "title\r\n" + std::to_string(count) + "\r\n";
        for (int i = 0; i < count; ++i) text += ItemLines();
    }
    return text;
}

std::unique_ptr<TD3DMenu> Load(const std::string& text, gfx::IDevice* device = nullptr,
                               ILoadingSteps* steps = nullptr) {
    TTextReader reader = TTextReader::FromText("data/Menu.dat", text);
    return LoadMenu(device, steps, reader);
}

TEST(MenuFileTest, TheGeneratedMenuLoadsWithItsPicturesAndLoadingSteps) {
    CurrentDir cd(VELTRANE_GAME_DIR);
    SetResourceFolder(VELTRANE_GAME_DIR);
    gfx::TRecordingDevice device;
    RecordingSteps steps;
    const auto menu = LoadMenu(&device, &steps);

    EXPECT_EQ(steps.Steps, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_NE(menu->MenuBackground, nullptr);
    ASSERT_EQ(menu->PageCount, 10);
    const std::vector<int> counts{4, 4, 19, 1, 3, 3, 3, 0, 3, 3};
    for (int p = 1; p <= 10; ++p) EXPECT_EQ(menu->Pages[p].Count, counts[size_t(p - 1)]) << "page " << p;
    EXPECT_EQ(menu->Page, 1);
    EXPECT_EQ(menu->Pages[1].Selected, 1);
    for (int i = 1; i <= 19; ++i) {
        const TMenuItem& item = menu->Item(3, i);
        EXPECT_NE(item.Sprite, nullptr) << "options item " << i;
        EXPECT_NE(item.HighlightSprite, nullptr) << "options item " << i;
    }
    // The options page: the spare label slot hidden, labels and bars decorations, skin 1's
    // preview the only one shown.
    EXPECT_FALSE(menu->Item(3, 3).Visible);
    for (int i : {5, 7, 9, 11, 13}) EXPECT_FALSE(menu->Item(3, i).Enabled) << i;
    for (int i : {4, 6, 8, 10, 12, 14}) EXPECT_TRUE(menu->Item(3, i).Enabled) << i;
    EXPECT_TRUE(menu->Item(3, 15).Visible);
    for (int i = 16; i <= 19; ++i) EXPECT_FALSE(menu->Item(3, i).Visible) << i;
    // Items shown only on demand: the other table's switch, "previous", help off.
    EXPECT_FALSE(menu->Item(6, 3).Visible);
    EXPECT_FALSE(menu->Item(9, 3).Visible);
    EXPECT_FALSE(menu->Item(10, 3).Visible);
    // The slider rows the program's hit ranges expect: sound at 1.801..2.201, music at
    // -0.00525..0.39475, the bars' fixed end at -1.06.
    EXPECT_NEAR(menu->Item(3, 5).NormalLook.Position.y, 2.001f, 1e-4);
    EXPECT_NEAR(menu->Item(3, 9).NormalLook.Position.y, 0.19475f, 1e-4);
    const TPlacement& bar = menu->Item(3, 7).NormalLook;
    EXPECT_NEAR(bar.Position.x + bar.Scale.x / 2, -1.06f, 1e-4);
}

TEST(MenuFileTest, ItemsTakeTheirFlagsLooksAndOnlyPicturesThatExist) {
    TempDir dir;
    CurrentDir cd(dir.path());
    std::ofstream(dir.path() / "a.tga") << "not a picture";
    gfx::TRecordingDevice device;
    std::string text = "c\r\nback.jpg\r\nc\r\n1\r\ntitle\r\n3\r\n";
    text += "a.tga\r\nmissing.tga\r\n-1 0.5 0\r\n2 1 1\r\n0 0 0.5\r\n1\r\n1\r\n";
    text += ItemLines("2");
    text += ItemLines("1");
    const auto menu = Load(text, &device);

    const TMenuItem& first = menu->Item(1, 1);
    EXPECT_NE(first.Sprite, nullptr);
    EXPECT_EQ(first.HighlightSprite, nullptr);
    EXPECT_EQ(first.NormalLook.Scale, (TVector{2, 1, 1}));
    EXPECT_EQ(first.NormalLook.Position, (TVector{-1, 0.5f, 0}));
    EXPECT_EQ(first.NormalLook.Rotation, (TVector{0, 0, 0.5f}));
    EXPECT_FLOAT_EQ(first.PressedLook.Scale.x, 1.96f);
    EXPECT_FLOAT_EQ(first.PressedLook.Scale.y, 0.98f);
    EXPECT_FLOAT_EQ(first.PressedLook.Scale.z, 1.0f);
    EXPECT_FLOAT_EQ(first.PressedLook.Position.y, 0.47f);
    EXPECT_FLOAT_EQ(first.PressedLook.Position.x, -1.0f);
    EXPECT_EQ(first.Sprite->Scale, first.NormalLook.Scale);
    EXPECT_EQ(first.Sprite->Position, first.NormalLook.Position);
    // Visible 2 is not "1": hidden.
    EXPECT_FALSE(menu->Item(1, 2).Visible);
    EXPECT_TRUE(menu->Item(1, 3).Visible);
}

// Each broken file: the error names the file and line, and nothing of it is kept.
TEST(MenuFileTest, ABrokenFileIsAnErrorAndLeavesNoPartialMenu) {
    struct Case {
        const char* what;
        std::string text;
        const char* message;
    };
    std::string badNumber = MenuText("1", {1});
    badNumber.replace(badNumber.find("0 0 0"), 5, "0 x 0");
    std::string truncated = MenuText("2", {2, 2});
    truncated.resize(truncated.size() - 30);
    const std::vector<Case> cases{
        {"14 pages", MenuText("14", std::vector<int>(14, 1)),
         "data/Menu.dat line 4: page count 14 outside 1..13"},
        {"21 items", MenuText("1", {21}), "data/Menu.dat line 6: item count 21 outside 0..20"},
        {"no page count", MenuText("many", {1}), "data/Menu.dat line 4: number expected"},
        {"bad position", badNumber, "data/Menu.dat line 9: number expected, found \"x\""},
        {"cut short", truncated, "data/Menu.dat line"},
    };
    gfx::TRecordingDevice device;
    for (const Case& c : cases) {
        std::unique_ptr<TD3DMenu> menu;
        try {
            menu = Load(c.text, &device);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const TFileError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.what << ": " << e.what();
        }
        EXPECT_EQ(menu, nullptr) << c.what;
    }
    EXPECT_THROW(LoadMenu(nullptr, nullptr, "no/such/Menu.dat"), TFileError);
}

TEST(MenuModelTest, SetPageHighlightsTheFirstSelectableItemAndRestartsTheSettleTime) {
    TD3DMenu menu;
    menu.SetPageCount(2);
    const TVector zero{};
    const TVector one{1, 1, 1};
    menu.AddItem(nullptr, 1, "", "", zero, one, zero, true, false); // a title
    menu.AddItem(nullptr, 1, "", "", zero, one, zero, false, true); // hidden
    menu.AddItem(nullptr, 1, "", "", zero, one, zero, true, true);
    menu.AddItem(nullptr, 1, "", "", zero, one, zero, true, true);
    menu.AddItem(nullptr, 2, "", "", zero, one, zero, true, false);

    menu.Pages[1].Selected = 4;
    menu.SetPage(1, 1000);
    EXPECT_EQ(menu.Pages[1].Selected, 3);
    EXPECT_EQ(menu.Pages[1].LastSelected, 3);
    EXPECT_FALSE(menu.Ready(1250));
    EXPECT_TRUE(menu.Ready(1251));

    // Nothing selectable: the old highlight stays.
    menu.Pages[2].Selected = 1;
    menu.SetPage(2, 2000);
    EXPECT_EQ(menu.Page, 2);
    EXPECT_EQ(menu.Pages[2].Selected, 1);
    // Pages outside the menu are ignored.
    menu.SetPage(3, 3000);
    EXPECT_EQ(menu.Page, 2);

    menu.SwapItems(1, 1);
    EXPECT_TRUE(menu.Item(2, 1).Visible);
    EXPECT_THROW(menu.AddItem(nullptr, 3, "", "", zero, one, zero, true, true), std::out_of_range);
    for (int i = menu.Pages[2].Count; i < MaxMenuItems; ++i)
        menu.AddItem(nullptr, 2, "", "", zero, one, zero, true, true);
    EXPECT_THROW(menu.AddItem(nullptr, 2, "", "", zero, one, zero, true, true), std::out_of_range);
    EXPECT_EQ(menu.Pages[2].Count, MaxMenuItems);
}

} // namespace
} // namespace veltrane
