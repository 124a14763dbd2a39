// Feeds arbitrary bytes to the tutorial pictures' JPEG conversion. A file that cannot be
// converted must raise the picture error and leave the older bitmap and nothing else beside it;
// a converted one must be a 24-bit bitmap of the JPEG's own size.
#include "FuzzSupport.h"

#include "render/JpegToBmp.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace {
using namespace veltrane;
using fuzz::Check;

constexpr const char* Jpeg = "page.jpg";
constexpr const char* Older = "an older bitmap";

int FilesHere() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(".")) ++count;
    return count;
}

using TSurface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    const std::string bmp = BmpNameFor(Jpeg);
    fuzz::WriteBytes(Jpeg, fuzz::AsText(data, size));
    fuzz::WriteBytes(bmp, Older);
    const int files = FilesHere();

    try {
        JpegToBmp(Jpeg);
    } catch (const EPictureError&) {
        Check(fuzz::ReadBytes(bmp) == Older, "a failed conversion changed the older bitmap");
        Check(FilesHere() == files, "a failed conversion left a file behind");
        return 0;
    }
    Check(FilesHere() == files, "a conversion left a temporary file behind");
    TSurface converted(SDL_LoadBMP(bmp.c_str()), SDL_FreeSurface);
    Check(converted != nullptr, "the converted bitmap does not load");
    Check(converted->format->BitsPerPixel == 24, "the converted bitmap is not 24-bit");
    // SDL_image reads the same JPEG on its own: the sizes must agree.
    TSurface decoded(IMG_Load(Jpeg), SDL_FreeSurface);
    if (decoded)
        Check(decoded->w == converted->w && decoded->h == converted->h, "the bitmap has another size");
    return 0;
}
