#include "platform/KeyValueStore.h"

#include "platform/AtomicFile.h"
#include "platform/NoCase.h"

// The file is read byte for byte (no character conversion), with the library compiled in here.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace veltrane {
namespace fs = std::filesystem;

namespace {

// A whole decimal number within 32 bits, surrounding blanks allowed, and a comment after it
// ("1 ; full screen"), as the reader the game had before took them.
bool ParseInt32(const std::string& text, int32_t& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE) return false;
    const char* afterNumber = end;
    while (*end == ' ' || *end == '\t') ++end;
    const bool comment = *end == ';' && end != afterNumber;
    if ((*end != '\0' && !comment) || n < INT32_MIN || n > INT32_MAX) return false;
    value = static_cast<int32_t>(n);
    return true;
}

} // namespace

std::string SettingsFilePath() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".config";
    return base + "/Quillomar/settings.ini";
}

TKeyValueStore::TKeyValueStore(std::string file, std::string key)
    : file_(std::move(file)), key_(std::move(key)) {}

void TKeyValueStore::Load() {
    sections_.clear();
    std::string text;
    if (std::FILE* f = std::fopen(file_.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
        if (std::ferror(f)) text.clear(); // unreadable (a folder, say): as good as missing
        std::fclose(f);
    }
    // Lines of any length; indented lines are lines like any other; ";" and "#" start comment
    // lines; a UTF-8 signature before the first line is skipped; a name given twice keeps its
    // last value. Lines that are neither a section, a value nor a comment are skipped.
    CSimpleIniA ini(/*a_bIsUtf8=*/true, /*a_bMultiKey=*/false, /*a_bMultiLine=*/false);
    if (ini.LoadData(text) < 0) return;

    CSimpleIniA::TNamesDepend sections;
    ini.GetAllSections(sections);
    sections.sort(CSimpleIniA::Entry::LoadOrder());
    for (const auto& section : sections) {
        TSection& s = sections_.emplace_back(TSection{section.pItem, {}});
        CSimpleIniA::TNamesDepend names;
        ini.GetAllKeys(section.pItem, names);
        names.sort(CSimpleIniA::Entry::LoadOrder());
        for (const auto& name : names)
            s.values.emplace_back(name.pItem, ini.GetValue(section.pItem, name.pItem, ""));
    }
}

TKeyValueStore::TSection* TKeyValueStore::FindSection(const std::string& name) {
    for (auto& s : sections_)
        if (EqualNoCase(s.name, name)) return &s;
    return nullptr;
}

const TKeyValueStore::TSection* TKeyValueStore::FindSection(const std::string& name) const {
    for (const auto& s : sections_)
        if (EqualNoCase(s.name, name)) return &s;
    return nullptr;
}

bool TKeyValueStore::KeyExists() const {
    const TSection* s = FindSection(key_);
    return s && !s->values.empty();
}

TKeyValueStore::TReadResult TKeyValueStore::ReadInteger(const std::string& name, int32_t& value) const {
    const TSection* s = FindSection(key_);
    if (!s) return TReadResult::Missing;
    for (const auto& [n, text] : s->values)
        if (EqualNoCase(n, name)) return ParseInt32(text, value) ? TReadResult::Ok : TReadResult::NotInteger;
    return TReadResult::Missing;
}

void TKeyValueStore::WriteInteger(const std::string& name, int32_t value) {
    TSection* s = FindSection(key_);
    if (!s) s = &sections_.emplace_back(TSection{key_, {}});
    for (auto& [n, text] : s->values)
        if (EqualNoCase(n, name)) {
            text = std::to_string(value);
            return;
        }
    s->values.emplace_back(name, std::to_string(value));
}

bool TKeyValueStore::Save(std::string* error) {
    std::string text;
    for (const auto& s : sections_) {
        if (!text.empty()) text += '\n';
        text += '[' + s.name + "]\n";
        for (const auto& [name, value] : s.values) text += name + '=' + value + '\n';
    }
    const fs::path folder = fs::path(file_).parent_path();
    if (!folder.empty()) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) {
            if (error) *error = "cannot create " + folder.string() + ": " + ec.message();
            return false;
        }
    }
    return WriteFileAtomically(file_, text, error);
}

} // namespace veltrane
