#include "model/Cp932.h"

#include "model/Cp932Tables.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace hakoniwa::cp932 {
namespace {

constexpr std::uint32_t kNoCode = 0xFFFFFFFF;

char32_t pairOf(unsigned char lead, unsigned char trail) {
    const int row = kRowOfLead[lead];
    if (row < 0 || trail < kFirstTrail || trail >= kFirstTrail + kTrailCount)
        return 0;
    return kPairs[row][trail - kFirstTrail];
}

char32_t decodedCode(std::uint32_t code) {
    return code > 0xFF ? pairOf(code >> 8, code & 0xFF) : kSingles[code];
}

// The encoding direction, built once from the decoding tables: each character a code decodes
// to encodes to that code.
struct Encoding {
    std::vector<std::uint32_t> bmpCodes = std::vector<std::uint32_t>(0x10000, kNoCode);
    std::unordered_map<std::uint32_t, char32_t> shown;

    Encoding() {
        for (std::uint32_t byte = 0; byte < 0x100; ++byte)
            if (kSingles[byte] < 0x10000)
                bmpCodes[kSingles[byte]] = byte;
        for (std::uint32_t lead = 0; lead < 0x100; ++lead)
            for (int t = 0; kRowOfLead[lead] >= 0 && t < kTrailCount; ++t)
                if (const char32_t c = kPairs[kRowOfLead[lead]][t]; c && c < 0x10000)
                    bmpCodes[c] = lead << 8 | (kFirstTrail + t);
        for (int i = 0; i < kEncodeOnlyCount; ++i)
            bmpCodes[kEncodeOnly[i].character] = kEncodeOnly[i].code;
        for (int i = 0; i < kShownCount; ++i)
            shown[kShown[i].code] = kShown[i].character;
    }

    // Our private-use characters only as decode gives them.
    std::uint32_t codeOf(char32_t character) const {
        if (character < 0x10000)
            return bmpCodes[character];
        std::uint32_t code = kNoCode;
        if (character >= kRawByteBase && character <= kRawByteBase + 0xFF)
            code = character - kRawByteBase;
        else if (character >= kExactCodeBase && character <= kExactCodeBase + 0xFFFF)
            code = character - kExactCodeBase;
        return code != kNoCode && decodedCode(code) == character ? code : kNoCode;
    }
};

const Encoding& encoding() {
    static const Encoding built;
    return built;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::u32string decode(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        char32_t character = 0;
        if (i + 1 < bytes.size())
            character = pairOf(first, static_cast<unsigned char>(bytes[i + 1]));
        if (character) {
            i += 2;
        } else {
            character = kSingles[first];
            ++i;
        }
        text += character;
    }
    return text;
}

std::string encode(std::u32string_view text, bool* lossy) {
    const Encoding& table = encoding();
    std::string bytes;
    bytes.reserve(text.size());
    bool replaced = false, rawBytes = false;
    for (const char32_t character : text) {
        const std::uint32_t code = table.codeOf(character);
        if (code == kNoCode) {
            bytes += '?';
            replaced = true;
            continue;
        }
        rawBytes = rawBytes || (character >= kRawByteBase && character <= kRawByteBase + 0xFF);
        if (code > 0xFF)
            bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
    }
    // A lone lead byte placed before a trail byte reads back as one character.
    if (lossy)
        *lossy = replaced || (rawBytes && decode(bytes) != text);
    return bytes;
}

char32_t shown(char32_t decoded) {
    if (decoded >= kExactCodeBase && decoded <= kExactCodeBase + 0xFFFF) {
        const auto& shownCodes = encoding().shown;
        const auto found = shownCodes.find(decoded - kExactCodeBase);
        return found != shownCodes.end() ? found->second : U'\uFFFD';
    }
    if (decoded >= kRawByteBase && decoded <= kRawByteBase + 0xFF)
        return U'\uFFFD';
    return decoded;
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (const char32_t c : text)
        appendUtf8(out, c > 0x10FFFF || (c >= 0xD800 && c < 0xE000) ? U'\uFFFD' : c);
    return out;
}

std::u32string fromUtf8(std::string_view utf8, char32_t invalid) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                           : lead >= 0xE0                ? 3
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                                                         : 0;
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        bool valid = length > 0 && i + length <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = c << 6 | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && c >= kSmallest[length] && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
        out += valid ? c : invalid;
        i += valid ? length : 1;
    }
    return out;
}

} // namespace hakoniwa::cp932
