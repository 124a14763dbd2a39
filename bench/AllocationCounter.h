// Counts every heap allocation of the benchmark program (operator new is replaced in
// AllocationCounter.cpp), so a benchmark can tell whether its frames made any.
#pragma once

namespace veltrane::bench {

// Allocations made by the program so far.
long AllocationCount();

} // namespace veltrane::bench
