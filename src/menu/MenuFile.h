// Reading the menu file "data/Menu.dat": the background picture and every page with its items.
#pragma once

#include "menu/MenuModel.h"
#include "platform/gfx/Texture.h"

#include <memory>
#include <string>

namespace veltrane {

class ILoadingSteps;
class TTextReader;

constexpr const char* MenuFileName = "data/Menu.dat";

// Reads the menu file and builds the menu with its MenuBackground, lighting loading-bar steps 2 to 10 through
// steps (may be null) as it goes. The background picture is named relative to the program's folder, the item
// pictures relative to the current one. A missing file, a malformed number, more than 13 pages or more than
// 20 items on a page throws TFileError naming the file and line. The menu returned shows page 1.
std::unique_ptr<TD3DMenu> LoadMenu(gfx::IDevice* device, ILoadingSteps* steps,
                                   const std::string& path = MenuFileName);
std::unique_ptr<TD3DMenu> LoadMenu(gfx::IDevice* device, ILoadingSteps* steps, TTextReader& reader);

} // namespace veltrane
