// The user's settings for the whole run: volumes, display, skin, help and trace switches, kept
// in the per-user settings store under "Software\Quillomar". One instance, made by the program
// entry and lent by reference to the launcher, the main window, the menu and the pointer.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace veltrane {

struct TResolution {
    int32_t Width = 0;
    int32_t Height = 0;
};

// Colour depth in bits by index: 16, 32. Fixed for the whole program.
inline constexpr std::array<uint8_t, 2> ColorDepthTable = {16, 32};

// A stored value that is missing or not an integer; the text names the value.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TOptions {
public:
    static constexpr uint8_t DefaultResolution = 6;
    static constexpr uint8_t DefaultColor = 0;

    uint8_t SoundVol = 160;
    uint8_t MusicVol = 120;
    uint8_t Texture = 2;
    uint8_t Resolution = DefaultResolution;
    uint8_t Color = DefaultColor;
    bool Fullscreen = true;
    bool Desktop = true;
    bool PseudoFullscreen = false;
    bool Help = true;
    bool WriteDebug = false;

    // Window sizes by Resolution: entries 0..8 are the choices of the video options; entry 9 is
    // the desktop's size, filled by the main window when it is selected.
    std::array<TResolution, 10> ResolutionTable = {{{512, 384},
                                                    {640, 400},
                                                    {640, 480},
                                                    {800, 600},
                                                    {1024, 768},
                                                    {1152, 864},
                                                    {1280, 768},
                                                    {1280, 960},
                                                    {1280, 1024},
                                                    {}}};

    // The fields start at their defaults. file: the settings file, normally SettingsFilePath().
    explicit TOptions(std::string file);
    TOptions();

    // Reads every stored value; a missing key gets the defaults, written back at once.
    // Throws ERegistryException when one of the main values is missing or not an integer;
    // the values read before it keep their new contents.
    void Load();
    // Writes every stored value; false (and error) when the file cannot be written.
    bool Save(std::string* error = nullptr);

    // The table entries for Resolution and Color, never outside the tables.
    const TResolution& CurrentResolution() const;
    uint8_t CurrentColorDepth() const;

    const std::string& File() const { return file_; }

private:
    void SetDefaults();

    std::string file_;
};

} // namespace veltrane
