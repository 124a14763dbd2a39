#include "ui/MenuLayout.h"

#include <cmath>
#include <cstdio>

namespace veltrane::assetgen::ui {

namespace {

// Columns of the options page's arrows, in units right of the screen centre: either side of the
// slider trough, which spans the game's slider range.
constexpr float kLeftArrow = -1.3f, kRightArrow = 1.2f;
// The board's centre (world x 0) seen from the screen's centre: dialogs over a running game sit on it.
constexpr float kBoardRight = kPlaneCentreX;

// An item placed by screen offsets from the plane's centre: `right` to the right of the screen,
// `up` towards its top (world x = centre - right, world y = centre + up).
MenuItemSpec At(std::string picture, ItemArt art, std::string text, float right, float up, float width,
                float height) {
    MenuItemSpec item;
    item.picture = std::move(picture);
    item.art = art;
    item.text = std::move(text);
    item.x = kPlaneCentreX - right;
    item.y = kPlaneCentreY + up;
    item.sx = width;
    item.sy = height;
    return item;
}

MenuItemSpec With(MenuItemSpec item, std::string line, int value = 0) {
    item.line = std::move(line);
    item.value = value;
    return item;
}

MenuItemSpec Decoration(MenuItemSpec item, bool visible = true) {
    item.enabled = false;
    item.visible = visible;
    return item;
}

MenuItemSpec Hidden(MenuItemSpec item) {
    item.visible = false;
    return item;
}

// One volume row: down arrow, label with trough, up arrow, bar (its length is set by the game).
void AddSliderRow(MenuPageSpec& page, const std::string& name, const std::string& text, float rowY,
                  int volume) {
    const float up = rowY - kPlaneCentreY;
    page.items.push_back(With(At(name + "_down", ItemArt::Arrow, "", kLeftArrow, up, 0.62f, 0.62f), "", -1));
    page.items.push_back(Decoration(At(name + "_label", ItemArt::SliderLabel, text, -1.7f, up, 5.2f, 0.62f)));
    page.items.push_back(With(At(name + "_up", ItemArt::Arrow, "", kRightArrow, up, 0.62f, 0.62f), "", 1));
    MenuItemSpec bar = Decoration(At("volume_bar", ItemArt::Bar, "", 0, up, 1, 0.22f));
    bar.sx = static_cast<float>(volume) * 1.4f / 255.0f;
    bar.x = -1.06f - bar.sx / 2;
    page.items.push_back(bar);
}

MenuSpec BuildMenu() {
    MenuSpec menu;
    menu.background = "Images\\menuback.jpg";

    MenuPageSpec main{"Page 1: main menu", {}};
    main.items = {At("newgame", ItemArt::Plate, "NEW GAME", 0, 1.4f, 4.6f, 0.9f),
                  At("options", ItemArt::Plate, "OPTIONS", 0, 0.25f, 4.6f, 0.9f),
                  At("highscores", ItemArt::Plate, "HIGH SCORES", 0, -0.9f, 4.6f, 0.9f),
                  At("exit", ItemArt::Plate, "EXIT", 0, -2.05f, 4.6f, 0.9f)};

    MenuPageSpec choose{"Page 2: choose a game", {}};
    choose.items = {With(At("classic", ItemArt::PlateWithLine, "CLASSIC GAME", 0, 1.7f, 6.2f, 1.15f),
                         "Fill the gauge to finish each level"),
                    With(At("timed", ItemArt::PlateWithLine, "TIMED GAME", 0, 0.4f, 6.2f, 1.15f),
                         "Points refill a clock that never stops"),
                    With(At("tutorial", ItemArt::PlateWithLine, "TUTORIAL", 0, -0.9f, 6.2f, 1.15f),
                         "Learn the game step by step"),
                    At("back", ItemArt::Plate, "BACK", 0, -2.3f, 3.0f, 0.8f)};

    MenuPageSpec options{"Page 3: options", {}};
    options.items.push_back(At("save", ItemArt::Plate, "SAVE", -1.6f, -3.3f, 2.8f, 0.8f));
    options.items.push_back(At("cancel", ItemArt::Plate, "CANCEL", 1.6f, -3.3f, 2.8f, 0.8f));
    // Spare slot: the game copies a row label here to show it lit while an arrow of its row is
    // under the pointer.
    options.items.push_back(Decoration(
        At("sound_label", ItemArt::SliderLabel, "SOUND", -1.7f, kSoundRowY - kPlaneCentreY, 5.2f, 0.62f),
        false));
    AddSliderRow(options, "sound", "SOUND", kSoundRowY, 160);
    AddSliderRow(options, "music", "MUSIC", kMusicRowY, 120);
    options.items.push_back(
        With(At("skin_previous", ItemArt::Arrow, "", kLeftArrow, -1.45f, 0.62f, 0.62f), "", -1));
    options.items.push_back(
        Decoration(At("skin_label", ItemArt::RowLabel, "CUBES", -3.075f, -1.45f, 2.45f, 0.62f)));
    options.items.push_back(
        With(At("skin_next", ItemArt::Arrow, "", kRightArrow, -1.45f, 0.62f, 0.62f), "", 1));
    for (int skin = 1; skin <= 5; ++skin) {
        MenuItemSpec preview = With(At("skin" + std::to_string(skin), ItemArt::SkinPreview, "",
                                       (kLeftArrow + kRightArrow) / 2, -1.45f, 2.0f, 1.3f),
                                    "", skin);
        options.items.push_back(Decoration(preview, skin == 1));
    }

    MenuPageSpec running{"Page 4: the running game", {}};
    running.items = {At("game_menu", ItemArt::GameButton, "MENU", 5.108f, -4.26f, 2.3f, 0.62f)};

    MenuPageSpec pause{"Page 5: pause menu", {}};
    pause.items = {Decoration(With(At("pause_panel", ItemArt::Panel, "PAUSED", kBoardRight, 0, 6.6f, 4.4f),
                                   "Leaving saves the game for later")),
                   At("quit", ItemArt::Plate, "SAVE AND QUIT", kBoardRight, -0.65f, 4.6f, 0.85f),
                   At("resume", ItemArt::Plate, "RESUME", kBoardRight, 0.45f, 4.6f, 0.85f)};

    MenuPageSpec scores{"Page 6: high-score table", {}};
    scores.items = {
        At("back", ItemArt::Plate, "BACK", 0, -3.85f, 3.0f, 0.8f),
        With(At("table_classic", ItemArt::TableToggle, "HIGH SCORES", 0, 3.2f, 7.6f, 0.72f), "", 1),
        Hidden(With(At("table_timed", ItemArt::TableToggle, "HIGH SCORES", 0, 3.2f, 7.6f, 0.72f), "", 2))};

    MenuPageSpec resume{"Page 7: continue the saved game?", {}};
    resume.items = {
        Decoration(With(At("resume_panel", ItemArt::Panel, "SAVED GAME FOUND", kBoardRight, 0, 6.6f, 4.4f),
                        "Continue it, or start afresh")),
        At("continue", ItemArt::Plate, "CONTINUE", kBoardRight, 0.45f, 4.6f, 0.85f),
        At("newstart", ItemArt::Plate, "NEW GAME", kBoardRight, -0.65f, 4.6f, 0.85f)};

    MenuPageSpec spare{"Page 8: not used", {}};

    MenuPageSpec tutorial{"Page 9: tutorial", {}};
    tutorial.items = {
        At("tutorial_back", ItemArt::Plate, "BACK", -5.4f, -4.85f, 2.6f, 0.7f),
        At("tutorial_next", ItemArt::Plate, "NEXT  >", 5.6f, -4.85f, 2.6f, 0.7f),
        Hidden(At("tutorial_previous", ItemArt::Plate, "<  PREVIOUS", 2.6f, -4.85f, 3.0f, 0.7f))};

    MenuPageSpec help{"Page 10: help before a game", {}};
    help.items = {
        At("help_start", ItemArt::Plate, "START GAME", 4.6f, -4.75f, 3.6f, 0.85f),
        With(At("help_on", ItemArt::HelpToggle, "SHOW HELP BEFORE A GAME", -3.6f, -4.75f, 6.0f, 0.85f), "",
             1),
        Hidden(
            With(At("help_off", ItemArt::HelpToggle, "SHOW HELP BEFORE A GAME", -3.6f, -4.75f, 6.0f, 0.85f),
                 "", 0))};

    menu.pages = {main, choose, options, running, pause, scores, resume, spare, tutorial, help};
    return menu;
}

std::string Number(float v) {
    if (std::fabs(v) < 0.000005f) v = 0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.5f", static_cast<double>(v));
    return buffer;
}

std::string Triple(float a, float b, float c) {
    return Number(a) + " " + Number(b) + " " + Number(c);
}

} // namespace

const MenuSpec& GameMenu() {
    static const MenuSpec menu = BuildMenu();
    return menu;
}

std::string NormalPictureName(const MenuItemSpec& item) {
    return "Images\\Menu\\" + item.picture + ".tga";
}

std::string HighlightPictureName(const MenuItemSpec& item) {
    return "Images\\Menu\\" + item.picture + "_hi.tga";
}

std::string MenuFileText(const MenuSpec& menu) {
    std::string text;
    const auto line = [&text](const std::string& s) { text += s + "\r\n"; };
    line("Veltrane menu: the background picture, then the pages; seven lines per item: normal picture, "
         "highlighted picture, position, scale, rotation, visible, enabled");
    line(menu.background);
    line("number of pages");
    line(std::to_string(menu.pages.size()));
    for (const MenuPageSpec& page : menu.pages) {
        line(page.title);
        line(std::to_string(page.items.size()));
        for (const MenuItemSpec& item : page.items) {
            line(NormalPictureName(item));
            line(HighlightPictureName(item));
            line(Triple(item.x, item.y, 0));
            line(Triple(item.sx, item.sy, 1));
            line(Triple(0, 0, 0));
            line(item.visible ? "1" : "0");
            line(item.enabled ? "1" : "0");
        }
    }
    return text;
}

} // namespace veltrane::assetgen::ui
