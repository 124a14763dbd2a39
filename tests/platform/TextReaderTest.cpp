#include "platform/TextReader.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace veltrane {
namespace {

TTextReader Text(const std::string& text) {
    return TTextReader::FromText("data/Test.dat", text);
}

// The message of the TFileError that f throws, or "" when it throws none.
template <class F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const TFileError& e) {
        return e.what();
    }
    return "";
}

TEST(TextReader, NumbersSkipBlanksTabsAndLineEnds) {
    auto r = Text("  12\t-7\n\n\t+3 \r\n 2147483647 -2147483648\n0");
    EXPECT_EQ(r.ReadInt(), 12);
    EXPECT_EQ(r.ReadInt(), -7);
    EXPECT_EQ(r.ReadInt(), 3);
    EXPECT_EQ(r.Line(), 3);
    EXPECT_EQ(r.ReadInt(), 2147483647);
    EXPECT_EQ(r.ReadInt(), -2147483648);
    EXPECT_EQ(r.ReadInt(), 0); // a number may end the file
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(r.Line(), 5);
}

TEST(TextReader, ANumberMustEndAtASeparator) {
    auto r = Text("1\n2\n12abc 4\n");
    r.ReadInt();
    r.ReadInt();
    EXPECT_EQ(ErrorOf([&] { r.ReadInt(); }), "data/Test.dat line 3: number expected, found \"12abc\"");
    EXPECT_EQ(ErrorOf([&] { Text("5,6").ReadInt(); }),
              "data/Test.dat line 1: number expected, found \"5,6\"");
    EXPECT_NE(ErrorOf([&] { Text("-").ReadInt(); }), "");
    EXPECT_NE(ErrorOf([&] { Text("+-3").ReadInt(); }), "");
    EXPECT_NE(ErrorOf([&] { Text("1.5").ReadInt(); }), "");
    EXPECT_NE(ErrorOf([&] { Text("$10").ReadInt(); }), "");
    EXPECT_NE(ErrorOf([&] { Text(std::string("7\0", 2)).ReadInt(); }), "");
}

TEST(TextReader, IntegersOutsideThirtyTwoBitsFail) {
    EXPECT_EQ(ErrorOf([] { Text("\n2147483648").ReadInt(); }),
              "data/Test.dat line 2: number out of range: \"2147483648\"");
    EXPECT_NE(ErrorOf([] { Text("-2147483649").ReadInt(); }), "");
    EXPECT_NE(ErrorOf([] { Text("99999999999999999999999").ReadInt(); }), "");
}

TEST(TextReader, RealsTakeFractionsAndExponents) {
    auto r = Text("1.5 -2.5e3\t+4E-2\n.5 5. 400 1e2 -0.0");
    EXPECT_DOUBLE_EQ(r.ReadReal(), 1.5);
    EXPECT_DOUBLE_EQ(r.ReadReal(), -2500.0);
    EXPECT_DOUBLE_EQ(r.ReadReal(), 0.04);
    EXPECT_DOUBLE_EQ(r.ReadReal(), 0.5);
    EXPECT_DOUBLE_EQ(r.ReadReal(), 5.0);
    EXPECT_DOUBLE_EQ(r.ReadReal(), 400.0);
    EXPECT_DOUBLE_EQ(r.ReadReal(), 100.0);
    EXPECT_DOUBLE_EQ(r.ReadReal(), 0.0);
    // The saved-game form: sign position, 14 decimals, four exponent digits.
    EXPECT_DOUBLE_EQ(Text(" 1.23450000000000E+0003").ReadReal(), 1234.5);
}

TEST(TextReader, MalformedRealsFail) {
    for (const char* bad :
         {"1e", "1e+", "1.2.3", ".", "-", "e5", "1,5", "nan", "inf", "0x10", "2.5x", "1e5e"})
        EXPECT_NE(ErrorOf([&] { Text(bad).ReadReal(); }), "") << bad;
    EXPECT_EQ(ErrorOf([] { Text("1e999").ReadReal(); }),
              "data/Test.dat line 1: number out of range: \"1e999\"");
}

TEST(TextReader, ReadingPastTheEndFails) {
    auto r = Text("7 \r\n \t\r\n");
    r.ReadInt();
    EXPECT_EQ(ErrorOf([&] { r.ReadInt(); }),
              "data/Test.dat line 3: number expected, found the end of the file");
    EXPECT_NE(ErrorOf([] { Text("").ReadReal(); }), "");
    EXPECT_EQ(ErrorOf([] { Text("").ReadChar(); }),
              "data/Test.dat line 1: character expected, found the end of the file");
}

TEST(TextReader, ReadLnSkipsTheRestOfTheLineForLfAndCrLf) {
    auto r = Text("1 trailing words\r\nskipped line\n2\r\n\r\n3");
    EXPECT_EQ(r.ReadInt(), 1);
    r.ReadLn();
    EXPECT_EQ(r.Line(), 2);
    r.ReadLn();
    EXPECT_EQ(r.ReadInt(), 2);
    r.ReadLn();
    r.ReadLn();
    EXPECT_EQ(r.Line(), 5);
    EXPECT_EQ(r.ReadInt(), 3);
    r.ReadLn(); // at the end: nothing happens
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(r.Line(), 5);
}

TEST(TextReader, ReadCharTakesTheVeryNextCharacter) {
    auto r = Text(" 1x\r\n\r\n0110\n\n");
    EXPECT_EQ(r.ReadChar(), ' '); // nothing skipped at a line start
    EXPECT_EQ(r.ReadChar(), '1');
    EXPECT_EQ(r.ReadChar(), 'x');
    // At a line end: '\n', for CR LF as for LF, and the reader stays on the line.
    EXPECT_TRUE(r.Eoln());
    EXPECT_EQ(r.ReadChar(), '\n');
    EXPECT_EQ(r.ReadChar(), '\n');
    EXPECT_EQ(r.Line(), 1);
    r.ReadLn();
    // An empty line: the line end is returned and ReadLn finishes that same line.
    EXPECT_EQ(r.ReadChar(), '\n');
    r.ReadLn();
    EXPECT_EQ(r.Line(), 3);
    std::string grid;
    for (int i = 0; i < 4; ++i) grid += r.ReadChar();
    EXPECT_EQ(grid, "0110");
    r.ReadLn();
    EXPECT_EQ(r.ReadChar(), '\n');
    r.ReadLn();
    EXPECT_TRUE(r.Eof());
    EXPECT_NE(ErrorOf([&] { r.ReadChar(); }), "");
}

TEST(TextReader, ReadLineGivesTheRestOfTheLineWithoutItsEnd) {
    auto r = Text("Title one\r\n  indented\t x \n\nlast");
    EXPECT_EQ(r.ReadChar(), 'T');
    EXPECT_EQ(r.ReadLine(), "itle one");
    EXPECT_EQ(r.ReadLine(), "  indented\t x ");
    EXPECT_EQ(r.ReadLine(), "");
    EXPECT_EQ(r.ReadLine(), "last");
    EXPECT_TRUE(r.Eof());
    EXPECT_EQ(r.ReadLine(), "");
    // A lone CR is an ordinary character in a line.
    EXPECT_EQ(Text("a\rb\n").ReadLine(), "a\rb");
}

TEST(TextReader, FailNamesTheCurrentLine) {
    auto r = Text("1\n2\n");
    r.ReadInt();
    r.ReadLn();
    EXPECT_EQ(ErrorOf([&] { r.Fail("level count out of range"); }),
              "data/Test.dat line 2: level count out of range");
}

TEST(TextReader, OpensFilesThroughTheResolverAndReportsMissingOnes) {
    TempDir dir;
    CurrentDir here(dir.path());
    std::filesystem::create_directories("Data");
    std::ofstream("Data/Levels.DAT", std::ios::binary) << "50 levels\r\n3";
    auto r = TTextReader::OpenFile("data\\levels.dat");
    EXPECT_EQ(r.Name(), "data\\levels.dat");
    EXPECT_EQ(r.ReadInt(), 50);
    r.ReadLn();
    EXPECT_EQ(r.ReadInt(), 3);

    const std::string missing = ErrorOf([] { TTextReader::OpenFile("data/Nothing.dat"); });
    EXPECT_EQ(missing.rfind("data/Nothing.dat: cannot open file", 0), 0u) << missing;
}

} // namespace
} // namespace veltrane
