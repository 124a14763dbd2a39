#include "ui/UiAssets.h"

#include "ui/Fonts.h"
#include "ui/MenuLayout.h"
#include "ui/MenuPictures.h"
#include "ui/Screens.h"
#include "ui/TextFile.h"

namespace veltrane::assetgen {

void MakeUiAssets(const std::filesystem::path& gameDir) {
    using namespace ui;
    MakeFonts(gameDir);
    WriteTextFile(gameDir / "data" / "Menu.dat", MenuFileText(GameMenu()));
    MakeMenuPictures(gameDir, GameMenu());
    const std::filesystem::path images = gameDir / "Images";
    DrawPointerArrow().WriteTga(images / "cursor.tga");
    DrawPointerAim().WriteTga(images / "cursor1.tga");
    DrawLoadingPicture().WriteJpeg(images / "loading.jpg", 90);
    DrawGameOverPicture().WriteJpeg(images / "gameover.jpg", 90);
    DrawHelpPicture().WriteJpeg(images / "help.jpg", 92);
    DrawLauncherPicture().WriteJpeg(images / "launcher.jpg", 92);
}

} // namespace veltrane::assetgen
