// SDL keys to the virtual-key codes the routing and the name entry expect.
#include "app/KeyMap.h"

#include "platform/VirtualKeys.h"

#include <SDL_keyboard.h>
#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include <utility>

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
}

TEST(KeyMapTest, KeypadKeysWithNumLockOffAreTheirMainKeyboardTwins) {
    const std::pair<SDL_Keycode, uint16_t> twins[] = {
        {SDLK_KP_8, VK_UP},     {SDLK_KP_2, VK_DOWN},        {SDLK_KP_4, VK_LEFT},      {SDLK_KP_6, VK_RIGHT},
        {SDLK_KP_7, VK_HOME},   {SDLK_KP_1, VK_END},         {SDLK_KP_9, VK_PRIOR},     {SDLK_KP_3, VK_NEXT},
        {SDLK_KP_0, VK_INSERT}, {SDLK_KP_PERIOD, VK_DELETE}, {SDLK_KP_ENTER, VK_RETURN}};
    for (const auto& [keycode, key] : twins) {
        EXPECT_EQ(VirtualKeyFromSdl(keycode, KMOD_NONE), key) << SDL_GetKeyName(keycode);
        EXPECT_EQ(VirtualKeyFromSdl(keycode, KMOD_NUM | KMOD_SHIFT),
                  keycode == SDLK_KP_ENTER ? VK_RETURN : VirtualKeyFromSdl(keycode))
            << "NumLock on keeps the keypad's own code";
    }
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_4, KMOD_NUM), VK_NUMPAD0 + 4);
}

TEST(KeyMapTest, KeysWithoutACodeOfTheirOwnStillCount) {
    for (const SDL_Keycode keycode :
         {SDLK_APPLICATION, SDLK_LGUI, SDLK_MUTE, SDLK_MODE, SDLK_F15, SDLK_UNKNOWN})
        EXPECT_NE(VirtualKeyFromSdl(keycode), 0) << SDL_GetKeyName(keycode);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_MUTE), VK_NONAME);
}

} // namespace
} // namespace veltrane
