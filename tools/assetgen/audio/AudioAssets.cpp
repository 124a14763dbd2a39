// The game's sound effects and music, encoded as Ogg Vorbis.
#include "audio/AudioAssets.h"

#include "audio/Effects.h"
#include "audio/OggWriter.h"
#include "audio/Songs.h"

#include <string>

namespace veltrane::assetgen {

void MakeAudioAssets(const std::filesystem::path& gameDir) {
    for (int i = 0; i < static_cast<int>(audio::kEffectNames.size()); ++i)
        audio::WriteOgg(gameDir / "Sounds" /
                            (std::string(audio::kEffectNames[static_cast<std::size_t>(i)]) + ".ogg"),
                        audio::MakeEffect(i), 0.6);
    for (int i = 0; i < static_cast<int>(audio::kTrackNames.size()); ++i)
        audio::WriteOgg(gameDir / "Music" /
                            (std::string(audio::kTrackNames[static_cast<std::size_t>(i)]) + ".ogg"),
                        audio::MakeTrack(i), 0.4);
}

} // namespace veltrane::assetgen
