// SDL's message boxes as the program's message boxes.
#pragma once

namespace veltrane {

// Installs SDL's simple message box as the presenter of ShowMessageBox. Where no box can be
// shown (no display), the text goes to standard error instead.
void InstallSdlMessageBoxes();

} // namespace veltrane
