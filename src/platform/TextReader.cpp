#include "platform/TextReader.h"

#include "platform/Paths.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

namespace veltrane {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Quotes a bad token for an error message, cut short when long.
std::string Quote(const std::string& token) {
    constexpr size_t maxShown = 24;
    std::string shown;
    for (char c : token.substr(0, maxShown)) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u >= 127) {
            static const char hex[] = "0123456789abcdef";
            shown += "\\x";
            shown += hex[u >> 4];
            shown += hex[u & 15];
        } else {
            shown += c;
        }
    }
    if (token.size() > maxShown) shown += "...";
    return "\"" + shown + "\"";
}

// Digits starting at i; returns the index after them.
size_t SkipDigits(const std::string& s, size_t i) {
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i;
}

// [+-]? (digits ("." digits?)? | "." digits) ([eE] [+-]? digits)?
bool IsRealToken(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const size_t intStart = i;
    i = SkipDigits(s, i);
    size_t mantissaDigits = i - intStart;
    if (i < s.size() && s[i] == '.') {
        const size_t fracStart = ++i;
        i = SkipDigits(s, i);
        mantissaDigits += i - fracStart;
    }
    if (mantissaDigits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const size_t expStart = i;
        i = SkipDigits(s, i);
        if (i == expStart) return false;
    }
    return i == s.size();
}

} // namespace

TTextReader TTextReader::OpenFile(const std::string& path) {
    std::ifstream in(ResolvePath(path), std::ios::binary);
    if (!in) throw TFileError(path + ": cannot open file (" + std::strerror(errno) + ")");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw TFileError(path + ": cannot read file");
    return TTextReader(path, std::move(text));
}

TTextReader TTextReader::FromText(std::string name, std::string text) {
    return TTextReader(std::move(name), std::move(text));
}

bool TTextReader::Eoln() const {
    if (Eof()) return true;
    if (text_[pos_] == '\n') return true;
    return text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
}

void TTextReader::Fail(const std::string& what) const {
    FailAt(line_, what);
}

void TTextReader::FailAt(int line, const std::string& what) const {
    throw TFileError(name_ + " line " + std::to_string(line) + ": " + what);
}

std::string TTextReader::NextToken(const char* expected) {
    while (!Eof() && IsSeparator(text_[pos_])) {
        if (text_[pos_] == '\n') ++line_;
        ++pos_;
    }
    if (Eof()) Fail(std::string(expected) + " expected, found the end of the file");
    const size_t start = pos_;
    while (!Eof() && !IsSeparator(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
}

int32_t TTextReader::ReadInt() {
    const std::string token = NextToken("number");
    size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (i == token.size() || SkipDigits(token, i) != token.size())
        Fail("number expected, found " + Quote(token));
    int64_t value = 0;
    for (; i < token.size(); ++i) {
        value = value * 10 + (token[i] - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) break;
    }
    if (token[0] == '-') value = -value;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        Fail("number out of range: " + Quote(token));
    return static_cast<int32_t>(value);
}

double TTextReader::ReadReal() {
    const std::string token = NextToken("number");
    if (!IsRealToken(token)) Fail("number expected, found " + Quote(token));
    const char* first = token.data() + (token[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, ec] = std::from_chars(first, token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size()) Fail("number out of range: " + Quote(token));
    return value;
}

char TTextReader::ReadChar() {
    if (Eof()) Fail("character expected, found the end of the file");
    if (Eoln()) return '\n';
    return text_[pos_++];
}

void TTextReader::ReadLn() {
    while (!Eof()) {
        if (text_[pos_++] == '\n') {
            ++line_;
            return;
        }
    }
}

std::string TTextReader::ReadLine() {
    const size_t start = pos_;
    while (!Eoln()) ++pos_;
    std::string line = text_.substr(start, pos_ - start);
    ReadLn();
    return line;
}

} // namespace veltrane
