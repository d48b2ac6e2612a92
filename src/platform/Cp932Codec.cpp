#include "platform/Cp932Codec.h"

#include "model/TextOps.h"

#include <QList>
#include <iconv.h>
#include <stdexcept>

namespace hakoniwa {
namespace {

// One converter per direction, opened once; the program has a single thread.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }

    // Converts the whole input; false when any byte sequence is invalid or unconvertible.
    bool convert(const char* data, std::size_t size, std::string& out) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        out.resize(size * 4 + 8);
        char* in = const_cast<char*>(data);
        std::size_t inLeft = size;
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        if (iconv(handle_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return false;
        out.resize(out.size() - outLeft);
        return true;
    }

private:
    iconv_t handle_;
};

Converter& toUtf8() {
    static Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& fromUtf8() {
    static Converter converter("CP932", "UTF-8");
    return converter;
}

} // namespace

QString Cp932Codec::decode(const std::string& bytes) {
    std::string utf8;
    if (toUtf8().convert(bytes.data(), bytes.size(), utf8))
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    // Slow path: character by character, so one bad byte costs one replacement character.
    QString result;
    std::string piece;
    for (std::size_t i = 0; i < bytes.size();) {
        const bool wide = isLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size();
        const std::size_t length = wide ? 2 : 1;
        if (toUtf8().convert(bytes.data() + i, length, piece)) {
            result += QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size()));
            i += length;
        } else {
            result += QChar(0xFFFD);
            ++i;
        }
    }
    return result;
}

std::string Cp932Codec::encode(const QString& text, bool* lossy) {
    if (lossy)
        *lossy = false;
    const QByteArray utf8 = text.toUtf8();
    std::string bytes;
    if (fromUtf8().convert(utf8.constData(), static_cast<std::size_t>(utf8.size()), bytes))
        return bytes;
    std::string result;
    std::string piece;
    for (const uint codePoint : text.toUcs4()) {
        const QByteArray one =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1).toUtf8();
        if (fromUtf8().convert(one.constData(), static_cast<std::size_t>(one.size()), piece)) {
            result += piece;
        } else {
            result += '?';
            if (lossy)
                *lossy = true;
        }
    }
    return result;
}

} // namespace hakoniwa
