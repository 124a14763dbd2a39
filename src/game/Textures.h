// The pictures the game object's records point at: the path marker pictures by marker kind and
// the cube pictures by texture slot. Loading fills them; tests leave them empty.
#pragma once

#include "game/RangeArray.h"
#include "platform/gfx/Texture.h"

namespace veltrane {

// Marker kinds 1 path step, 2 reachable target, 3 unreachable target.
extern TRangeArray<gfx::TextureHandle, 1, 3> DotTextures;
// Slot = kind - 1; slot 17 for a block (KindTextureSlot).
extern TRangeArray<gfx::TextureHandle, 0, 17> KindTextures;

} // namespace veltrane
