#include "platform/db/CaseFold.h"

#include <QChar>
#include <cstdint>
#include <cstring>

namespace db {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at p (n bytes left); sets len to the bytes used.
char32_t decode(const unsigned char* p, size_t n, size_t& len) {
    const unsigned char b = p[0];
    int extra;
    char32_t cp;
    char32_t min;
    if (b < 0xC2) { len = 1; return kReplacement; }   // continuation byte or overlong lead
    if (b < 0xE0) { extra = 1; cp = b & 0x1F; min = 0x80; }
    else if (b < 0xF0) { extra = 2; cp = b & 0x0F; min = 0x800; }
    else if (b < 0xF5) { extra = 3; cp = b & 0x07; min = 0x10000; }
    else { len = 1; return kReplacement; }
    if (size_t(extra) >= n) { len = 1; return kReplacement; }
    for (int i = 1; i <= extra; ++i) {
        if ((p[i] & 0xC0) != 0x80) { len = 1; return kReplacement; }
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    len = size_t(extra) + 1;
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

void encode(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

size_t FirstFoldable(const char* text, size_t size) {
    size_t i = 0;
    // Eight bytes at a time while they are all ASCII without a capital letter.
    constexpr uint64_t kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
    for (; i + 8 <= size; i += 8) {
        uint64_t w;
        std::memcpy(&w, text + i, 8);
        if (w & kHigh) break;
        // High bit of each byte set where the byte is >= 'A' and where it is > 'Z'.
        const uint64_t geA = (w + kOnes * (0x80 - 'A')) & kHigh;
        const uint64_t gtZ = (w + kOnes * (0x80 - 'Z' - 1)) & kHigh;
        if (geA & ~gtZ) break;
    }
    for (; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 || (c >= 'A' && c <= 'Z')) return i;
    }
    return size;
}

void FoldUtf8(const char* text, size_t size, std::string& out) {
    out.clear();
    size_t i = FirstFoldable(text, size);
    out.append(text, i);
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (i < size) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            out.push_back(c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : char(c));
            ++i;
            continue;
        }
        size_t len = 1;
        const char32_t cp = decode(p + i, size - i, len);
        encode(QChar::toCaseFolded(cp), out);
        i += len;
    }
}

}  // namespace db
