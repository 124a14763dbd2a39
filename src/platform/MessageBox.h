// Message boxes: a caption, a text, an icon and an OK button, shown over everything until
// dismissed. The program shows them through here so tests can record them instead.
#pragma once

#include <functional>
#include <string>

namespace veltrane {

enum class TMessageIcon { Information, Warning, Error };

// owner: the SDL_Window the box belongs to, or null for a box without owner.
void ShowMessageBox(void* owner, const std::string& caption, const std::string& text, TMessageIcon icon);

// Tests replace what a box does; an empty handler restores the real boxes.
using TMessageBoxHandler =
    std::function<void(void* owner, const std::string& caption, const std::string& text, TMessageIcon icon)>;
void SetMessageBoxHandler(TMessageBoxHandler handler);

} // namespace veltrane
