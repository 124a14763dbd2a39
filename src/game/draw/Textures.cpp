#include "game/Textures.h"

namespace veltrane {

TRangeArray<gfx::TextureHandle, 1, 3> DotTextures;
TRangeArray<gfx::TextureHandle, 0, 17> KindTextures;

} // namespace veltrane
