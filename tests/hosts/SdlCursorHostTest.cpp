// The cursor host over a real SDL window (offscreen driver, no display needed).
#include "hosts/SdlCursorHost.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace veltrane {
namespace {

TEST(SdlCursorHost, ReportsTheWindowAndPutsTheCursorWhereAsked) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("cursor", 0, 0, 320, 240, SDL_WINDOW_SHOWN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    {
        TSdlCursorHost host(window);
        EXPECT_EQ(host.ClientWidth(), 320);
        EXPECT_EQ(host.ClientHeight(), 240);
        const TScreenRect r = host.WindowRect();
        EXPECT_GE(r.Width, 320);
        EXPECT_GE(r.Height, 240);
        host.SetCursorPos(r.Left + 100, r.Top + 50);
        SDL_PumpEvents();
        EXPECT_EQ(host.CursorPos(), (TScreenPoint{r.Left + 100, r.Top + 50}));
    }
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
} // namespace veltrane
