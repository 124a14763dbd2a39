// What a message box leaves in the event queue of the window it belonged to.
#include "hosts/SdlMessageBox.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace veltrane {
namespace {

SDL_Event WindowEvent(Uint32 window, Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = window;
    event.window.event = what;
    return event;
}

TEST(SdlMessageBox, TheOwnersFocusLossIsDroppedAndEveryOtherEventKeptInOrder) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* owner = SDL_CreateWindow("owner", 0, 0, 320, 240, SDL_WINDOW_SHOWN);
    ASSERT_NE(owner, nullptr) << SDL_GetError();
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    const Uint32 id = SDL_GetWindowID(owner);

    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_a;
    std::vector<SDL_Event> queued = {WindowEvent(id, SDL_WINDOWEVENT_FOCUS_LOST), key,
                                     WindowEvent(id + 1, SDL_WINDOWEVENT_FOCUS_LOST),
                                     WindowEvent(id, SDL_WINDOWEVENT_CLOSE)};
    for (SDL_Event& event : queued) ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    ReturnFocusAfterBox(owner);

    std::string left;
    for (SDL_Event event; SDL_PollEvent(&event);) {
        if (event.type == SDL_KEYDOWN) left += "key ";
        if (event.type != SDL_WINDOWEVENT) continue;
        left += event.window.windowID == id ? "owner " : "other ";
        left += event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ? "lost "
                : event.window.event == SDL_WINDOWEVENT_CLOSE    ? "close "
                                                                 : "";
    }
    EXPECT_EQ(left, "key other lost owner close ");
    SDL_DestroyWindow(owner);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
} // namespace veltrane
