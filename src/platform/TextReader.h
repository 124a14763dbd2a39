// Reads the game's text data files (levels, figures, menu, saved games, font metrics) with one
// set of lexical rules:
// - ReadInt and ReadReal skip blanks, tabs and line ends, then take one number: an optional sign
//   and digits, for reals also a "." fraction and an exponent. The number must be followed by a
//   blank, a tab, a line end or the end of the file.
// - ReadLn discards the rest of the current line, its line end included.
// - ReadChar returns the very next character, skipping nothing.
// Lines end in LF or CR LF. Every failure (a missing file, a malformed number, an early end of
// the file) throws TFileError naming the file and the 1-based line, e.g.
// "data/Levels.dat line 18: number expected, found \"x\"".
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace veltrane {

class TFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TTextReader {
public:
    // Reads the whole file; the name is resolved with ResolvePath and reported as given.
    static TTextReader OpenFile(const std::string& path);
    // Reads from text held in memory; name is what errors report.
    static TTextReader FromText(std::string name, std::string text);

    const std::string& Name() const { return name_; }
    // The 1-based line the reader stands on.
    int Line() const { return line_; }

    // Nothing left to read.
    bool Eof() const { return pos_ >= text_.size(); }
    // The next character ends the line (LF or CR LF), or nothing is left.
    bool Eoln() const;

    int32_t ReadInt();
    double ReadReal();
    // The next character. At a line end it returns '\n' for both LF and CR LF and stays there,
    // so a following ReadLn finishes that same line; at the end of the file it fails.
    char ReadChar();
    // Skips the rest of the line and its line end; does nothing at the end of the file.
    void ReadLn();
    // The rest of the line without its line end, then moves to the next line. Empty at the end
    // of the file.
    std::string ReadLine();

    // Throws TFileError for the current line with the given description.
    [[noreturn]] void Fail(const std::string& what) const;
    // The same for an earlier line, when a problem shows only after the text that causes it.
    [[noreturn]] void FailAt(int line, const std::string& what) const;

private:
    TTextReader(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) {}

    // Skips blanks, tabs and line ends, then returns the run of characters up to the next
    // separator; fails at the end of the file.
    std::string NextToken(const char* expected);

    std::string name_;
    std::string text_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace veltrane
