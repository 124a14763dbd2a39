// A play screen put together from the scene pictures at the places the game draws them (seen
// from the resting camera), for checking that the pictures fit one another.
#pragma once

#include "common/Canvas.h"

namespace veltrane::assetgen::scene {

// 1024 x 768; scoreFill 0..1 sets the score line's length; bonusLevel shows the bonus-level
// picture instead of a bonus figure.
Canvas PlayScreenMockup(float scoreFill, bool bonusLevel);

} // namespace veltrane::assetgen::scene
