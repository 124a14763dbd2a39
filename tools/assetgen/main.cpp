// assetgen <game folder>: makes every data file, picture, sound and music track of the game.
// assetgen --icons <folder> <application id>: makes the desktop icons an installation ships.
// Deterministic: the same bytes on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "audio/AudioAssets.h"
#include "data/DataFiles.h"
#include "scene/SceneAssets.h"
#include "ui/Icons.h"
#include "ui/UiAssets.h"

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--icons") {
        try {
            veltrane::assetgen::MakeIcons(argv[2], argv[3]);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "assetgen: %s\n", e.what());
            return 1;
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: assetgen <game folder>\n       assetgen --icons <folder> <application id>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    try {
        std::filesystem::create_directories(out);
        veltrane::assetgen::MakeDataFiles(out);
        veltrane::assetgen::MakeAudioAssets(out);
        veltrane::assetgen::MakeUiAssets(out);
        veltrane::assetgen::MakeSceneAssets(out);
        veltrane::assetgen::MakeWindowIcon(out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
