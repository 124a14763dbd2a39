// The full-screen pictures (loading, game over, help), the launcher's picture and the pointers.
#pragma once

#include "common/Canvas.h"

namespace veltrane::assetgen::ui {

Canvas DrawLoadingPicture();  // Images/loading.jpg, with sockets where the 30 loading lights appear
Canvas DrawGameOverPicture(); // Images/gameover.jpg
Canvas DrawHelpPicture();     // Images/help.jpg: the rules at a glance
Canvas DrawLauncherPicture(); // Images/launcher.jpg, 200 x 150
Canvas DrawPointerArrow();    // Images/cursor.tga
Canvas DrawPointerAim();      // Images/cursor1.tga

// Full-screen pictures cover the 14.45 x 10.8375 plane at this size.
inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

} // namespace veltrane::assetgen::ui
