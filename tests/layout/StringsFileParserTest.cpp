// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/StringsFileParser.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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

// Each text and the table it reads as.
TEST(StringsFileAccepts, EntriesCommentsAndEscapes) {
    const std::pair<std::string, StringTable> cases[] = {
        {"\"ovra.background.filename\" = \"background.png\";\n"
         "ovra.background.x = 0;\n"
         "ovra.tuningkey.0.y = 310.5;\n"
         "\"with space\" = bare_value-1;\n",
         {{"ovra.background.filename", "background.png"},
          {"ovra.background.x", "0"},
          {"ovra.tuningkey.0.y", "310.5"},
          {"with space", "bare_value-1"}}},
        // Every character a bare string may hold, a leading slash included.
        {"a_Z$/:.-09 = $ovra.key/x:y.z-_;", {{"a_Z$/:.-09", "$ovra.key/x:y.z-_"}}},
        {"/usr/share = /x;", {{"/usr/share", "/x"}}},
        // Both kinds of comment between every token.
        {"/* head\n comment */ a /**/ = // to the end\n"
         " /* x */ \"b\" /* y */ ; // last line without newline",
         {{"a", "b"}}},
        // Inside strings, quoted or bare, comment markers are text.
        {"url = \"http://example/*x*/\"; path = a//b;",
         {{"url", "http://example/*x*/"}, {"path", "a//b"}}},
        // Any other escaped character stands for itself.
        {R"(k = "q\"b\\n\nt\tr\ra\ab\bf\fv\v";)"
         "\nu = \"\\q\\/\\'\";",
         {{"k", "q\"b\\n\nt\tr\ra\ab\bf\fv\v"}, {"u", "q/'"}}},
        // Octal: three digits at most; above 0177 written out as UTF-8.
        {R"(a = "\101\102C"; b = "\1010"; c = "x\0y"; d = "\351";)",
         {{"a", "ABC"}, {"b", "A0"}, {"c", std::string("x\0y", 3)}, {"d", "\xC3\xA9"}}},
        // Unicode: surrogate pairs are joined; one to four hex digits; lone
        // surrogates become the replacement character.
        {R"(a = "\U0041"; b = "\U00e9"; c = "\u20AC"; )"
         R"(d = "\Ud83d\Ude00"; e = "\U41z"; f = "\U004142";)"
         R"(hi = "\Ud800x"; lo = "\Udc00"; two = "\Ud800\U0041";)",
         {{"a", "A"},
          {"b", "\xC3\xA9"},
          {"c", "\xE2\x82\xAC"},
          {"d", "\xF0\x9F\x98\x80"},
          {"e", "Az"},
          {"f", "A42"},
          {"hi", "\xEF\xBF\xBDx"},
          {"lo", "\xEF\xBF\xBD"},
          {"two", "\xEF\xBF\xBD"
                  "A"}}},
    };
    for (const auto& [text, table] : cases) {
        EXPECT_EQ(parsed(text), table) << text;
    }
}

TEST(StringsFileRefuses, MalformedText) {
    // clang-format off
    const std::string texts[] = {
        // unterminated strings and comments
        "a = \"no end;\n", "\"key", "a = \"ends in backslash\\", "a = b; /* never closed", "/* a = b;",
        // missing '=', ';', key or value
        "a b;", "a : b;", "a = b\nc = d;", "a = \"b\" c = d;", "a", "a = ;", "= b;", "a = b;;", "a = = b;",
        // characters outside the grammar, a bad unicode escape
        "{ a = b; }", "a = (1, 2);", "a = b#c;", "a = 'b';", R"(a = "\Uzz";)",
        // non-ASCII bytes anywhere, a byte-order mark too; binary bytes; no entries
        "/* caf\xC3\xA9 */ a = b;", "a = b; // \xFF", "\xEF\xBB\xBF a = b;", "a = \"\x01\";",
        "a = b;\x7F", "a = b;\x1B[0m", "/* only */ // comments\n"};
    // clang-format on
    for (const std::string& text : texts) {
        refusal(text);
    }
    // The reason and the line of the fault.
    const struct {
        std::string text, reason;
        size_t line;
    } reasons[] = {{"\"a\" \"b\";", "missing '=' or ';'", 1},
                   {"a = b;\nc = d;\ne = f\n\n", "missing ';'", 5},
                   {"a = b;\nc = \"caf\xC3\xA9\";", "non-ASCII byte", 2},
                   {std::string("a = \"x\0y\";", 10), "control byte", 1},
                   {"a = b;\n\"open = x;\n\n", "", 2},
                   {"a = b;\nc = d;\n/* open\n\n", "", 3},
                   {"", "empty file", 1},
                   {"  \n\t ", "no entries", 2}};
    for (const auto& c : reasons) {
        const StringsFileError error = refusal(c.text);
        EXPECT_TRUE(c.reason.empty() || error.reason == c.reason) << c.text << ": " << error.reason;
        EXPECT_EQ(error.line, c.line) << c.text;
    }
}

} // namespace
} // namespace ovra
