// The path markers: 1 a step of the path, 2 a target the cube can reach, 3 a target it cannot.
#pragma once

#include "common/Canvas.h"

namespace veltrane::assetgen::scene {

Canvas MarkerPicture(int kind, int size);

} // namespace veltrane::assetgen::scene
