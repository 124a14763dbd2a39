// Feeds arbitrary bytes to the settings store as the settings file. Loading the settings either
// fails with a clear error or gives values; saving them and loading again must give the same
// values, and a second load-and-save pass must not change the file any more: whatever the store
// writes, it reads back as written.
#include "FuzzSupport.h"

#include "platform/KeyValueStore.h"
#include "settings/Options.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
using namespace veltrane;
using fuzz::Check;

constexpr const char* File = "settings.ini";

bool SameValues(const TOptions& a, const TOptions& b) {
    return a.SoundVol == b.SoundVol && a.MusicVol == b.MusicVol && a.Texture == b.Texture &&
           a.Resolution == b.Resolution && a.Color == b.Color && a.Fullscreen == b.Fullscreen &&
           a.Desktop == b.Desktop && a.PseudoFullscreen == b.PseudoFullscreen && a.Help == b.Help &&
           a.WriteDebug == b.WriteDebug;
}

// One load-and-save pass of the store alone, which keeps values the program does not know.
std::string StorePass() {
    TKeyValueStore store(File, "Software\\Quillomar");
    store.Load();
    std::string error;
    Check(store.Save(&error), "the store could not save");
    return fuzz::ReadBytes(File);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    fuzz::WriteBytes(File, fuzz::AsText(data, size));

    TOptions loaded(File);
    try {
        loaded.Load();
    } catch (const ERegistryException&) {
        // A value missing or not a number: the file stays for the player to mend.
        Check(fuzz::ReadBytes(File) == fuzz::AsText(data, size), "a refused settings file was changed");
        return 0;
    }
    Check(loaded.Resolution < loaded.ResolutionTable.size() && loaded.Color < ColorDepthTable.size(),
          "a table index outside its table");
    Check(loaded.Save(), "the settings could not be saved");
    TOptions again(File);
    again.Load();
    Check(SameValues(loaded, again), "saved settings read back differently");

    const std::string once = StorePass();
    Check(StorePass() == once, "a load-and-save pass changed the store's own file");
    return 0;
}
