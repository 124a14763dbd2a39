#include "platform/Random.h"

#include <chrono>

namespace veltrane {

uint32_t RandSeed = 0;

namespace {

uint32_t NextSeed() {
    RandSeed = RandSeed * 134775813u + 1u;
    return RandSeed;
}

} // namespace

int32_t Random(int32_t n) {
    const uint64_t product = uint64_t{NextSeed()} * uint64_t{static_cast<uint32_t>(n)};
    return static_cast<int32_t>(static_cast<uint32_t>(product >> 32));
}

double RandomReal() {
    return NextSeed() * (1.0 / 4294967296.0);
}

void Randomize() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    RandSeed = static_cast<uint32_t>(ticks) ^ static_cast<uint32_t>(static_cast<uint64_t>(ticks) >> 32);
}

} // namespace veltrane
