#include "common/Canvas.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO_FOPEN_WARNINGS
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Weverything"
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb_image_write.h>
#if defined(__clang__)
#pragma clang diagnostic pop
#elif defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace veltrane::assetgen {

namespace {

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}
uint8_t To8(float v) {
    return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f));
}

// Coverage of a pixel whose centre lies at signed distance d (negative inside).
float Coverage(float d) {
    return Clamp01(0.5f - d);
}

float Hash(uint32_t seed, int x, int y) {
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 374761393u) ^ (static_cast<uint32_t>(y) * 668265263u);
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / 16777215.0f;
}

} // namespace

Colour Mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour Rgb(uint32_t rgb, float alpha) {
    return {static_cast<float>((rgb >> 16) & 0xff) / 255.0f, static_cast<float>((rgb >> 8) & 0xff) / 255.0f,
            static_cast<float>(rgb & 0xff) / 255.0f, alpha};
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height),
      pixels_(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("canvas size must be positive");
}

void Canvas::Set(int x, int y, Colour c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[Index(x, y)] = c;
}

void Canvas::Blend(int x, int y, Colour c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const float sa = Clamp01(c.a * coverage);
    if (sa <= 0.0f) return;
    Colour& d = pixels_[Index(x, y)];
    const float outA = sa + d.a * (1.0f - sa);
    if (outA <= 0.0f) {
        d = {0, 0, 0, 0};
        return;
    }
    d.r = (c.r * sa + d.r * d.a * (1.0f - sa)) / outA;
    d.g = (c.g * sa + d.g * d.a * (1.0f - sa)) / outA;
    d.b = (c.b * sa + d.b * d.a * (1.0f - sa)) / outA;
    d.a = outA;
}

void Canvas::Fill(Colour c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Canvas::FillRect(float x0, float y0, float x1, float y1, Colour c) {
    FillRoundRect(x0, y0, x1, y1, 0.0f, c);
}

void Canvas::FillRoundRect(float x0, float y0, float x1, float y1, float radius, Colour c) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    radius = std::min({radius, hx, hy});
    for (int y = std::max(0, static_cast<int>(y0) - 1); y < std::min(height_, static_cast<int>(y1) + 2); ++y)
        for (int x = std::max(0, static_cast<int>(x0) - 1); x < std::min(width_, static_cast<int>(x1) + 2);
             ++x) {
            const float qx = std::abs(static_cast<float>(x) + 0.5f - cx) - (hx - radius);
            const float qy = std::abs(static_cast<float>(y) + 0.5f - cy) - (hy - radius);
            const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
            const float d = outside + std::min(std::max(qx, qy), 0.0f) - radius;
            Blend(x, y, c, Coverage(d));
        }
}

void Canvas::FillCircle(float cx, float cy, float radius, Colour c) {
    for (int y = std::max(0, static_cast<int>(cy - radius) - 1);
         y < std::min(height_, static_cast<int>(cy + radius) + 2); ++y)
        for (int x = std::max(0, static_cast<int>(cx - radius) - 1);
             x < std::min(width_, static_cast<int>(cx + radius) + 2); ++x) {
            const float d =
                std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy) - radius;
            Blend(x, y, c, Coverage(d));
        }
}

void Canvas::StrokeCircle(float cx, float cy, float radius, float width, Colour c) {
    const float reach = radius + width;
    for (int y = std::max(0, static_cast<int>(cy - reach) - 1);
         y < std::min(height_, static_cast<int>(cy + reach) + 2); ++y)
        for (int x = std::max(0, static_cast<int>(cx - reach) - 1);
             x < std::min(width_, static_cast<int>(cx + reach) + 2); ++x) {
            const float r = std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy);
            Blend(x, y, c, Coverage(std::abs(r - radius) - width / 2));
        }
}

void Canvas::DrawLine(float x0, float y0, float x1, float y1, float width, Colour c) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    const float pad = width + 1;
    for (int y = std::max(0, static_cast<int>(std::min(y0, y1) - pad));
         y < std::min(height_, static_cast<int>(std::max(y0, y1) + pad) + 1); ++y)
        for (int x = std::max(0, static_cast<int>(std::min(x0, x1) - pad));
             x < std::min(width_, static_cast<int>(std::max(x0, x1) + pad) + 1); ++x) {
            const float px = static_cast<float>(x) + 0.5f - x0, py = static_cast<float>(y) + 0.5f - y0;
            const float t = Clamp01((px * dx + py * dy) / len2);
            const float d = std::hypot(px - t * dx, py - t * dy) - width / 2;
            Blend(x, y, c, Coverage(d));
        }
}

void Canvas::FillPolygon(const std::vector<std::pair<float, float>>& points, Colour c) {
    if (points.size() < 3) return;
    float minX = points[0].first, maxX = minX, minY = points[0].second, maxY = minY;
    for (auto [px, py] : points) {
        minX = std::min(minX, px), maxX = std::max(maxX, px);
        minY = std::min(minY, py), maxY = std::max(maxY, py);
    }
    // 4 x 4 supersampling with the even-odd rule.
    for (int y = std::max(0, static_cast<int>(minY)); y < std::min(height_, static_cast<int>(maxY) + 1); ++y)
        for (int x = std::max(0, static_cast<int>(minX)); x < std::min(width_, static_cast<int>(maxX) + 1);
             ++x) {
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const float px = static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / 4;
                    const float py = static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / 4;
                    bool in = false;
                    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                        const auto [xi, yi] = points[i];
                        const auto [xj, yj] = points[j];
                        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
                    }
                    inside += in;
                }
            if (inside) Blend(x, y, c, static_cast<float>(inside) / 16.0f);
        }
}

void Canvas::VerticalGradient(float x0, float y0, float x1, float y1, Colour top, Colour bottom) {
    for (int y = std::max(0, static_cast<int>(y0)); y < std::min(height_, static_cast<int>(std::ceil(y1)));
         ++y) {
        const float t = y1 > y0 ? Clamp01((static_cast<float>(y) + 0.5f - y0) / (y1 - y0)) : 0.0f;
        const Colour c = Mix(top, bottom, t);
        for (int x = std::max(0, static_cast<int>(x0)); x < std::min(width_, static_cast<int>(std::ceil(x1)));
             ++x)
            Blend(x, y, c);
    }
}

void Canvas::RadialGradient(float cx, float cy, float radius, Colour inner, Colour outer) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const float t = Clamp01(
                std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy) / radius);
            Blend(x, y, Mix(inner, outer, t));
        }
}

void Canvas::Draw(const Canvas& other, int x, int y, float opacity) {
    for (int sy = 0; sy < other.height_; ++sy)
        for (int sx = 0; sx < other.width_; ++sx) Blend(x + sx, y + sy, other.Get(sx, sy), opacity);
}

void Canvas::BoxBlur(int radius) {
    if (radius <= 0) return;
    // Blur premultiplied colour so transparent pixels do not darken edges.
    auto pass = [&](bool horizontal) {
        std::vector<Colour> out(pixels_.size());
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                Colour sum{0, 0, 0, 0};
                int n = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int sx = horizontal ? std::clamp(x + k, 0, width_ - 1) : x;
                    const int sy = horizontal ? y : std::clamp(y + k, 0, height_ - 1);
                    const Colour c = pixels_[Index(sx, sy)];
                    sum.r += c.r * c.a, sum.g += c.g * c.a, sum.b += c.b * c.a, sum.a += c.a;
                    ++n;
                }
                Colour& o = out[Index(x, y)];
                o.a = sum.a / static_cast<float>(n);
                if (sum.a > 0) o.r = sum.r / sum.a, o.g = sum.g / sum.a, o.b = sum.b / sum.a;
            }
        pixels_ = std::move(out);
    };
    pass(true);
    pass(false);
}

void Canvas::AddNoise(uint32_t seed, float strength, float cellSize) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            // Bilinear value noise over cells of cellSize pixels.
            const float fx = static_cast<float>(x) / cellSize, fy = static_cast<float>(y) / cellSize;
            const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
            const float tx = fx - static_cast<float>(ix), ty = fy - static_cast<float>(iy);
            const float n = (Hash(seed, ix, iy) * (1 - tx) + Hash(seed, ix + 1, iy) * tx) * (1 - ty) +
                            (Hash(seed, ix, iy + 1) * (1 - tx) + Hash(seed, ix + 1, iy + 1) * tx) * ty;
            const float delta = (n - 0.5f) * 2.0f * strength;
            Colour& p = pixels_[Index(x, y)];
            p.r = Clamp01(p.r + delta), p.g = Clamp01(p.g + delta), p.b = Clamp01(p.b + delta);
        }
}

Canvas Canvas::Scaled(int width, int height) const {
    Canvas out(width, height);
    const float sx = static_cast<float>(width_) / static_cast<float>(width);
    const float sy = static_cast<float>(height_) / static_cast<float>(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int x0 = static_cast<int>(static_cast<float>(x) * sx),
                      y0 = static_cast<int>(static_cast<float>(y) * sy);
            const int x1 = std::max(x0 + 1, static_cast<int>(static_cast<float>(x + 1) * sx));
            const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<float>(y + 1) * sy));
            Colour sum{0, 0, 0, 0};
            int n = 0;
            for (int yy = y0; yy < std::min(y1, height_); ++yy)
                for (int xx = x0; xx < std::min(x1, width_); ++xx) {
                    const Colour c = Get(xx, yy);
                    sum.r += c.r * c.a, sum.g += c.g * c.a, sum.b += c.b * c.a, sum.a += c.a;
                    ++n;
                }
            Colour o{0, 0, 0, n ? sum.a / static_cast<float>(n) : 0};
            if (sum.a > 0) o.r = sum.r / sum.a, o.g = sum.g / sum.a, o.b = sum.b / sum.a;
            out.Set(x, y, o);
        }
    return out;
}

std::vector<uint8_t> Canvas::Rgba8() const {
    std::vector<uint8_t> out;
    out.reserve(pixels_.size() * 4);
    for (const Colour& c : pixels_) {
        out.push_back(To8(c.r));
        out.push_back(To8(c.g));
        out.push_back(To8(c.b));
        out.push_back(To8(c.a));
    }
    return out;
}

namespace {

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void PutLe16(std::vector<uint8_t>& v, int n) {
    v.push_back(static_cast<uint8_t>(n & 0xff));
    v.push_back(static_cast<uint8_t>((n >> 8) & 0xff));
}

void PutLe32(std::vector<uint8_t>& v, uint32_t n) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>((n >> (8 * i)) & 0xff));
}

} // namespace

void Canvas::WriteTga(const std::filesystem::path& path) const {
    std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutLe16(out, width_);
    PutLe16(out, height_);
    out.push_back(32);
    out.push_back(0x28); // 8 alpha bits, rows stored top to bottom
    const std::vector<uint8_t> rgba = Rgba8();
    for (size_t i = 0; i < rgba.size(); i += 4) {
        out.push_back(rgba[i + 2]);
        out.push_back(rgba[i + 1]);
        out.push_back(rgba[i]);
        out.push_back(rgba[i + 3]);
    }
    WriteBytes(path, out);
}

void Canvas::WritePng(const std::filesystem::path& path) const {
    std::filesystem::create_directories(path.parent_path());
    const std::vector<uint8_t> rgba = Rgba8();
    if (!stbi_write_png(path.string().c_str(), width_, height_, 4, rgba.data(), width_ * 4))
        throw std::runtime_error("cannot write " + path.string());
}

void Canvas::WriteBmp(const std::filesystem::path& path) const {
    const int rowBytes = (width_ * 3 + 3) & ~3;
    const uint32_t imageBytes = static_cast<uint32_t>(rowBytes * height_);
    std::vector<uint8_t> out = {'B', 'M'};
    PutLe32(out, 54 + imageBytes);
    PutLe32(out, 0);
    PutLe32(out, 54);
    PutLe32(out, 40);
    PutLe32(out, static_cast<uint32_t>(width_));
    PutLe32(out, static_cast<uint32_t>(height_));
    PutLe16(out, 1);
    PutLe16(out, 24);
    for (int i = 0; i < 6; ++i) PutLe32(out, 0);
    const std::vector<uint8_t> rgba = Rgba8();
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const size_t i = Index(x, y) * 4;
            out.push_back(rgba[i + 2]);
            out.push_back(rgba[i + 1]);
            out.push_back(rgba[i]);
        }
        for (int pad = width_ * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    WriteBytes(path, out);
}

namespace {

struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

} // namespace

void Canvas::WriteJpeg(const std::filesystem::path& path, int quality) const {
    std::filesystem::create_directories(path.parent_path());
    std::vector<uint8_t> rgb;
    rgb.reserve(pixels_.size() * 3);
    for (const Colour& c : pixels_) {
        // JPEG has no alpha: flatten over black.
        rgb.push_back(To8(c.r * c.a));
        rgb.push_back(To8(c.g * c.a));
        rgb.push_back(To8(c.b * c.a));
    }
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path.string());

    jpeg_compress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::fclose(file);
        throw std::runtime_error("cannot encode " + path.string());
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(width_);
    cinfo.image_height = static_cast<JDIMENSION>(height_);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &rgb[static_cast<size_t>(cinfo.next_scanline) * static_cast<size_t>(width_) * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    if (std::fclose(file) != 0) throw std::runtime_error("cannot write " + path.string());
}

} // namespace veltrane::assetgen
