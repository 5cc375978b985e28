// SPDX-License-Identifier: GPL-3.0-or-later
// Layout text from anywhere (a skin, a damaged file) must never crash the
// reader: parse it, resolve every key with references, read numbers, and
// check that an accepted table survives being written out and read back.
#include "layout/LayoutKeys.hpp"
#include "layout/LayoutNumbers.hpp"
#include "layout/StringsFileParser.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "layout_fuzz: %s\n", what);
    std::abort();
}

// Decodes one UTF-8 sequence at `i`; -1 for invalid text.
int32_t nextCodePoint(const std::string& text, size_t& i) {
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    int length = 0;
    int32_t cp = 0;
    if (lead < 0x80) {
        length = 1;
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return -1;
    }
    if (i + static_cast<size_t>(length) > text.size()) {
        return -1;
    }
    for (int k = 1; k < length; ++k) {
        if ((byte(i + static_cast<size_t>(k)) & 0xC0) != 0x80) {
            return -1;
        }
        cp = (cp << 6) | (byte(i + static_cast<size_t>(k)) & 0x3F);
    }
    static const int32_t MINIMUM[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < MINIMUM[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return -1; // overlong, out of range or a surrogate
    }
    i += static_cast<size_t>(length);
    return cp;
}

void appendHex4(std::string& out, uint32_t value) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "\\U%04X", value & 0xFFFFu);
    out += digits;
}

// Writes a string as a quoted, pure-ASCII layout string.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    size_t i = 0;
    while (i < text.size()) {
        const int32_t cp = nextCodePoint(text, i);
        if (cp < 0) {
            finding("parser produced invalid UTF-8");
        }
        if (cp == '"' || cp == '\\') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp < 0x20 || cp == 0x7F) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned>(cp));
            out += octal;
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x10000) {
            appendHex4(out, static_cast<uint32_t>(cp));
        } else {
            const uint32_t v = static_cast<uint32_t>(cp) - 0x10000;
            appendHex4(out, 0xD800 + (v >> 10));
            appendHex4(out, 0xDC00 + (v & 0x3FF));
        }
    }
    return out + "\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ovra::StringsFileError error;
    const std::optional<ovra::StringTable> table = ovra::parseStringsFile(text, &error);

    // Numbers straight from arbitrary text.
    (void)ovra::parseLayoutFloat(text);
    (void)ovra::parseLayoutInt(text);

    if (!table) {
        if (error.reason.empty() || error.line < 1 || error.line > size + 1) {
            finding("refusal without a reason or with an impossible line");
        }
        return 0;
    }
    if (table->empty()) {
        finding("accepted text without entries");
    }

    std::string rewritten;
    size_t resolved = 0;
    for (const auto& [key, value] : *table) {
        if (resolved++ < 256) {
            const std::string* result = ovra::resolveLayoutValue(key, &*table);
            if (result == nullptr) {
                finding("present key resolved to nothing");
            }
            // The result is the end of a chain, a dangling reference, or the
            // value of the key itself (a cycle).
            if (!result->empty() && (*result)[0] == '$' && result != &value &&
                table->count(result->substr(1)) != 0) {
                finding("reference resolved to a value that still leads on");
            }
            (void)ovra::parseLayoutFloat(*result);
            (void)ovra::parseLayoutInt(*result);
            const std::string built = ovra::buildLayoutKey(
                "ovra", key.c_str(), static_cast<int32_t>(value.size()) - 2, nullptr, value);
            (void)ovra::resolveLayoutValue(built, &*table);
        }
        rewritten += quoted(key) + " = " + quoted(value) + ";\n";
    }

    const std::optional<ovra::StringTable> reread = ovra::parseStringsFile(rewritten);
    if (!reread || *reread != *table) {
        finding("table written out does not read back the same");
    }
    return 0;
}
