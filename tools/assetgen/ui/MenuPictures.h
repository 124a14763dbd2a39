// The pictures the menu file names (each item's normal and highlighted look) and the menu background.
#pragma once

#include "common/Canvas.h"
#include "ui/MenuLayout.h"

#include <filesystem>

namespace veltrane::assetgen::ui {

// One look of one item, sized to the item at kPixelsPerUnit.
Canvas DrawMenuItem(const MenuItemSpec& item, bool highlighted);
Canvas DrawMenuBackground(int width, int height);

// Every picture of the menu (each shared picture once) and the background.
void MakeMenuPictures(const std::filesystem::path& gameDir, const MenuSpec& menu);

} // namespace veltrane::assetgen::ui
