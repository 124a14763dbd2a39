// What the game's flow shares with the program around it: the loading steps it reports, the
// folder its pictures come from and the labels a bonus level shows late.
#pragma once

#include "platform/gfx/Texture.h"
#include "render/Vector.h"

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

// The loading bar as the game's resource loading sees it. The main window implements it with the
// real bar. The trace line of each step is written by the loader itself.
class ILoadingSteps {
public:
    virtual ~ILoadingSteps() = default;
    // Light the bar up to step n (15..29) and show it; text names what is loaded next.
    virtual void Step(uint8_t n, const std::string& text) = 0;
};

// The folder the game's pictures are named relative to, with a trailing separator: the running
// program's folder unless set (tests set it).
const std::string& ResourceFolder();
void SetResourceFolder(const std::string& folder);

// A label the completion of a bonus level shows a little later.
struct TDelayedScoreLabel {
    uint8_t Active = 0;
    TVector Position{};
    std::string Text;
};
// Slots 1 and 2 (TGame::DelayedLabels[0] is slot 1): shown 1000 and 2000 ms into the sequence.
using TDelayedLabels = std::array<TDelayedScoreLabel, 2>;

} // namespace veltrane
