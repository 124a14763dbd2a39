#include "render/Placement.h"

namespace veltrane {

TMatrix MakeWorld(TVector scale, TVector position, TVector rotation) {
    // Formed in the scene's fixed order: RotY x RotX, RotZ times that, that times Trans,
    // Scaling times that. Float rounding depends on this order.
    TMatrix m = MatrixMultiply(MatrixRotationY(rotation.y), MatrixRotationX(rotation.x));
    m = MatrixMultiply(MatrixRotationZ(rotation.z), m);
    m = MatrixMultiply(m, MatrixTranslation(position));
    return MatrixMultiply(MatrixScaling(scale), m);
}

void TTexMatrix::UpdateWorld() {
    World = MakeWorld(Scale, Position, Rotation);
}

} // namespace veltrane
