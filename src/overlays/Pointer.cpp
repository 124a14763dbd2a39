#include "overlays/Pointer.h"

#include "platform/DebugLog.h"
#include "platform/Picture.h"
#include "settings/Options.h"

#include <algorithm>
#include <string>

namespace veltrane {

using namespace gfx;

namespace {

constexpr float kPlaneWidth = 14.45f;
constexpr float kPlaneHeight = 10.8375f;
constexpr std::array<const char*, kPointerStyles> kFiles = {"Images\\cursor.tga", "Images\\cursor.tga",
                                                            "Images\\cursor1.tga"};

} // namespace

bool TPointer::Fullscreen() const {
    return options_ && options_->Fullscreen;
}

// Only a full-screen game has a pseudo full screen; a window keeps the system's cursor free.
bool TPointer::PseudoFullscreen() const {
    return options_ && options_->Fullscreen && options_->PseudoFullscreen;
}

void TPointer::KeepCursorInside(const TScreenRect& r) {
    const int32_t right = r.Left + r.Width, bottom = r.Top + r.Height;
    TScreenPoint p = host_->CursorPos();
    if (p.X <= r.Left) host_->SetCursorPos(1, p.Y);
    p = host_->CursorPos();
    if (p.X >= right) host_->SetCursorPos(right - 1, p.Y);
    p = host_->CursorPos();
    if (p.Y <= r.Top) host_->SetCursorPos(p.X, 1);
    p = host_->CursorPos();
    if (p.Y >= bottom) host_->SetCursorPos(p.X, bottom - 1);
}

void TPointer::CreatePointer(IDevice& device, ICursorHost& host, const TOptions& options) {
    host_ = &host;
    options_ = &options;
    placedByKeys_ = false;
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
    picture_ = FitPicture(width, height);
    invWidth_ = picture_.Width > 0 ? 1.0f / float(picture_.Width) : 0;
    invHeight_ = picture_.Height > 0 ? 1.0f / float(picture_.Height) : 0;
}

void TPointer::MovePointer(int32_t x, int32_t y) {
    if (!Created()) return;
    placedByKeys_ = false;
    T3DSprite& first = *PointerSprites[0];
    // The plane spans the picture, not the bars beside it: pixels are taken from the picture's
    // corner, and a cursor over a bar holds the pointer at the picture's edge. Without a drawing
    // area (invWidth_ 0) the pointer stays at the centre.
    const float u = std::clamp(float(x - picture_.Left) * invWidth_, 0.0f, 1.0f);
    const float v = std::clamp(float(y - picture_.Top) * invHeight_, 0.0f, 1.0f);
    first.Position.x = kPointerStart.x + (invWidth_ > 0 ? 0.5f - u : 0) * kPlaneWidth;
    first.Position.y = kPointerStart.y + (invHeight_ > 0 ? 0.5f - v : 0) * kPlaneHeight;
    for (int i = 1; i < kPointerStyles; ++i) {
        PointerSprites[size_t(i)]->Scale = first.Scale;
        PointerSprites[size_t(i)]->Position = first.Position;
        PointerSprites[size_t(i)]->Rotation = first.Rotation;
    }
}

void TPointer::PlacePointer(TVector at) {
    if (!Created()) return;
    placedByKeys_ = true;
    for (auto& sprite : PointerSprites) {
        sprite->Position.x = at.x;
        sprite->Position.y = at.y;
    }
}

void TPointer::DrawPointer(int style) {
    if (!Created() || style < 1 || style > kPointerStyles) return;
    const TScreenRect r = host_->WindowRect();
    if (!Fullscreen() && !placedByKeys_) {
        const TScreenPoint p = host_->CursorPos();
        if (!(r.Left < p.X && p.X < r.Left + r.Width && r.Top < p.Y && p.Y < r.Top + r.Height)) return;
    }
    if (PseudoFullscreen()) KeepCursorInside(r);
    T3DSprite& sprite = *PointerSprites[size_t(style - 1)];
    if (!sprite.Device) return;
    sprite.Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    sprite.Draw();
    sprite.Device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
}

void TPointer::DestroyPointer() {
    for (auto& sprite : PointerSprites) sprite.reset();
    host_ = nullptr;
    options_ = nullptr;
}

TVector TPointer::PointerPosition() const {
    // Every style's sprite stands where the first one does.
    const auto& sprite = PointerSprites[0];
    return sprite ? sprite->Position : kPointerStart;
}

} // namespace veltrane
