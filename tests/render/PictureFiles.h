// Test pictures made on the spot: PNG and BMP through SDL, TGA and JPEG written directly.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace veltrane::picturetest {

// colour(x, y) gives ARGB for each pixel, top row first.
template <typename F>
SDL_Surface* MakeSurface(int w, int h, F colour) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch)[x] =
                colour(x, y);
    return surface;
}

template <typename F>
void WritePng(const std::filesystem::path& path, int w, int h, F colour) {
    SDL_Surface* surface = MakeSurface(w, h, colour);
    IMG_SavePNG(surface, path.string().c_str());
    SDL_FreeSurface(surface);
}

// A 24-bit BMP (no alpha).
template <typename F>
void WriteBmp(const std::filesystem::path& path, int w, int h, F colour) {
    SDL_Surface* argb = MakeSurface(w, h, colour);
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(argb, SDL_PIXELFORMAT_RGB24, 0);
    SDL_SaveBMP(rgb, path.string().c_str());
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(argb);
}

// An uncompressed 32-bit TGA stored top row first.
template <typename F>
void WriteTga(const std::filesystem::path& path, int w, int h, F colour) {
    std::vector<uint8_t> bytes = {
        0,  0,   2, 0, 0, 0, 0, 0, 0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8),
        32, 0x28};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colour(x, y);
            bytes.insert(bytes.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), uint8_t(c >> 24)});
        }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

template <typename F>
std::vector<uint8_t> JpegBytes(int w, int h, F colour) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colour(x, y);
            row[size_t(x) * 3] = uint8_t(c >> 16);
            row[size_t(x) * 3 + 1] = uint8_t(c >> 8);
            row[size_t(x) * 3 + 2] = uint8_t(c);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace veltrane::picturetest
