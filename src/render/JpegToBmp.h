// Turns a JPEG picture into a Windows bitmap beside it (the tutorial pages are shipped as
// JPEG and shown from the converted bitmaps).
#pragma once

#include <stdexcept>
#include <string>

namespace veltrane {

// Raised when the picture cannot be read or the bitmap cannot be written; the message names the
// file and the reason.
class EPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest width and height converted: the tutorial's pages are 1024 x 768, and a larger
// picture would only cost memory (a 2048 x 2048 one takes 12 MB as a bitmap).
inline constexpr unsigned MaxJpegSide = 2048;

// Decodes fileName (a JPEG) and writes the same picture, 24 bits per pixel, to the same name with
// the extension changed to ".bmp", replacing an older file of that name only when all went well.
// A missing, corrupt, truncated or too large JPEG raises EPictureError and writes nothing.
void JpegToBmp(const std::string& fileName);

// The name JpegToBmp writes for fileName.
std::string BmpNameFor(const std::string& fileName);

} // namespace veltrane
