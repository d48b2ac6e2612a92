#include "platform/Cp932Codec.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <optional>
#include <stdexcept>
#include <vector>

namespace hakoniwa {
namespace {

// Private-use planes for bytes that no character of the code page gives back. The BMP's own
// private-use area is taken: the code page's user-defined characters live there.
constexpr char32_t kRawByteBase = 0xF0000;    // + a byte that is not part of a valid character
constexpr char32_t kExactCodeBase = 0x100000; // + a code whose character encodes to another code

constexpr char32_t kNoCharacter = 0;          // in the pair table: the two bytes make none
constexpr std::uint32_t kNoCode = 0xFFFFFFFF; // the code page cannot hold the character

// A code up to 0xFF is one byte; any other is a lead byte followed by a trail byte.
void appendCode(std::string& bytes, std::uint32_t code) {
    if (code > 0xFF)
        bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
}

void appendCharacter(QString& text, char32_t character) {
    if (QChar::requiresSurrogates(character)) {
        text += QChar(QChar::highSurrogate(character));
        text += QChar(QChar::lowSurrogate(character));
    } else {
        text += QChar(static_cast<char16_t>(character));
    }
}

std::string toUtf32le(char32_t character) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((character >> (8 * i)) & 0xFF);
    return bytes;
}

std::vector<char32_t> fromUtf32le(const std::string& bytes) {
    std::vector<char32_t> characters;
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        char32_t character = 0;
        for (int k = 3; k >= 0; --k)
            character = character << 8 | static_cast<unsigned char>(bytes[i + k]);
        characters.push_back(character);
    }
    return characters;
}

// One iconv converter, used only while the tables are built.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The whole input converted, or nothing when it is invalid, cut short or unconvertible;
    // `cutShort` tells the case of a multi-byte sequence missing its end.
    std::optional<std::string> convert(const std::string& input, bool* cutShort = nullptr) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string out(32, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        const bool converted =
            iconv(handle_, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        if (cutShort)
            *cutShort = !converted && errno == EINVAL;
        if (!converted)
            return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t handle_;
};

// Both directions as tables, built once through iconv: decoding and encoding then cost one
// look-up per character.
class Tables {
public:
    Tables() {
        Converter toCp932("CP932", "UTF-32LE");
        for (char32_t character = 0; character < 0x10000; ++character) {
            const std::optional<std::string> bytes = toCp932.convert(toUtf32le(character));
            if (bytes && bytes->size() == 1)
                bmpCodes_[character] = static_cast<unsigned char>((*bytes)[0]);
            else if (bytes && bytes->size() == 2)
                bmpCodes_[character] = static_cast<unsigned char>((*bytes)[0]) << 8 |
                                       static_cast<unsigned char>((*bytes)[1]);
        }
        Converter fromCp932("UTF-32LE", "CP932");
        for (std::uint32_t byte = 0; byte < 0x100; ++byte) {
            bool leadByte = false;
            const auto decoded =
                fromCp932.convert(std::string(1, static_cast<char>(byte)), &leadByte);
            singles_[byte] = decoded ? exactCharacter(*decoded, byte) : kRawByteBase + byte;
            if (!leadByte)
                continue;
            for (std::uint32_t trail = 0; trail < 0x100; ++trail) {
                const std::string pair{static_cast<char>(byte), static_cast<char>(trail)};
                if (const auto character = fromCp932.convert(pair))
                    pairs_[byte << 8 | trail] = exactCharacter(*character, byte << 8 | trail);
            }
        }
    }

    char32_t single(unsigned char byte) const { return singles_[byte]; }
    char32_t pair(unsigned char lead, unsigned char trail) const {
        return pairs_[lead << 8 | trail];
    }

    // The code a character encodes to; our private-use characters only as decode gives them.
    std::uint32_t codeOf(char32_t character) const {
        if (character < 0x10000)
            return bmpCodes_[character];
        std::uint32_t code = kNoCode;
        if (character >= kRawByteBase && character <= kRawByteBase + 0xFF)
            code = character - kRawByteBase;
        else if (character >= kExactCodeBase && character <= kExactCodeBase + 0xFFFF)
            code = character - kExactCodeBase;
        if (code == kNoCode)
            return kNoCode;
        return (code > 0xFF ? pairs_[code] : singles_[code]) == character ? code : kNoCode;
    }

private:
    // The decoded character if it encodes back to `code`, otherwise one of ours that does.
    char32_t exactCharacter(const std::string& utf32, std::uint32_t code) const {
        const std::vector<char32_t> characters = fromUtf32le(utf32);
        if (characters.size() == 1 && characters[0] < 0x10000 && bmpCodes_[characters[0]] == code)
            return characters[0];
        return kExactCodeBase + code;
    }

    std::array<char32_t, 0x100> singles_{};
    std::vector<char32_t> pairs_ = std::vector<char32_t>(0x10000, kNoCharacter);
    std::vector<std::uint32_t> bmpCodes_ = std::vector<std::uint32_t>(0x10000, kNoCode);
};

const Tables& tables() {
    static const Tables built;
    return built;
}

} // namespace

QString Cp932Codec::decode(std::string_view bytes) {
    const Tables& table = tables();
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        char32_t character = kNoCharacter;
        if (i + 1 < bytes.size())
            character = table.pair(first, static_cast<unsigned char>(bytes[i + 1]));
        if (character != kNoCharacter) {
            i += 2;
        } else {
            character = table.single(first);
            ++i;
        }
        appendCharacter(text, character);
    }
    return text;
}

std::string Cp932Codec::encode(const QString& text, bool* lossy) {
    const Tables& table = tables();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    bool replaced = false;
    bool rawBytes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const std::uint32_t code = table.codeOf(character);
        if (code == kNoCode) {
            bytes += '?';
            replaced = true;
            continue;
        }
        rawBytes = rawBytes || (character >= kRawByteBase && character <= kRawByteBase + 0xFF);
        appendCode(bytes, code);
    }
    if (lossy) {
        // A lone lead byte the user placed before a trail byte reads back as one character.
        *lossy = replaced || (rawBytes && decode(bytes) != text);
    }
    return bytes;
}

} // namespace hakoniwa
