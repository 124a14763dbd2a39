#include "render/JpegToBmp.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <SDL.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace veltrane {

namespace {

// libjpeg's own handler ends the process; this one jumps back with the message instead, and
// counts warnings (a truncated file only warns and would come back padded with grey).
struct TJpegErrors {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX] = {};
    int Warnings = 0;
};

void OnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
    info->err->format_message(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
    if (level >= 0) return; // trace messages
    auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
    if (errors->Warnings++ == 0) info->err->format_message(info, errors->Message);
}

struct TDecoded {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Rgb;
};

// Everything libjpeg touches between setjmp and longjmp lives in the caller's frame or on the
// heap owned by the decoder object, so the jump leaks nothing.
bool Decode(const std::vector<uint8_t>& bytes, TDecoded& out, std::string& reason) {
    jpeg_decompress_struct info{};
    TJpegErrors errors{};
    info.err = jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = OnError;
    errors.Manager.emit_message = OnMessage;
    if (setjmp(errors.Jump)) {
        reason = errors.Message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width > 16384 || info.output_height > 16384) {
        reason = "picture too large";
        jpeg_destroy_decompress(&info);
        return false;
    }
    out.Width = int(info.output_width);
    out.Height = int(info.output_height);
    out.Rgb.resize(size_t(out.Width) * out.Height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.Rgb.data() + size_t(info.output_scanline) * out.Width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (errors.Warnings > 0) {
        reason = errors.Message;
        return false;
    }
    return true;
}

std::vector<uint8_t> ReadAll(const std::string& path, bool& ok) {
    std::vector<uint8_t> bytes;
    ok = false;
    std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return bytes;
    uint8_t buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    ok = std::ferror(file.get()) == 0;
    return bytes;
}

} // namespace

std::string BmpNameFor(const std::string& fileName) {
    const size_t slash = fileName.find_last_of("/\\");
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return fileName + ".bmp";
    return fileName.substr(0, dot) + ".bmp";
}

void JpegToBmp(const std::string& fileName) {
    const std::string source = ResolvePath(fileName);
    bool readOk = false;
    const std::vector<uint8_t> bytes = ReadAll(source, readOk);
    if (!readOk) throw EPictureError("Cannot open picture \"" + fileName + "\"");
    TDecoded picture;
    std::string reason;
    if (!Decode(bytes, picture, reason))
        throw EPictureError("Cannot read JPEG picture \"" + fileName + "\": " + reason);

    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
        SDL_CreateRGBSurfaceWithFormat(0, picture.Width, picture.Height, 24, SDL_PIXELFORMAT_RGB24),
        SDL_FreeSurface);
    if (!surface) throw EPictureError("Cannot convert picture \"" + fileName + "\": " + SDL_GetError());
    for (int y = 0; y < picture.Height; ++y)
        std::copy_n(picture.Rgb.data() + size_t(y) * picture.Width * 3, size_t(picture.Width) * 3,
                    static_cast<uint8_t*>(surface->pixels) + ptrdiff_t(y) * surface->pitch);

    // Into memory first, then replace the old bitmap in one step.
    const size_t bmpSize = 1024 + size_t((picture.Width * 3 + 3) & ~3) * picture.Height;
    std::vector<uint8_t> bmp(bmpSize);
    std::unique_ptr<SDL_RWops, decltype(&SDL_RWclose)> memory(SDL_RWFromMem(bmp.data(), int(bmp.size())),
                                                              SDL_RWclose);
    if (!memory || SDL_SaveBMP_RW(surface.get(), memory.get(), 0) != 0)
        throw EPictureError("Cannot convert picture \"" + fileName + "\": " + SDL_GetError());
    const Sint64 written = SDL_RWtell(memory.get());
    // Named like the JPEG, but resolved on its own: an installed game keeps converted pictures in
    // the player's folder, not beside the read-only original.
    const std::string target = ResolvePath(BmpNameFor(fileName));
    std::string error;
    if (written <= 0 ||
        !WriteFileAtomically(
            target, std::string_view(reinterpret_cast<const char*>(bmp.data()), size_t(written)), &error))
        throw EPictureError("Cannot write picture \"" + target + "\": " + error);
}

} // namespace veltrane
