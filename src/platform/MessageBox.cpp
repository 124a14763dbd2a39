#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>

namespace veltrane {

namespace {

TMessageBoxHandler& Handler() {
    static TMessageBoxHandler handler;
    return handler;
}

Uint32 IconFlag(TMessageIcon icon) {
    switch (icon) {
    case TMessageIcon::Warning:
        return SDL_MESSAGEBOX_WARNING;
    case TMessageIcon::Error:
        return SDL_MESSAGEBOX_ERROR;
    case TMessageIcon::Information:
        break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

} // namespace

void ShowMessageBox(void* owner, const std::string& caption, const std::string& text, TMessageIcon icon) {
    if (Handler()) {
        Handler()(owner, caption, text, icon);
        return;
    }
    // Without any display the box cannot appear; the text still reaches whoever runs the program.
    if (SDL_ShowSimpleMessageBox(IconFlag(icon), caption.c_str(), text.c_str(),
                                 static_cast<SDL_Window*>(owner)) != 0)
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

void SetMessageBoxHandler(TMessageBoxHandler handler) {
    Handler() = std::move(handler);
}

} // namespace veltrane
