// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/StringsFileParser.hpp"

#include <algorithm>
#include <cstdint>

namespace ovra {

namespace {

bool isSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Printable 7-bit ASCII plus whitespace; anything else marks a text that is
// not a layout file (binary data, another encoding).
bool isTextByte(unsigned char c) {
    return (c >= 0x20 && c < 0x7f) || isSpace(c);
}

bool isBareChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '/' || c == ':' || c == '.' || c == '-';
}

int hexDigitValue(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : myText(text) {}

    std::optional<StringTable> parse(StringsFileError* error) {
        std::optional<StringTable> table = parseEntries();
        if (!table && error != nullptr) {
            error->line = 1 + static_cast<size_t>(
                                  std::count(myText.begin(), myText.begin() + myErrorPos, '\n'));
            error->reason = myErrorReason;
        }
        return table;
    }

private:
    std::optional<StringTable> parseEntries() {
        if (myText.empty()) {
            return fail("empty file");
        }
        for (size_t i = 0; i < myText.size(); ++i) {
            if (!isTextByte(static_cast<unsigned char>(myText[i]))) {
                myPos = i;
                return fail(static_cast<unsigned char>(myText[i]) >= 0x80 ? "non-ASCII byte"
                                                                          : "control byte");
            }
        }

        StringTable table;
        size_t entries = 0;
        std::string key;
        std::string value;
        if (!skipSpaceAndComments()) {
            return std::nullopt;
        }
        while (!atEnd()) {
            if (!readString(key, "expected a key")) {
                return std::nullopt;
            }
            if (!skipSpaceAndComments()) {
                return std::nullopt;
            }
            if (!atEnd() && peek() == ';') {
                value = key; // a lone key stands for itself
            } else if (!atEnd() && peek() == '=') {
                ++myPos;
                if (!skipSpaceAndComments() || !readString(value, "expected a value") ||
                    !skipSpaceAndComments()) {
                    return std::nullopt;
                }
                if (atEnd() || peek() != ';') {
                    return fail("missing ';'");
                }
            } else {
                return fail("missing '=' or ';'");
            }
            ++myPos; // the ';'
            table.insert_or_assign(std::move(key), std::move(value));
            key.clear();
            value.clear();
            ++entries;
            if (!skipSpaceAndComments()) {
                return std::nullopt;
            }
        }
        if (entries == 0) {
            return fail("no entries");
        }
        return table;
    }

    bool atEnd() const { return myPos >= myText.size(); }
    unsigned char peek() const { return static_cast<unsigned char>(myText[myPos]); }

    std::nullopt_t fail(const char* reason) {
        if (myErrorReason.empty()) {
            myErrorReason = reason;
            myErrorPos = std::min(myPos, myText.size());
        }
        return std::nullopt;
    }

    bool skipSpaceAndComments() {
        while (!atEnd()) {
            const unsigned char c = peek();
            if (isSpace(c)) {
                ++myPos;
            } else if (c == '/' && myPos + 1 < myText.size() && myText[myPos + 1] == '*') {
                const size_t end = myText.find("*/", myPos + 2);
                if (end == std::string_view::npos) {
                    fail("unterminated comment");
                    return false;
                }
                myPos = end + 2;
            } else if (c == '/' && myPos + 1 < myText.size() && myText[myPos + 1] == '/') {
                const size_t end = myText.find('\n', myPos + 2);
                myPos = (end == std::string_view::npos) ? myText.size() : end + 1;
            } else {
                break;
            }
        }
        return true;
    }

    bool readString(std::string& out, const char* missing) {
        out.clear();
        if (atEnd()) {
            fail(missing);
            return false;
        }
        if (peek() == '"') {
            return readQuoted(out);
        }
        const size_t start = myPos;
        while (!atEnd() && isBareChar(peek())) {
            ++myPos;
        }
        if (myPos == start) {
            fail(missing);
            return false;
        }
        out.assign(myText.substr(start, myPos - start));
        return true;
    }

    bool readQuoted(std::string& out) {
        const size_t open = myPos;
        ++myPos;
        while (true) {
            // Copy the run of plain characters at once.
            const size_t stop = myText.find_first_of("\"\\", myPos);
            if (stop == std::string_view::npos) {
                myPos = open;
                fail("unterminated string");
                return false;
            }
            out.append(myText.substr(myPos, stop - myPos));
            myPos = stop;
            if (peek() == '"') {
                ++myPos;
                return true;
            }
            ++myPos; // the backslash
            if (atEnd()) {
                myPos = open;
                fail("unterminated string");
                return false;
            }
            if (!readEscape(out)) {
                return false;
            }
        }
    }

    // After a backslash: one escape sequence.
    bool readEscape(std::string& out) {
        const unsigned char c = peek();
        ++myPos;
        switch (c) {
        case 'n':
            out.push_back('\n');
            return true;
        case 't':
            out.push_back('\t');
            return true;
        case 'r':
            out.push_back('\r');
            return true;
        case 'a':
            out.push_back('\a');
            return true;
        case 'b':
            out.push_back('\b');
            return true;
        case 'f':
            out.push_back('\f');
            return true;
        case 'v':
            out.push_back('\v');
            return true;
        case 'U':
        case 'u':
            return readUnicodeEscape(out);
        default:
            break;
        }
        if (c >= '0' && c <= '7') {
            uint32_t value = c - '0';
            for (int n = 1; n < 3 && !atEnd() && peek() >= '0' && peek() <= '7'; ++n) {
                value = value * 8 + (peek() - '0');
                ++myPos;
            }
            appendUtf8(out, value); // above 0177 read as a Latin-1 code point
            return true;
        }
        out.push_back(static_cast<char>(c)); // \" \\ and any other: the character itself
        return true;
    }

    // Up to four hex digits; at least one.
    bool readHex4(uint32_t& value) {
        value = 0;
        int digits = 0;
        while (digits < 4 && !atEnd() && hexDigitValue(peek()) >= 0) {
            value = value * 16 + static_cast<uint32_t>(hexDigitValue(peek()));
            ++myPos;
            ++digits;
        }
        return digits > 0;
    }

    bool readUnicodeEscape(std::string& out) {
        uint32_t cp = 0;
        if (!readHex4(cp)) {
            fail("bad \\U escape");
            return false;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            // A high surrogate pairs with an immediately following \Udc00..\Udfff.
            const size_t save = myPos;
            uint32_t low = 0;
            if (myPos + 1 < myText.size() && myText[myPos] == '\\' &&
                (myText[myPos + 1] == 'U' || myText[myPos + 1] == 'u')) {
                myPos += 2;
                if (readHex4(low) && low >= 0xDC00 && low <= 0xDFFF) {
                    appendUtf8(out, 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00));
                    return true;
                }
            }
            myPos = save;
            cp = 0xFFFD;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            cp = 0xFFFD; // a lone low surrogate is no character
        }
        appendUtf8(out, cp);
        return true;
    }

    std::string_view myText;
    size_t myPos = 0;
    size_t myErrorPos = 0;
    std::string myErrorReason;
};

} // namespace

std::optional<StringTable> parseStringsFile(std::string_view text, StringsFileError* error) {
    return Parser(text).parse(error);
}

} // namespace ovra
