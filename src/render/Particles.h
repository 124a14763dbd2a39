// Sparks, bursts and the new-level banner: short-lived textured quads that fly, slow down, grow
// or shrink, spin and fade. They live in six lists; the game spawns into a list, advances every
// list once per frame and draws them after the board. Storage is fixed, so spawning, updating
// and drawing never allocate. The game owns its lists and their pictures (TGame::Particles).
#pragma once

#include "platform/gfx/Device.h"
#include "render/Vector.h"

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

inline constexpr int kParticleListCount = 6;
inline constexpr int kParticleTypeCount = 7;    // emitter types 0..6
inline constexpr int kParticleTextureSlots = 7; // slots 1..7
inline constexpr int kBannerList = 5;
inline constexpr int kBannerType = 6;

struct TParticle {
    uint8_t Kind = 0;     // emitter type 0..6
    TVector Position;     // world position
    TVector Velocity;     // world units per 10000 ms
    TVector Damping;      // relative change of Velocity per 1000 ms, per axis
    float Angle = 0;      // about z, radians, kept in [0, 2 pi]
    float Spin = 0;       // change of Angle per 10000 ms
    float SpinChange = 0; // change of Spin per 10000 ms
    int32_t Life = 0;     // the alpha, capped at 255 when drawn
    float SizeX = 0, SizeY = 0;
    // The part of the fade not yet taken from Life, so short frames fade as fast as long ones.
    float FadeCarry = 0;
};

// One row of the emitter table.
struct TEmitterType {
    int Texture; // slot 1..7
    TVector Damping;
    int32_t Fade; // life units per 100 ms
    float SizeX, SizeY;
    float GrowX, GrowY; // size change per 10000 ms
    float Spin, SpinChange;
    bool Additive; // drawn with the destination added to, not covered
};
extern const std::array<TEmitterType, kParticleTypeCount> EmitterTypes;

// A singly linked list over a fixed pool: new particles go to the head; iteration runs from the
// head, so the newest particle comes first.
class TParticleList {
public:
    static constexpr int kCapacity = 4096;

    TParticleList() { Clear(); }
    void Clear();
    bool Empty() const { return head_ < 0; }
    int Count() const { return count_; }
    // The head (the newest particle); nullptr when empty.
    const TParticle* First() const { return Empty() ? nullptr : &nodes_[size_t(head_)].Particle; }

    // A new particle at the head; nullptr when the pool is full (the spawn is dropped).
    TParticle* Push();

    template <class F>
    void ForEach(F&& f) {
        for (int i = head_; i >= 0; i = nodes_[size_t(i)].Next) f(nodes_[size_t(i)].Particle);
    }
    template <class F>
    void ForEach(F&& f) const {
        for (int i = head_; i >= 0; i = nodes_[size_t(i)].Next)
            f(static_cast<const TParticle&>(nodes_[size_t(i)].Particle));
    }
    // Unlinks every particle for which dead(particle) is true, keeping the others in order.
    template <class F>
    void RemoveIf(F&& dead) {
        int previous = -1;
        for (int i = head_; i >= 0;) {
            TNode& node = nodes_[size_t(i)];
            const int next = node.Next;
            if (dead(node.Particle)) {
                (previous < 0 ? head_ : nodes_[size_t(previous)].Next) = next;
                node.Next = free_;
                free_ = i;
                --count_;
            } else {
                previous = i;
            }
            i = next;
        }
    }

private:
    struct TNode {
        TParticle Particle;
        int Next = -1;
    };
    std::array<TNode, kCapacity> nodes_;
    int head_ = -1;
    int free_ = -1;
    int count_ = 0;
};

// The six lists and the pictures they are drawn with; about 1.8 MB, so it lives inside a heap
// object (the game).
struct TParticles {
    // Lists 1..6 (Lists[0] is list 1).
    std::array<TParticleList, kParticleListCount> Lists;
    // Texture slots 1..7 (Textures[0] is slot 1).
    std::array<gfx::TextureHandle, kParticleTextureSlots> Textures;
};

// Empties every list.
void InitParticles(TParticles& particles);

// Puts a particle of the given type at the head of list 1..6 with the type's damping, spin and
// start size and angle 0. False (nothing spawned) for a list or type out of range or a full list.
bool SpawnParticle(TParticles& particles, int list, int type, TVector position, int32_t life,
                   TVector velocity);

// One step of dt milliseconds: move, turn, damp, change spin and size, fade. Life loses
// dt * fade / 100 rounded, with the rounding carried to the next step.
void StepParticle(TParticle& particle, float dt);
// A particle leaves its list once its life is 5 or less or either size is 0 or less.
bool ParticleDead(const TParticle& particle);
// Steps every particle of list 1..6 and removes those that died.
void UpdateParticles(TParticles& particles, int list, float dt);

// Slots 1..6 from "images\effect1.tga" .. "images\effect6.tga", slot 7 from "images\effect1.tga"
// until a banner replaces it.
void LoadParticleTextures(gfx::IDevice& device, TParticles& particles);
void FreeParticleTextures(TParticles& particles);

// Draws list 1..6 with the texture and blending of its first particle's type, rewriting mesh
// range 1 of vertexBuffer for each particle. Nothing for an empty list.
void DrawParticles(gfx::IDevice& device, gfx::IVertexBuffer& vertexBuffer, const TParticles& particles,
                   int list);

// Removes the dead particles of the list; when living ones remain, loads texture slot 7 from
// fileName and gives each of them the size (sizeX, sizeY).
void SetListPicture(gfx::IDevice& device, TParticles& particles, int list, const std::string& fileName,
                    float sizeX, float sizeY);

// The new-level banner: one type-6 particle rising from (0, -3, 1) in list 5 with the picture
// "images\newlevel.tga" at size (4.45, 0.85).
void SpawnNewLevelBanner(gfx::IDevice& device, TParticles& particles);

} // namespace veltrane
