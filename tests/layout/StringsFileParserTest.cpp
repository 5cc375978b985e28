#include "layout/StringsFileParser.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace ovra {
namespace {

StringTable parsed(std::string_view text) {
    std::optional<StringTable> table = parseStringsFile(text);
    EXPECT_TRUE(table.has_value()) << "refused: " << text;
    return table.value_or(StringTable{});
}

StringsFileError refusal(std::string_view text) {
    StringsFileError error;
    EXPECT_FALSE(parseStringsFile(text, &error).has_value()) << "accepted: " << text;
    EXPECT_FALSE(error.reason.empty());
    return error;
}

TEST(StringsFileAccepts, QuotedAndBareEntries) {
    const StringTable table = parsed("\"ovra.background.filename\" = \"background.png\";\n"
                                     "ovra.background.x = 0;\n"
                                     "ovra.tuningkey.0.y = 310.5;\n"
                                     "\"with space\" = bare_value-1;\n");
    EXPECT_EQ(table.size(), 4u);
    EXPECT_EQ(table.at("ovra.background.filename"), "background.png");
    EXPECT_EQ(table.at("ovra.background.x"), "0");
    EXPECT_EQ(table.at("ovra.tuningkey.0.y"), "310.5");
    EXPECT_EQ(table.at("with space"), "bare_value-1");
}

TEST(StringsFileAccepts, BareStringsTakeEveryAllowedCharacter) {
    const StringTable table = parsed("a_Z$/:.-09 = $ovra.key/x:y.z-_;");
    EXPECT_EQ(table.at("a_Z$/:.-09"), "$ovra.key/x:y.z-_");
}

TEST(StringsFileAccepts, WhitespaceAnywhereOrNowhereBetweenTokens) {
    const StringTable none = parsed("a=b;c=\"d\";\"e\"=f;");
    EXPECT_EQ(none.at("a"), "b");
    EXPECT_EQ(none.at("c"), "d");
    EXPECT_EQ(none.at("e"), "f");
    const StringTable lots = parsed("\n\t  a \r\n = \f\v b \n\n ; \t\n");
    EXPECT_EQ(lots.at("a"), "b");
}

TEST(StringsFileAccepts, LoneKeyIsItsOwnValue) {
    const StringTable table = parsed("\"lone key\";\nbare ;\nx = 1;");
    EXPECT_EQ(table.at("lone key"), "lone key");
    EXPECT_EQ(table.at("bare"), "bare");
    EXPECT_EQ(table.at("x"), "1");
}

TEST(StringsFileAccepts, CommentsOfBothKindsBetweenEveryToken) {
    const StringTable table = parsed("/* head\n comment */ a /**/ = // to the end\n"
                                     " /* x */ \"b\" /* y */ ; // last line without newline");
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.at("a"), "b");
}

TEST(StringsFileAccepts, CommentMarkersInsideStringsAreText) {
    const StringTable table = parsed("url = \"http://example/*x*/\"; path = a//b;");
    EXPECT_EQ(table.at("url"), "http://example/*x*/");
    // Inside a bare string a slash is a character; comments start only between tokens.
    EXPECT_EQ(table.at("path"), "a//b");
}

TEST(StringsFileAccepts, BareStringStartingWithSlash) {
    const StringTable table = parsed("/usr/share = /x;");
    EXPECT_EQ(table.at("/usr/share"), "/x");
}

TEST(StringsFileAccepts, EmptyQuotedStrings) {
    const StringTable table = parsed("\"\" = \"\"; k = \"\";");
    EXPECT_EQ(table.at(""), "");
    EXPECT_EQ(table.at("k"), "");
}

TEST(StringsFileAccepts, SimpleEscapes) {
    const StringTable table = parsed(R"(k = "q\"b\\n\nt\tr\ra\ab\bf\fv\v";)"
                                     "\nu = \"\\q\\/\\'\";");
    EXPECT_EQ(table.at("k"), std::string("q\"b\\n\nt\tr\ra\ab\bf\fv\v"));
    // Any other escaped character stands for itself.
    EXPECT_EQ(table.at("u"), "q/'");
}

TEST(StringsFileAccepts, OctalEscapes) {
    const StringTable table = parsed(R"(a = "\101\102C"; b = "\1010"; c = "x\0y"; d = "\351";)");
    EXPECT_EQ(table.at("a"), "ABC");
    EXPECT_EQ(table.at("b"), "A0"); // three digits at most
    EXPECT_EQ(table.at("c"), std::string("x\0y", 3));
    EXPECT_EQ(table.at("d"), "\xC3\xA9"); // above 0177: written out as UTF-8
}

TEST(StringsFileAccepts, UnicodeEscapesBecomeUtf8) {
    const StringTable table = parsed(R"(a = "\U0041"; b = "\U00e9"; c = "\u20AC"; )"
                                     R"(d = "\Ud83d\Ude00"; e = "\U41z"; f = "\U004142";)");
    EXPECT_EQ(table.at("a"), "A");
    EXPECT_EQ(table.at("b"), "\xC3\xA9");
    EXPECT_EQ(table.at("c"), "\xE2\x82\xAC");
    EXPECT_EQ(table.at("d"), "\xF0\x9F\x98\x80"); // surrogate pair joined
    EXPECT_EQ(table.at("e"), "Az");               // fewer than four digits
    EXPECT_EQ(table.at("f"), "A42");              // at most four digits
}

TEST(StringsFileAccepts, LoneSurrogatesBecomeReplacementCharacter) {
    const StringTable table = parsed(R"(hi = "\Ud800x"; lo = "\Udc00"; two = "\Ud800\U0041";)");
    EXPECT_EQ(table.at("hi"), "\xEF\xBF\xBDx");
    EXPECT_EQ(table.at("lo"), "\xEF\xBF\xBD");
    EXPECT_EQ(table.at("two"), "\xEF\xBF\xBD"
                               "A");
}

TEST(StringsFileAccepts, NewlinesInsideQuotedStrings) {
    const StringTable table = parsed("k = \"two\nlines\";");
    EXPECT_EQ(table.at("k"), "two\nlines");
}

TEST(StringsFileAccepts, LastDuplicateKeyWins) {
    const StringTable table = parsed("k = first; other = 1; \"k\" = \"second\";");
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table.at("k"), "second");
}

TEST(StringsFileAccepts, ManyEntriesAndLongStrings) {
    std::string text;
    for (int i = 0; i < 200000; ++i) {
        text += "item." + std::to_string(i) + " = " + std::to_string(i * 3) + ";\n";
    }
    const std::string longValue(5'000'000, 'v');
    text += "long = \"" + longValue + "\";";
    const StringTable table = parsed(text);
    EXPECT_EQ(table.size(), 200001u);
    EXPECT_EQ(table.at("item.199999"), "599997");
    EXPECT_EQ(table.at("long"), longValue);
}

TEST(StringsFileRefuses, UnterminatedString) {
    refusal("a = \"no end;\n");
    refusal("\"key");
    refusal("a = \"ends in backslash\\");
}

TEST(StringsFileRefuses, UnterminatedComment) {
    refusal("a = b; /* never closed");
    refusal("/* a = b;");
}

TEST(StringsFileRefuses, MissingEquals) {
    EXPECT_EQ(refusal("\"a\" \"b\";").reason, "missing '=' or ';'");
    refusal("a b;");
    refusal("a : b;");
}

TEST(StringsFileRefuses, MissingSemicolon) {
    EXPECT_EQ(refusal("a = b").reason, "missing ';'");
    refusal("a = b\nc = d;");
    refusal("a = \"b\" c = d;");
    refusal("a");
}

TEST(StringsFileRefuses, MissingKeyOrValue) {
    refusal("a = ;");
    refusal("= b;");
    refusal("a = b;;");
    refusal("a = = b;");
}

TEST(StringsFileRefuses, CharactersOutsideTheGrammar) {
    refusal("{ a = b; }");
    refusal("a = (1, 2);");
    refusal("a = b#c;");
    refusal("a = 'b';");
}

TEST(StringsFileRefuses, BadUnicodeEscape) {
    refusal(R"(a = "\Uzz";)");
}

TEST(StringsFileRefuses, NonAsciiBytesAnywhere) {
    EXPECT_EQ(refusal("a = \"caf\xC3\xA9\";").reason, "non-ASCII byte");
    refusal("/* caf\xC3\xA9 */ a = b;");
    refusal("a = b; // \xFF");
    refusal("\xEF\xBB\xBF a = b;"); // a byte-order mark
}

TEST(StringsFileRefuses, BinaryBytes) {
    EXPECT_EQ(refusal(std::string("a = \"x\0y\";", 10)).reason, "control byte");
    refusal("a = \"\x01\";");
    refusal("a = b;\x7F");
    refusal("a = b;\x1B[0m");
}

TEST(StringsFileRefuses, TextWithoutEntries) {
    EXPECT_EQ(refusal("").reason, "empty file");
    EXPECT_EQ(refusal("  \n\t ").reason, "no entries");
    refusal("/* only */ // comments\n");
}

TEST(StringsFileRefuses, ReportsTheLineOfTheFault) {
    EXPECT_EQ(refusal("a = b;\nc = d;\ne = f\n\n").line, 5u);
    EXPECT_EQ(refusal("a = b;\n\"open = x;\n\n").line, 2u);
    EXPECT_EQ(refusal("a = b;\nc = d;\n/* open\n\n").line, 3u);
    EXPECT_EQ(refusal("a = b;\nc = \xC3\xA9;").line, 2u);
}

TEST(StringsFileRefuses, RandomBytes) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text(10 * 1024 * 1024, '\0');
    for (char& c : text) {
        c = static_cast<char>(byte(random));
    }
    refusal(text);
}

TEST(StringsFileRefuses, RandomPrintableTextIsRefusedWithoutCrashing) {
    // Mostly malformed, sometimes valid: never more than a table or nothing.
    std::mt19937 random(7);
    const std::string alphabet = "ab=;\"\\/* \n$.U0";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string text(1 + round % 40, ' ');
        for (char& c : text) {
            c = alphabet[pick(random)];
        }
        StringsFileError error;
        const std::optional<StringTable> table = parseStringsFile(text, &error);
        if (table) {
            EXPECT_FALSE(table->empty());
            ++accepted;
        } else {
            EXPECT_GE(error.line, 1u);
        }
    }
    EXPECT_LT(accepted, 2000);
}

} // namespace
} // namespace ovra
