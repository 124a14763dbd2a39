// Where an object stands in the scene: scale, position and rotation, and the world
// matrix built from them.
#pragma once

#include "platform/gfx/Texture.h"
#include "render/Vector.h"

namespace veltrane {

struct TPlacement {
    TVector Scale{1, 1, 1};
    TVector Position{};
    TVector Rotation{};
};

// A placed, textured object; the first three fields form a TPlacement.
struct TTexMatrix {
    TVector Scale{1, 1, 1};
    TVector Position{};
    TVector Rotation{};
    TMatrix World = MatrixIdentity();
    gfx::TextureHandle Texture;

    TPlacement Placement() const { return {Scale, Position, Rotation}; }
    void UpdateWorld();
};

// World = Scaling x RotZ x RotY x RotX x Trans: scaled first, turned about z, y, x, moved last.
TMatrix MakeWorld(TVector scale, TVector position, TVector rotation);
inline TMatrix MakeWorld(const TPlacement& p) {
    return MakeWorld(p.Scale, p.Position, p.Rotation);
}

} // namespace veltrane
