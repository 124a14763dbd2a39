// The per-cube animation of the frame update: growing in, idle twitches, hover turns, the
// selected cube's bob, moves, vanishing and removal, and the particles cubes give off.
#include "game/Game.h"

#include "platform/Random.h"
#include "render/Particles.h"

#include <cmath>
#include <numbers>

namespace veltrane {

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// The rotation component a turn about axis 1 (x), 2 (y) or 3 (z) changes; nullptr for no axis.
float* TurnComponent(TCube& cube) {
    switch (cube.TurnAxis) {
    case 1:
        return &cube.Rotation.x;
    case 2:
        return &cube.Rotation.y;
    case 3:
        return &cube.Rotation.z;
    default:
        return nullptr;
    }
}

// A turn is done once its angle reaches the target in its direction; the angle then stands
// exactly at the target. A turn without an axis or direction is done at once.
bool TurnDone(TCube& cube) {
    float* angle = TurnComponent(cube);
    if (!angle || cube.TurnDir == 0) return true;
    if ((cube.TurnDir >= 1 && *angle >= cube.TurnTarget) || (cube.TurnDir < 0 && *angle <= cube.TurnTarget)) {
        *angle = cube.TurnTarget;
        return true;
    }
    return false;
}

float RandomOffset() {
    return static_cast<float>(RandomReal() - 0.5);
}

} // namespace

void TGame::StartTwitch(int i) {
    TCube& cube = Cubes[i];
    if (cube.Kind == ckBlock || cube.Kind == ckBomb) return;
    cube.TurnAxis = static_cast<uint8_t>(Random(3) + 1);
    cube.TurnDir = static_cast<int8_t>(Random(2) * 2 - 1);
    cube.TurnTarget = *TurnComponent(cube) + cube.TurnDir * Pi / 2;
    SetCubeState(i, csTwitching);
}

void TGame::StartHoverTurn(int i) {
    TCube& cube = Cubes[i];
    if (cube.Kind == ckBlock) return;
    if (cube.Kind == ckBomb) {
        // A bomb spins once round about z.
        cube.TurnAxis = 3;
        cube.TurnDir = 1;
        cube.TurnTarget = cube.Rotation.z + 2 * Pi;
    } else {
        cube.TurnAxis = static_cast<uint8_t>(Random(3) + 1);
        cube.TurnDir = static_cast<int8_t>(Random(2) * 2 - 1);
        cube.TurnTarget = *TurnComponent(cube) + cube.TurnDir * Pi / 2;
    }
    cube.Anim = 0;
    SetCubeState(i, csTurning);
}

void TGame::UpdateCube(int i, float dt) {
    StepCubeState(i, dt);
    // A removed last cube leaves nothing here; any other is followed by the next one, which
    // gets only these two steps in this frame.
    if (i > CubeCount) return;
    if (Cubes[i].State == csResting && Phase == phPlay && PointerOverCube(i)) StartHoverTurn(i);
    if (Cubes[i].Kind == ckBomb) EmitFuseSparks(Cubes[i]);
}

void TGame::StepCubeState(int i, float dt) {
    TCube& cube = Cubes[i];
    switch (cube.State) {
    case csAnnounced:
        break;

    case csGrowing:
        // The end test comes before the step: a cube whose growth passes 1 rests a frame later.
        if (cube.Anim > 1) {
            SetCubeState(i, csResting);
            TBoardCell& entry = BoardAt(cube.Cell());
            entry.Occupancy = ocOccupied;
            entry.Cube = static_cast<uint8_t>(i);
            cube.Scale = {0.8f, 0.8f, 0.8f};
            cube.Position.z = 0.4f;
        } else {
            cube.Anim += dt * 0.005f;
            const float s = cube.Anim * 0.5f + 0.3f;
            cube.Scale = {s, s, s};
            cube.Position.z = cube.Anim * 0.65f + 0.15f;
        }
        break;

    case csResting:
        if (Random(2000) == 1) StartTwitch(i);
        break;

    case csTurning: {
        const bool bomb = cube.Kind == ckBomb;
        const float e = bomb ? 2 * dt : dt;
        if (!bomb) {
            const float s = 0.8f + 0.1f * std::sin(4 * cube.Anim);
            cube.Scale = {s, s, s};
        }
        cube.Anim += e * 0.004f;
        if (float* angle = TurnComponent(cube)) *angle += cube.TurnDir * 0.004f * e;
        if (TurnDone(cube)) {
            SetCubeState(i, csResting);
            cube.Scale = {0.8f, 0.8f, 0.8f};
        }
        break;
    }

    case csSelected: {
        const float a = cube.Anim;
        cube.Position = {0.06f * std::sin(4 * a) + cube.X - 5, 0.06f * std::sin(3 * a) + cube.Y - 5,
                         0.2f * std::sin(a) + 0.4f};
        cube.Anim += dt * 0.01f;
        break;
    }

    case csTwitching: {
        // Under the pointer a twitch runs ten times as fast; it slows down near its target.
        const float e = PointerOverCube(i) ? 10 * dt : dt;
        if (float* angle = TurnComponent(cube))
            *angle += e * cube.TurnDir * (0.02f / Pi) * (std::abs(cube.TurnTarget - *angle) + 0.01f);
        if (TurnDone(cube)) SetCubeState(i, csResting);
        break;
    }

    case csMoving:
        StepMove(i, dt);
        break;

    case csVanishing: {
        if (CubeCount <= 0) break;
        const float b = dt * 0.003f;
        cube.Anim += b;
        if (cube.Anim < 0.003f) cube.Rotation = {0, 0, 0};
        cube.Rotation.x += dt * 0.006f;
        cube.Rotation.y += dt * 0.006f;
        // Swells a little, then shrinks away.
        cube.Scale.z += cube.Anim < 0.3f ? b : -b;
        cube.Scale.x = cube.Scale.y = cube.Scale.z;
        if (cube.Scale.z <= 0) SetCubeState(i, csGone);
        break;
    }

    default:
        RemoveCube(i);
        break;
    }
}

void TGame::EmitFuseSparks(const TCube& cube) {
    // The fuse sits at a fixed point of the bomb, turning with it.
    const float r = cube.Rotation.z;
    const TVector at{cube.Position.x - 0.31f * std::cos(r) - 0.52f * std::sin(r),
                     cube.Position.y - 0.31f * std::sin(r) + 0.52f * std::cos(r), 0.85f};
    for (int k = 0; k < 17; ++k) {
        const float vx = 25 * RandomOffset();
        const float vy = 25 * RandomOffset();
        const float vz = 25 * RandomOffset();
        SpawnParticle(Particles, 4, 5, at, 256, {vx, vy, vz});
    }
}

void TGame::EmitVanishBurst(const TCube& cube) {
    const float px = cube.Position.x, py = cube.Position.y;
    // A ring thrown outwards, with some scatter.
    auto ring = [&](int list, int type, float factor, float a) {
        const float vx = factor * (static_cast<float>(RandomReal()) + 2 * std::sin(a) - 0.5f);
        const float vy = factor * (static_cast<float>(RandomReal()) + 2 * std::cos(a) - 0.5f);
        SpawnParticle(Particles, list, type, {px, py, 1}, 256, {vx, vy, 0});
    };
    const uint8_t kind = cube.Kind;
    if (kind == ckBomb) {
        for (int k = 1; k <= 72; ++k) {
            const float a = k * Pi / 18;
            ring(2, 3, 12, a);
            const float vx = 40 * RandomOffset();
            const float vy = 40 * RandomOffset();
            SpawnParticle(Particles, 2, 2, {px, py, 1}, 256, {vx, vy, 0});
        }
    } else if (kind >= 1 && kind <= 7) {
        for (int k = 1; k <= 36; ++k) ring(1, 0, 10, k * Pi / 18);
    } else if (kind == ckJoker) {
        for (int k = 1; k <= 36; ++k) {
            const float a = k * Pi / 18;
            const float vx = 20 * RandomOffset();
            const float vy = 20 * RandomOffset();
            SpawnParticle(Particles, 1, 1, {px + 0.5f * std::cos(a), py + 0.5f * std::sin(a), 1}, 256,
                          {vx, vy, 0});
        }
    } else if (kind == ckBlock) {
        for (int k = 1; k <= 36; ++k) ring(1, 1, 5, k * Pi / 18);
    } else if (kind >= ckColorize && kind <= ckColorizeLast) {
        for (int k = 1; k <= 72; ++k) ring(3, 4, 5, k * Pi / 18);
    }
}

} // namespace veltrane
