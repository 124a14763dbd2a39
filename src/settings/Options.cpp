#include "settings/Options.h"

#include "platform/DebugLog.h"
#include "platform/KeyValueStore.h"

namespace veltrane {

namespace {

const char* const SettingsKey = "Software\\Quillomar";

int32_t ReadRequired(const TKeyValueStore& store, const char* name) {
    int32_t value = 0;
    switch (store.ReadInteger(name, value)) {
    case TKeyValueStore::TReadResult::Ok:
        return value;
    case TKeyValueStore::TReadResult::Missing:
        throw ERegistryException(std::string("Failed to get data for '") + name + "'");
    case TKeyValueStore::TReadResult::NotInteger:
        break;
    }
    throw ERegistryException(std::string("Invalid data type for '") + name + "'");
}

// Load writes values back on its own; a file that cannot take them is traced, as on closing.
void SaveTraced(TOptions& options) {
    std::string error;
    if (!options.Save(&error)) DebugLog(false, " Settings not saved: " + error);
}

// Byte fields keep the low 8 bits of the stored integer.
uint8_t LowByte(int32_t value) {
    return static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFF);
}

} // namespace

TOptions::TOptions(std::string file) : file_(std::move(file)) {}

TOptions::TOptions() : TOptions(SettingsFilePath()) {}

void TOptions::SetDefaults() {
    SoundVol = 160;
    MusicVol = 120;
    Texture = 2;
    Resolution = DefaultResolution;
    Color = DefaultColor;
    Fullscreen = true;
    Desktop = true;
    PseudoFullscreen = false;
    Help = true;
    WriteDebug = false;
}

void TOptions::Load() {
    TKeyValueStore store(file_, SettingsKey);
    store.Load();
    if (!store.KeyExists()) {
        SetDefaults();
        SaveTraced(*this);
        return;
    }

    Fullscreen = ReadRequired(store, "Fullscreen") != 0;
    Resolution = LowByte(ReadRequired(store, "Resolution"));
    // An index outside the tables would make the main window read past them.
    if (Resolution >= ResolutionTable.size()) Resolution = DefaultResolution;
    Color = LowByte(ReadRequired(store, "Color"));
    if (Color >= ColorDepthTable.size()) Color = DefaultColor;
    Desktop = ReadRequired(store, "Desktop") != 0;
    Texture = LowByte(ReadRequired(store, "Texture"));
    SoundVol = LowByte(ReadRequired(store, "SoundVol"));
    MusicVol = LowByte(ReadRequired(store, "MusicVol"));
    Help = ReadRequired(store, "Help") != 0;

    // These two came later: settings written before them lack them, so they fall back quietly.
    int32_t pseudo = 0, debug = 0;
    if (store.ReadInteger("PseudoFullscreen", pseudo) == TKeyValueStore::TReadResult::Ok &&
        store.ReadInteger("WriteDebug", debug) == TKeyValueStore::TReadResult::Ok) {
        PseudoFullscreen = pseudo != 0;
        WriteDebug = debug != 0;
    } else {
        PseudoFullscreen = false;
        WriteDebug = false;
        SaveTraced(*this);
    }
}

bool TOptions::Save(std::string* error) {
    TKeyValueStore store(file_, SettingsKey);
    store.Load(); // keep whatever else the file holds
    store.WriteInteger("SoundVol", SoundVol);
    store.WriteInteger("MusicVol", MusicVol);
    store.WriteInteger("Fullscreen", Fullscreen ? 1 : 0);
    store.WriteInteger("Resolution", Resolution);
    store.WriteInteger("Color", Color);
    store.WriteInteger("Desktop", Desktop ? 1 : 0);
    store.WriteInteger("Texture", Texture);
    store.WriteInteger("Help", Help ? 1 : 0);
    store.WriteInteger("WriteDebug", WriteDebug ? 1 : 0);
    store.WriteInteger("PseudoFullscreen", PseudoFullscreen ? 1 : 0);
    return store.Save(error);
}

const TResolution& TOptions::CurrentResolution() const {
    return ResolutionTable[Resolution < ResolutionTable.size() ? Resolution : DefaultResolution];
}

uint8_t TOptions::CurrentColorDepth() const {
    return ColorDepthTable[Color < ColorDepthTable.size() ? Color : DefaultColor];
}

} // namespace veltrane
