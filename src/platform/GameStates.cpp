#include "platform/GameStates.h"

namespace veltrane {

TGameState GameState = gsLaunch;

} // namespace veltrane
