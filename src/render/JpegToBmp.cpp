#include "render/JpegToBmp.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
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

void Put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

constexpr size_t BmpHeaderSize = 14 + 40;

// The whole bitmap file for a width x height picture, 24 bits, bottom row first, rows padded to
// four bytes; the pixels are left for the decoder to fill.
void StartBmp(std::vector<uint8_t>& bmp, uint32_t width, uint32_t height) {
    const size_t rowSize = (size_t(width) * 3 + 3) & ~size_t(3);
    bmp.assign(BmpHeaderSize + rowSize * height, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 2, uint32_t(bmp.size()));
    Put32(bmp, 10, uint32_t(BmpHeaderSize));
    Put32(bmp, 14, 40);
    Put32(bmp, 18, width);
    Put32(bmp, 22, height);
    Put16(bmp, 26, 1);  // planes
    Put16(bmp, 28, 24); // bits per pixel
    Put32(bmp, 34, uint32_t(rowSize * height));
    Put32(bmp, 38, 2835); // 72 dots per inch
    Put32(bmp, 42, 2835);
}

// Decodes the JPEG in file straight into the bitmap bmp, one row at a time: besides the bitmap
// itself only libjpeg's working buffers are held. Everything libjpeg touches between setjmp and
// longjmp lives in the caller's frame or on the heap owned by the decoder object, so the jump
// leaks nothing.
bool Convert(std::FILE* file, std::vector<uint8_t>& bmp, std::string& reason) {
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
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    // Refused from the header, before libjpeg sets aside anything for the picture.
    if (info.image_width > MaxJpegSide || info.image_height > MaxJpegSide) {
        reason = "picture too large (" + std::to_string(info.image_width) + " x " +
                 std::to_string(info.image_height) + ", at most " + std::to_string(MaxJpegSide) + " a side)";
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const uint32_t width = info.output_width, height = info.output_height;
    StartBmp(bmp, width, height);
    const size_t rowSize = (size_t(width) * 3 + 3) & ~size_t(3);
    while (info.output_scanline < height) {
        uint8_t* row = bmp.data() + BmpHeaderSize + rowSize * (height - 1 - info.output_scanline);
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&info, rows, 1);
        for (size_t x = 0; x < width; ++x) std::swap(row[x * 3], row[x * 3 + 2]); // RGB to BGR
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (errors.Warnings > 0) {
        reason = errors.Message;
        return false;
    }
    return true;
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
    std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(source.c_str(), "rb"), std::fclose);
    if (!file) throw EPictureError("Cannot open picture \"" + fileName + "\"");
    std::vector<uint8_t> bmp;
    std::string reason;
    if (!Convert(file.get(), bmp, reason))
        throw EPictureError("Cannot read JPEG picture \"" + fileName + "\": " + reason);
    file.reset();

    // Named like the JPEG, but resolved on its own: an installed game keeps converted pictures in
    // the player's folder, not beside the read-only original.
    const std::string target = ResolvePath(BmpNameFor(fileName));
    std::string error;
    if (!WriteFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bmp.data()), bmp.size()),
                             &error))
        throw EPictureError("Cannot write picture \"" + target + "\": " + error);
}

} // namespace veltrane
