// The motion of the level-completed and game-over sequences: cubes thrown off the board and
// bouncing on the floor, and the camera's flight round the room.
#include "game/Game.h"

#include "platform/Random.h"

#include <cmath>
#include <numbers>

namespace veltrane {

namespace {

constexpr TVector Gravity{0, 0, -0.005f};

// R - 0.5 for a fresh draw R in [0, 1).
float Spread() {
    return static_cast<float>(RandomReal() - 0.5);
}

// Away from the centre along one axis: a fixed push outwards, a small one for the middle line.
float Outwards(float p) {
    if (std::abs(p) <= 0.1f) return 0.035f + 0.05f * Spread();
    return 0.05f * Spread() + 0.07f * p / std::abs(p);
}

// Components too small to notice stop.
void Settle(TVector& v) {
    for (float* c : {&v.x, &v.y, &v.z})
        if (std::abs(*c) < 0.01f) *c = 0;
}

// The camera's rest eye, and the radius and dip of its circle round the board.
constexpr TVector RestEye = TCamera::RestEye;
constexpr double Radius = 10;
constexpr double Dip = 11;
constexpr double LeadIn = 200; // ms of backing away before the circle

} // namespace

void TGame::StartFlyAway(int pattern) {
    for (int i = 1; i <= CubeCount; ++i) {
        TCube& cube = Cubes[i];
        TVector velocity{}, accel = Gravity, spin{};
        switch (pattern) {
        case 0: // tossed up and away from the camera, tumbling forwards
            velocity.y = 0.1f + 0.05f * Spread();
            velocity.z = 0.2f + 0.1f * Spread();
            spin = {-0.05f, 0, 0};
            break;
        case 1: // tossed up, all drifting one way
            velocity.x = 0.01f + 0.25f * Spread();
            velocity.y = 0.01f + 0.25f * Spread();
            velocity.z = 0.2f + 0.1f * Spread();
            spin.x = 0.05f + 0.01f * Spread();
            spin.y = 0.05f + 0.01f * Spread();
            spin.z = 0.05f + 0.01f * Spread();
            break;
        case 2:
        case 5: // crosswise
        case 4: // outwards from the centre
            if (pattern == 4) {
                velocity.x = Outwards(cube.Position.x);
                velocity.y = Outwards(cube.Position.y);
            } else {
                velocity.x = Outwards(cube.Position.y);
                velocity.y = Outwards(cube.Position.x);
            }
            velocity.z = 0.2f + 0.1f * Spread();
            spin.x = 0.1f * Spread();
            spin.y = 0.1f * Spread();
            spin.z = 0.1f * Spread();
            break;
        case 3: { // rows slide sideways, in turn left and right
            velocity = {0.07f, 0, 0.005f};
            if (static_cast<int>(std::trunc(std::abs(cube.Position.y))) % 2 == 1) velocity.x = -velocity.x;
            accel = {0, 0, 0};
            spin.y = 0.04f + 0.07f * Spread();
            break;
        }
        default: // no such pattern: the cubes stay
            accel = {0, 0, 0};
            break;
        }
        cube.FlyVelocity = velocity;
        cube.FlyAccel = accel;
        cube.FlySpin = spin;
    }
}

void TGame::StepFlyAway() {
    for (int i = 1; i <= CubeCount; ++i) {
        TCube& cube = Cubes[i];
        cube.Position = cube.Position + cube.FlyVelocity;
        cube.FlyVelocity = cube.FlyVelocity + cube.FlyAccel;
        cube.Rotation = cube.Rotation + cube.FlySpin;
        if (cube.Position.z <= 0.4f) {
            // A bounce on the floor loses a fifth of the speed and spin.
            cube.Position.z = 0.4f;
            cube.FlyVelocity.z = -cube.FlyVelocity.z;
            cube.FlyVelocity = cube.FlyVelocity * 0.8f;
            cube.FlySpin = cube.FlySpin * 0.8f;
            Settle(cube.FlyVelocity);
            Settle(cube.FlySpin);
        }
    }
}

void TGame::SwingCamera(double t) {
    TVector& eye = Camera.Eye;
    const double span = Phase == phGameOver ? 5800 : 2800;
    if (t <= LeadIn) {
        eye.y = static_cast<float>(RestEye.y - 0.05 * t);
    } else if (t < span) {
        const double a = (t - LeadIn) * 2 * std::numbers::pi / (span - LeadIn);
        eye = {static_cast<float>(RestEye.x + Radius * std::sin(a)),
               static_cast<float>(RestEye.y - Radius * std::cos(a)),
               static_cast<float>(RestEye.z - Dip * std::abs(std::sin(a)))};
    } else {
        eye.x = RestEye.x;
        eye.y = static_cast<float>(RestEye.y - Radius + 0.05 * (t - span));
    }
}

} // namespace veltrane
