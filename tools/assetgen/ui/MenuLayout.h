// What the menu holds, page by page: every item's pictures, place and flags, and how its
// pictures are drawn. The menu file and the menu pictures are both written from this one table.
#pragma once

#include <string>
#include <vector>

namespace veltrane::assetgen::ui {

// The menu plane: 14.45 x 10.8375 units centred on the camera target, world x growing to the
// left of the screen.
inline constexpr float kPlaneCentreX = -1.8f;
inline constexpr float kPlaneCentreY = -0.25f;
inline constexpr float kPlaneWidth = 14.45f;
inline constexpr float kPlaneHeight = 10.8375f;

// The game's fixed slider rows on the options page.
inline constexpr float kSliderRightEndX = -1.0f; // the bar's fixed end (left on the screen)
inline constexpr float kSliderLeftEndX = -2.6f;
inline constexpr float kSoundRowY = 2.001f;   // hit range 1.801 .. 2.201
inline constexpr float kMusicRowY = 0.19475f; // hit range -0.00525 .. 0.39475
inline constexpr float kSliderRowHeight = 0.4f;

enum class ItemArt {
    Plate,         // a word on a plate
    PlateWithLine, // a word and a short explanation on a taller plate
    Arrow,         // a round button with a triangle; value -1 left, +1 right
    SliderLabel,   // a row's name with the slider's trough
    RowLabel,      // a row's name alone
    Bar,           // the volume bar, stretched by the game
    SkinPreview,   // the cubes of skin `value`
    Panel,         // a dialog panel with a title and a line of advice
    TableToggle,   // the high-score table switch; value 1 or 2 is the table shown
    HelpToggle,    // the help switch; value 1 on, 0 off
    GameButton,    // the button beside the board that pauses the game
};

struct MenuItemSpec {
    std::string picture; // picture name under Images\Menu without ".tga"; the highlighted one adds "_hi"
    ItemArt art = ItemArt::Plate;
    std::string text;
    std::string line; // second line of PlateWithLine and Panel
    int value = 0;
    float x = 0, y = 0;   // centre in world units
    float sx = 1, sy = 1; // size in world units
    bool visible = true;
    bool enabled = true;
};

struct MenuPageSpec {
    std::string title; // the page's comment line in the file
    std::vector<MenuItemSpec> items;
};

struct MenuSpec {
    std::string background; // relative to the game folder
    std::vector<MenuPageSpec> pages;
};

const MenuSpec& GameMenu();

// "Images\Menu\<picture>.tga" and "Images\Menu\<picture>_hi.tga".
std::string NormalPictureName(const MenuItemSpec& item);
std::string HighlightPictureName(const MenuItemSpec& item);

// The text of data/Menu.dat, CR LF lines.
std::string MenuFileText(const MenuSpec& menu);

} // namespace veltrane::assetgen::ui
