// The GLSL program of the OpenGL device.
#pragma once

namespace veltrane::gfx {

extern const char* const kGlVertexShader;
extern const char* const kGlFragmentShader;

} // namespace veltrane::gfx
