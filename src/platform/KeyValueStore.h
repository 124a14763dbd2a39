// The settings store: a per-user set of named 32-bit integers kept in an INI file, standing in
// for a registry key. Reads go to the copy loaded by Load; writes change that copy and reach the
// file, replaced as a whole, on Save. Values the program does not know are kept.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace veltrane {

// "$XDG_CONFIG_HOME/Quillomar/settings.ini", with ~/.config when the variable is unset or empty.
std::string SettingsFilePath();

class TKeyValueStore {
public:
    enum class TReadResult { Ok, Missing, NotInteger };

    // file: the INI file; key: the section that holds the values, e.g. "Software\Quillomar".
    TKeyValueStore(std::string file, std::string key);

    // Reads the file again, dropping unsaved writes. A missing or unreadable file is empty.
    void Load();
    // True when the file holds the key's section (with at least one value).
    bool KeyExists() const;
    // Value names compare without regard to case, as registry names do.
    TReadResult ReadInteger(const std::string& name, int32_t& value) const;
    void WriteInteger(const std::string& name, int32_t value);
    // Writes every section back, creating the folder if needed; false (and error) on failure.
    bool Save(std::string* error = nullptr);

    const std::string& File() const { return file_; }

private:
    struct TSection {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;
    };

    TSection* FindSection(const std::string& name);
    const TSection* FindSection(const std::string& name) const;

    std::string file_;
    std::string key_;
    std::vector<TSection> sections_;
};

} // namespace veltrane
