// The game's one random generator: the linear congruential sequence
// seed := seed * 134775813 + 1 (32 bits, wrapping). Every random choice of the game, cosmetic
// ones included, draws from it, so a fixed seed replays a game exactly.
#pragma once

#include <cstdint>

namespace veltrane {

// The generator's state, deliberately one for the whole program: the rules, the cosmetic effects
// and the saved games draw from one sequence, so a seed replays everything. Tests and tools set
// it directly; the main window seeds it once with Randomize.
extern uint32_t RandSeed;

// Advances the seed, then returns the high 32 bits of the unsigned 64-bit product seed * n, with
// n taken as an unsigned 32-bit number: a value in 0 .. n - 1 for n > 0. Random(0) returns 0 and
// still advances the seed, so a draw of an empty range keeps later draws in step.
int32_t Random(int32_t n);

// Advances the seed and returns seed * 2^-32, a value in [0, 1).
double RandomReal();

// Seeds the generator from the clock.
void Randomize();

} // namespace veltrane
