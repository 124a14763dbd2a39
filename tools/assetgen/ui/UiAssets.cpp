#include "ui/UiAssets.h"

#include "ui/Fonts.h"
#include "ui/MenuLayout.h"
#include "ui/MenuPictures.h"
#include "ui/Screens.h"
#include "ui/TextFile.h"
#include "ui/UiParts.h"

namespace veltrane::assetgen {

namespace ui {

void MakeMenuFile(const std::filesystem::path& gameDir) {
    WriteTextFile(gameDir / "data" / "Menu.dat", MenuFileText(GameMenu()));
}

void MakeMenuArt(const std::filesystem::path& gameDir) {
    MakeMenuPictures(gameDir, GameMenu());
}

void MakePointers(const std::filesystem::path& gameDir) {
    DrawPointerArrow().WriteTga(gameDir / "Images" / "cursor.tga");
    DrawPointerAim().WriteTga(gameDir / "Images" / "cursor1.tga");
}

void MakeScreenArt(const std::filesystem::path& gameDir) {
    const std::filesystem::path images = gameDir / "Images";
    DrawLoadingPicture().WriteJpeg(images / "loading.jpg", 90);
    DrawGameOverPicture().WriteJpeg(images / "gameover.jpg", 90);
    DrawHelpPicture().WriteJpeg(images / "help.jpg", 92);
    DrawLauncherPicture().WriteJpeg(images / "launcher.jpg", 92);
}

} // namespace ui

void MakeUiAssets(const std::filesystem::path& gameDir) {
    ui::MakeFonts(gameDir);
    ui::MakeMenuFile(gameDir);
    ui::MakeMenuArt(gameDir);
    ui::MakePointers(gameDir);
    ui::MakeScreenArt(gameDir);
}

} // namespace veltrane::assetgen
