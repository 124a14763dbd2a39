// The three built-in models: mesh A, the rounded cube of every ordinary board cube; mesh B, the
// bomb; mesh C, the bevelled block. Each is a face table (position, normal and texture-coordinate
// index of each corner) over its own position, normal and texture-coordinate tables, made once
// by a small generator. The models are built in a right-handed frame (faces counter-clockwise
// seen from outside); copying into the shared buffer mirrors x, which makes them the scene's
// left-handed, clockwise-front geometry.
#pragma once

#include "render/Vector.h"

#include <array>
#include <vector>

namespace veltrane {

struct TTexCoord {
    float u = 0, v = 0;
    friend bool operator==(const TTexCoord&, const TTexCoord&) = default;
};

// Corner c of a face uses Positions[Face[c]], Normals[Face[3 + c]], TexCoords[Face[6 + c]].
using TMeshFace = std::array<int, 9>;

struct TMesh {
    std::vector<TMeshFace> Faces;
    std::vector<TVector> Positions;
    std::vector<TVector> Normals;
    std::vector<TTexCoord> TexCoords;
    float Scale = 1; // applied when copied into the shared buffer
};

// Unit cube -0.5..0.5 with edges rounded in four steps (flats at +-0.4); 204 faces; each side
// carries the whole picture within 0.0139..0.9861.
const TMesh& MeshA();
// The bomb: a round body with a fuse collar and wick towards (+x, +y, +z), inside x +-0.3755,
// y +-0.5, z +-0.4559; 354 faces; drawn 1.25 times as large.
const TMesh& MeshB();
// Unit cube -0.5..0.5 with flat bevelled edges (flats at +-0.38); 44 faces.
const TMesh& MeshC();

} // namespace veltrane
