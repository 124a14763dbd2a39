// Readable names of states and values, for recorded call logs and error messages.
// A value without a name comes back as its decimal number; unknown states give nullptr.
#pragma once

#include "platform/gfx/D3DTypes.h"

#include <string>

namespace veltrane::gfx {

const char* RenderStateName(D3DRENDERSTATETYPE state);
const char* TextureStageStateName(D3DTEXTURESTAGESTATETYPE type);
const char* TransformName(D3DTRANSFORMSTATETYPE state);
const char* PrimitiveName(D3DPRIMITIVETYPE type);
std::string RenderStateValueName(D3DRENDERSTATETYPE state, uint32_t value);
std::string TextureStageValueName(D3DTEXTURESTAGESTATETYPE type, uint32_t value);

} // namespace veltrane::gfx
