// The five cube skins: Images/Skin<s>/tex<n>.tga. Skin 1 also carries the joker, bomb, shot
// cube and block, which every skin borrows from it.
#include "scene/CubeFace.h"
#include "scene/ScenePictures.h"

#include <string>

namespace veltrane::assetgen::scene {

namespace {

constexpr int kFaceSize = 256;

bool SharedSlot(int slot) {
    return slot == 7 || slot == 8 || slot == 9 || slot == 17;
}

} // namespace

void AddSkinPictures(std::vector<ScenePicture>& out) {
    for (int skin = 1; skin <= kSkinCount; ++skin)
        for (int slot = 0; slot <= 17; ++slot) {
            if (skin != 1 && SharedSlot(slot)) continue;
            const std::string path =
                "Images/Skin" + std::to_string(skin) + "/tex" + std::to_string(slot) + ".tga";
            const SkinStyle style = StyleOfSkin(skin);
            out.push_back({path, false, [slot, style] { return SlotFace(kFaceSize, slot, style); }});
        }
}

} // namespace veltrane::assetgen::scene
