// Message boxes: a caption, a text, an icon and an OK button, shown over everything until
// dismissed. The program shows them through here; the host's real boxes are installed at start
// (hosts/SdlMessageBox.h), and tests record them instead.
#pragma once

#include <functional>
#include <string>

namespace veltrane {

enum class TMessageIcon { Information, Warning, Error };

// owner: the host's window the box belongs to, or null for a box without owner.
void ShowMessageBox(void* owner, const std::string& caption, const std::string& text, TMessageIcon icon);

using TMessageBoxHandler =
    std::function<void(void* owner, const std::string& caption, const std::string& text, TMessageIcon icon)>;
// The host's boxes. Without one, the caption and text go to standard error.
void SetMessageBoxPresenter(TMessageBoxHandler presenter);
// Tests replace what a box does; an empty handler restores the host's boxes.
void SetMessageBoxHandler(TMessageBoxHandler handler);
// How many boxes have been shown so far: a box holds the caller until it is dismissed, and the
// frame loop leaves that time out of the game's.
unsigned MessageBoxesShown();

} // namespace veltrane
