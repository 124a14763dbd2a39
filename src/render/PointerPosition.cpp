#include "render/PointerPosition.h"

namespace veltrane {

uint8_t PointerStyle = kPointerMenu;
// The camera target, where the pointer starts.
TVector PointerWorld{-1.8f, -0.25f, 0.01f};

} // namespace veltrane
