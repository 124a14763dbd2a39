// SDL keys to the virtual-key codes the routing and the name entry expect.
#include "app/KeyMap.h"

#include <SDL_keycode.h>
#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(KeyMapTest, TheRoutedKeysGetTheirCodes) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), 27);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1), 112);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), 123);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_p), 80);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), 13);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), 13);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_SPACE), 32);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT), 37);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_UP), 38);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RIGHT), 39);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_DOWN), 40);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_BACKSPACE), 8);
}

TEST(KeyMapTest, LettersAndDigitsAreTheirUpperCaseCharacters) {
    for (int i = 0; i < 26; ++i) EXPECT_EQ(VirtualKeyFromSdl(SDLK_a + i), 'A' + i);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(VirtualKeyFromSdl(SDLK_0 + i), '0' + i);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0), 96);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9), 105);
}

TEST(KeyMapTest, PunctuationAndEditingKeysUseTheirOwnCodes) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_MINUS), 189);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_PERIOD), 190);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_COMMA), 188);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_DELETE), 46);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LSHIFT), 16);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_APPLICATION), 0);
}

} // namespace
} // namespace veltrane
