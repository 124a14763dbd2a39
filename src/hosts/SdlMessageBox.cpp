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
    SDL_Window* window = static_cast<SDL_Window*>(owner);
    if (SDL_ShowSimpleMessageBox(IconFlag(icon), caption.c_str(), text.c_str(), window) != 0)
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    else
        ReturnFocusAfterBox(window);
}

int KeepAllButFocusLoss(void* window, SDL_Event* event) {
    return !(event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_FOCUS_LOST &&
             event->window.windowID == *static_cast<const Uint32*>(window));
}

} // namespace

void ReturnFocusAfterBox(SDL_Window* owner) {
    if (!owner) return;
    Uint32 id = SDL_GetWindowID(owner);
    SDL_PumpEvents();
    SDL_FilterEvents(KeepAllButFocusLoss, &id);
    if (SDL_GetWindowFlags(owner) & SDL_WINDOW_SHOWN) SDL_SetWindowInputFocus(owner);
}

void InstallSdlMessageBoxes() {
    SetMessageBoxPresenter(ShowSdlMessageBox);
}

} // namespace veltrane
