// The scene's camera: where the eye stands. It always looks at the fixed target above the board;
// the game's level-end and game-over sequences swing the eye round, entering the menu puts it
// back at rest.
#pragma once

#include "render/Vector.h"

namespace veltrane {

struct TCamera {
    static constexpr TVector RestEye{-1.8f, -0.25f, 12.7f};

    TVector Eye = RestEye;

    void Reset() { Eye = RestEye; }
};

} // namespace veltrane
