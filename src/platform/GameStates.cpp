#include "platform/GameStates.h"

#include <cstdio>
#include <cstdlib>

namespace veltrane {

namespace {

TGameState State = gsLaunch;

bool TraceStates() {
    static const bool trace = std::getenv("VELTRANE_TRACE_STATES") != nullptr;
    return trace;
}

} // namespace

const TGameState& GameState = State;

void SetGameState(TGameState state) {
    if (TraceStates() && state != State)
        std::fprintf(stderr, "game state %s -> %s\n", GameStateName(State), GameStateName(state));
    State = state;
}

const char* GameStateName(TGameState state) {
    switch (state) {
    case gsLaunch:
        return "launch";
    case gsMenu:
        return "menu";
    case gsHiScores:
        return "hiscores";
    case gsGame:
        return "game";
    case gsGameOver:
        return "gameover";
    case gsLoading:
        return "loading";
    case gsTutorial:
        return "tutorial";
    case gsHelp:
        return "help";
    }
    return "?";
}

} // namespace veltrane
