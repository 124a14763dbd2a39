#include "hosts/SdlMessageBox.h"

#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>

namespace veltrane {

namespace {

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

void ShowSdlMessageBox(void* owner, const std::string& caption, const std::string& text, TMessageIcon icon) {
    if (SDL_ShowSimpleMessageBox(IconFlag(icon), caption.c_str(), text.c_str(),
                                 static_cast<SDL_Window*>(owner)) != 0)
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

} // namespace

void InstallSdlMessageBoxes() {
    SetMessageBoxPresenter(ShowSdlMessageBox);
}

} // namespace veltrane
