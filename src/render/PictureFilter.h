// How a picture is sampled where it lands on the screen: pixel for pixel it is drawn unfiltered
// and stays crisp; enlarged, reduced or seen at an angle it is sampled smoothly, so a 1024 x 768
// background does not turn into blocks at 1920 x 1080.
#pragma once

#include "platform/gfx/Device.h"
#include "render/Vector.h"

#include <cstdint>

namespace veltrane {

// D3DTEXF_NONE when the unit quad of mesh range 2 with this world matrix, seen through the
// device's view, projection and viewport, covers texture's width x height pixels (to within 2 %,
// either way round, not skewed); D3DTEXF_LINEAR otherwise, and without a texture.
uint32_t PictureFilter(const gfx::IDevice& device, const TMatrix& world, const gfx::ITexture* texture);

// Sets stage 0's magnification and minification filters to filter.
void SetPictureFilters(gfx::IDevice& device, uint32_t filter);

} // namespace veltrane
