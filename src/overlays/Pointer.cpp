#include "overlays/Pointer.h"

#include "platform/DebugLog.h"
#include "platform/Picture.h"
#include "settings/Options.h"

#include <algorithm>
#include <string>

namespace veltrane {

using namespace gfx;

std::array<std::unique_ptr<T3DSprite>, kPointerStyles> PointerSprites;

namespace {

constexpr float kPlaneWidth = 14.45f;
constexpr float kPlaneHeight = 10.8375f;
constexpr std::array<const char*, kPointerStyles> kFiles = {"Images\\cursor.tga", "Images\\cursor.tga",
                                                            "Images\\cursor1.tga"};

ICursorHost* Host = nullptr;
TPictureRect Picture; // the 4:3 picture in the window's drawing area
float InvWidth = 0;
float InvHeight = 0;

bool Created() {
    return Host && PointerSprites[0];
}

bool Fullscreen() {
    return Options && Options->Fullscreen;
}

// Only a full-screen game has a pseudo full screen; a window keeps the system's cursor free.
bool PseudoFullscreen() {
    return Options && Options->Fullscreen && Options->PseudoFullscreen;
}

// Pseudo full screen: a cursor on or past the window's edge goes back just inside it.
void KeepCursorInside(const TScreenRect& r) {
    const int32_t right = r.Left + r.Width, bottom = r.Top + r.Height;
    TScreenPoint p = Host->CursorPos();
    if (p.X <= r.Left) Host->SetCursorPos(1, p.Y);
    p = Host->CursorPos();
    if (p.X >= right) Host->SetCursorPos(right - 1, p.Y);
    p = Host->CursorPos();
    if (p.Y <= r.Top) Host->SetCursorPos(p.X, 1);
    p = Host->CursorPos();
    if (p.Y >= bottom) Host->SetCursorPos(p.X, bottom - 1);
}

} // namespace

void CreatePointer(IDevice& device, ICursorHost& host) {
    Host = &host;
    const int32_t width = host.ClientWidth(), height = host.ClientHeight();
    if (Fullscreen()) {
        host.SetCursorPos(width / 2, height / 2);
    } else {
        const TScreenRect r = host.WindowRect();
        host.SetCursorPos(r.Left + width / 2, r.Top + height / 2);
    }
    const TScreenPoint at = host.CursorPos();
    DebugLog(false, "Mouse created at " + std::to_string(at.X) + "_" + std::to_string(at.Y));
    for (int i = 0; i < kPointerStyles; ++i) {
        auto sprite = std::make_unique<T3DSprite>(&device, kFiles[size_t(i)]);
        sprite->Scale = {1, 1, 1};
        sprite->Rotation = {0, 0, 0};
        sprite->Position = kPointerStart;
        PointerSprites[size_t(i)] = std::move(sprite);
    }
    Picture = FitPicture(width, height);
    InvWidth = Picture.Width > 0 ? 1.0f / float(Picture.Width) : 0;
    InvHeight = Picture.Height > 0 ? 1.0f / float(Picture.Height) : 0;
}

void MovePointer(int32_t x, int32_t y) {
    if (!Created()) return;
    T3DSprite& first = *PointerSprites[0];
    // The plane spans the picture, not the bars beside it: pixels are taken from the picture's
    // corner, and a cursor over a bar holds the pointer at the picture's edge. Without a drawing
    // area (InvWidth 0) the pointer stays at the centre.
    const float u = std::clamp(float(x - Picture.Left) * InvWidth, 0.0f, 1.0f);
    const float v = std::clamp(float(y - Picture.Top) * InvHeight, 0.0f, 1.0f);
    first.Position.x = kPointerStart.x + (InvWidth > 0 ? 0.5f - u : 0) * kPlaneWidth;
    first.Position.y = kPointerStart.y + (InvHeight > 0 ? 0.5f - v : 0) * kPlaneHeight;
    for (int i = 1; i < kPointerStyles; ++i) {
        PointerSprites[size_t(i)]->Scale = first.Scale;
        PointerSprites[size_t(i)]->Position = first.Position;
        PointerSprites[size_t(i)]->Rotation = first.Rotation;
    }
}

void DrawPointer(int style) {
    if (!Created() || style < 1 || style > kPointerStyles) return;
    const TScreenRect r = Host->WindowRect();
    if (!Fullscreen()) {
        const TScreenPoint p = Host->CursorPos();
        if (!(r.Left < p.X && p.X < r.Left + r.Width && r.Top < p.Y && p.Y < r.Top + r.Height)) return;
    }
    if (PseudoFullscreen()) KeepCursorInside(r);
    T3DSprite& sprite = *PointerSprites[size_t(style - 1)];
    if (!sprite.Device) return;
    sprite.Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    sprite.Draw();
    sprite.Device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
}

void DestroyPointer() {
    for (auto& sprite : PointerSprites) sprite.reset();
    Host = nullptr;
}

TVector PointerPosition() {
    // Every style's sprite stands where the first one does.
    const auto& sprite = PointerSprites[0];
    return sprite ? sprite->Position : kPointerStart;
}

} // namespace veltrane
