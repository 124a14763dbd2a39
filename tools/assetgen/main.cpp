// assetgen <game folder>: makes every data file, picture, sound and music track of the game.
// Deterministic: the same bytes on every run.
#include <cstdio>
#include <exception>
#include <filesystem>

#if __has_include("data/DataFiles.h")
#include "data/DataFiles.h"
#define VELTRANE_HAVE_DATA 1
#endif
#if __has_include("audio/AudioAssets.h")
#include "audio/AudioAssets.h"
#define VELTRANE_HAVE_AUDIO 1
#endif
#if __has_include("ui/UiAssets.h")
#include "ui/UiAssets.h"
#define VELTRANE_HAVE_UI 1
#endif
#if __has_include("scene/SceneAssets.h")
#include "scene/SceneAssets.h"
#define VELTRANE_HAVE_SCENE 1
#endif

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <game folder>\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    try {
        std::filesystem::create_directories(out);
#ifdef VELTRANE_HAVE_DATA
        veltrane::assetgen::MakeDataFiles(out);
#endif
#ifdef VELTRANE_HAVE_AUDIO
        veltrane::assetgen::MakeAudioAssets(out);
#endif
#ifdef VELTRANE_HAVE_UI
        veltrane::assetgen::MakeUiAssets(out);
#endif
#ifdef VELTRANE_HAVE_SCENE
        veltrane::assetgen::MakeSceneAssets(out);
#endif
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
