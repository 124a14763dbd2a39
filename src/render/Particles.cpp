#include "render/Particles.h"

#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/Placement.h"
#include "render/TextureLoader.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veltrane {

using namespace gfx;

const std::array<TEmitterType, kParticleTypeCount> EmitterTypes = {{
    {1, {-0.5f, -0.5f, 0}, 30, 0.4f, 0.4f, -0.4f, -0.4f, 0, 0, true},
    {2, {0, 0, 0}, 20, 0.6f, 0.6f, -0.4f, -0.4f, 0, 0, true},
    {3, {-1, -1, 0}, 25, 1, 1, 2, 2, 0, 0, true},
    {4, {1.1f, 1.1f, 0}, 15, 0.125f, 0.125f, 0.3f, 0.3f, 0, 0, true},
    {5, {-0.25f, -0.25f, 0}, 30, 0.2f, 0.2f, 3, 3, 250, -5000, true},
    {6, {-1, -1, -1}, 120, 0.1f, 0.1f, 0, 0, 0, 0, true},
    {7, {0, -1, 0}, 8, 10, 10, 0, 0, 0, 0, false},
}};

void TParticleList::Clear() {
    for (int i = 0; i < kCapacity; ++i) nodes_[size_t(i)].Next = i + 1 < kCapacity ? i + 1 : -1;
    free_ = 0;
    head_ = -1;
    count_ = 0;
}

TParticle* TParticleList::Push() {
    if (free_ < 0) return nullptr;
    const int i = free_;
    TNode& node = nodes_[size_t(i)];
    free_ = node.Next;
    node.Next = head_;
    head_ = i;
    ++count_;
    node.Particle = TParticle{};
    return &node.Particle;
}

namespace {

bool ListNumber(int list) {
    return list >= 1 && list <= kParticleListCount;
}

TParticleList* ListOf(TParticles& particles, int list) {
    return ListNumber(list) ? &particles.Lists[size_t(list - 1)] : nullptr;
}

const TParticleList* ListOf(const TParticles& particles, int list) {
    return ListNumber(list) ? &particles.Lists[size_t(list - 1)] : nullptr;
}

// The particle pictures load without mipmap filtering, like the fonts.
void LoadParticleTexture(IDevice& device, TParticles& particles, int slot, const std::string& fileName) {
    LoadTexture(device, fileName, particles.Textures[size_t(slot - 1)], D3DX_FILTER_LINEAR, D3DX_FILTER_NONE);
}

} // namespace

void InitParticles(TParticles& particles) {
    for (TParticleList& list : particles.Lists) list.Clear();
}

bool SpawnParticle(TParticles& particles, int list, int type, TVector position, int32_t life,
                   TVector velocity) {
    TParticleList* target = ListOf(particles, list);
    if (!target || type < 0 || type >= kParticleTypeCount) return false;
    TParticle* p = target->Push();
    if (!p) return false;
    const TEmitterType& e = EmitterTypes[size_t(type)];
    p->Kind = uint8_t(type);
    p->Position = position;
    p->Velocity = velocity;
    p->Damping = e.Damping;
    p->Angle = 0;
    p->Spin = e.Spin;
    p->SpinChange = e.SpinChange;
    p->Life = life;
    p->SizeX = e.SizeX;
    p->SizeY = e.SizeY;
    return true;
}

void StepParticle(TParticle& p, float dt) {
    const TEmitterType& e = EmitterTypes[std::min<size_t>(p.Kind, kParticleTypeCount - 1)];
    constexpr float kTwoPi = 2 * std::numbers::pi_v<float>;
    p.Position = p.Position + p.Velocity * (dt / 10000);
    p.Angle += p.Spin * dt / 10000;
    if (p.Angle > kTwoPi || p.Angle < 0) p.Angle -= kTwoPi * std::floor(p.Angle / kTwoPi);
    p.Velocity.x += dt * p.Velocity.x * p.Damping.x / 1000;
    p.Velocity.y += dt * p.Velocity.y * p.Damping.y / 1000;
    p.Velocity.z += dt * p.Velocity.z * p.Damping.z / 1000;
    p.Spin += p.SpinChange * dt / 10000;
    p.SizeX += e.GrowX * dt / 10000;
    p.SizeY += e.GrowY * dt / 10000;
    // Halves round to even, as the game's Round does.
    const double fade = double(dt) * e.Fade / 100 + p.FadeCarry;
    const double whole = std::nearbyint(fade);
    p.Life -= int32_t(whole);
    p.FadeCarry = float(fade - whole);
}

bool ParticleDead(const TParticle& p) {
    return !(p.Life > 5 && p.SizeX > 0 && p.SizeY > 0);
}

void UpdateParticles(TParticles& particles, int list, float dt) {
    TParticleList* target = ListOf(particles, list);
    if (!target) return;
    target->RemoveIf([dt](TParticle& p) {
        StepParticle(p, dt);
        return ParticleDead(p);
    });
}

void LoadParticleTextures(IDevice& device, TParticles& particles) {
    for (int slot = 1; slot <= kParticleTextureSlots; ++slot)
        LoadParticleTexture(device, particles, slot,
                            "images\\effect" + std::to_string(slot < kParticleTextureSlots ? slot : 1) +
                                ".tga");
}

void FreeParticleTextures(TParticles& particles) {
    for (TextureHandle& texture : particles.Textures) texture.reset();
}

void DrawParticles(IDevice& device, IVertexBuffer& vertexBuffer, const TParticles& particles, int list) {
    const TParticleList* target = ListOf(particles, list);
    if (!target || target->Empty()) return;
    const TEmitterType& first = EmitterTypes[std::min<size_t>(target->First()->Kind, kParticleTypeCount - 1)];
    device.SetRenderState(D3DRS_LIGHTING, FALSE);
    device.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device.SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device.SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device.SetRenderState(D3DRS_DESTBLEND, first.Additive ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA);
    device.SetTexture(0, particles.Textures[size_t(first.Texture - 1)]);
    target->ForEach([&](const TParticle& p) {
        const uint32_t alpha = uint32_t(std::clamp<int32_t>(p.Life, 0, 255));
        if (Failed(TintQuad(vertexBuffer, alpha << 24 | 0x00FFFFFF, 0))) return;
        device.SetTransform(D3DTS_WORLD,
                            ToD3D(MakeWorld({p.SizeX, p.SizeY, 1}, p.Position, {0, 0, p.Angle})));
        DrawMeshRange(device, kRangeQuad);
    });
    device.SetTexture(0, nullptr);
    device.SetRenderState(D3DRS_LIGHTING, TRUE);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

void SetListPicture(IDevice& device, TParticles& particles, int list, const std::string& fileName,
                    float sizeX, float sizeY) {
    TParticleList* target = ListOf(particles, list);
    if (!target) return;
    target->RemoveIf([](const TParticle& p) { return ParticleDead(p); });
    if (target->Empty()) return;
    LoadParticleTexture(device, particles, kParticleTextureSlots, fileName);
    target->ForEach([&](TParticle& p) {
        p.SizeX = sizeX;
        p.SizeY = sizeY;
    });
}

void SpawnNewLevelBanner(IDevice& device, TParticles& particles) {
    SpawnParticle(particles, kBannerList, kBannerType, {0, -3, 1}, 256, {0, 50, 0});
    SetListPicture(device, particles, kBannerList, "images\\newlevel.tga", 4.45f, 0.85f);
}

} // namespace veltrane
