// Shared by the menu's command files: the bound objects and the options page's commands.
#pragma once

#include "menu/Menu.h"

namespace veltrane::menucmd {

// The host's clock, 0 without a host.
double Now();
// Page p of the bound menu, or null without a menu or outside its pages.
TMenuPage* PageOf(int p);
// Item visibility on page p (ignored outside the tables).
void SetItemVisible(int p, int item, bool visible);

// Page 3 from the main menu: the page, its bars, the preview of the current skin.
void EnterOptions();
// Page 3, Enter on item (0 = none): the item's command, then volumes and skin.
void OptionsChosen(int item);
// The volume rows of page 3 take a mouse release at (x, y).
void OptionsSliderClick(float x, float y);

} // namespace veltrane::menucmd
