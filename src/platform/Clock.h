// The system tick count: milliseconds since the machine started, wrapping at 32 bits.
// Only the frame loop and the trace read it; everything else is given elapsed time.
#pragma once

#include <cstdint>

namespace veltrane {

uint32_t GetTickCount();

} // namespace veltrane
