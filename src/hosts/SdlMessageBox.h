// SDL's message boxes as the program's message boxes.
#pragma once

struct SDL_Window;

namespace veltrane {

// Installs SDL's simple message box as the presenter of ShowMessageBox. Where no box can be
// shown (no display), the text goes to standard error instead.
void InstallSdlMessageBoxes();

// A box takes the keyboard focus from the window it belongs to while it is open. That loss, still
// in the event queue when the box is answered, would read as the player switching away (the game
// stops its music and minimises itself): it is taken out of the queue, every other event kept in
// order, and the focus is given back to the window.
void ReturnFocusAfterBox(SDL_Window* owner);

} // namespace veltrane
