#include "platform/KeyValueStore.h"

#include "platform/AtomicFile.h"
#include "platform/NoCase.h"

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace veltrane {
namespace fs = std::filesystem;

namespace {

// A whole decimal number within 32 bits, surrounding blanks allowed.
bool ParseInt32(const std::string& text, int32_t& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0' || n < INT32_MIN || n > INT32_MAX) return false;
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

int TKeyValueStore::OnValue(void* user, const char* section, const char* name, const char* value) {
    auto* self = static_cast<TKeyValueStore*>(user);
    TSection* s = self->FindSection(section);
    if (!s) s = &self->sections_.emplace_back(TSection{section, {}});
    auto it = std::find_if(s->values.begin(), s->values.end(),
                           [&](const auto& v) { return EqualNoCase(v.first, name); });
    if (it != s->values.end())
        it->second = value; // the last of repeated names wins
    else
        s->values.emplace_back(name, value);
    return 1;
}

void TKeyValueStore::Load() {
    sections_.clear();
    // Lines inih cannot parse are skipped; everything it can read is kept.
    ini_parse(file_.c_str(), &TKeyValueStore::OnValue, this);
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
