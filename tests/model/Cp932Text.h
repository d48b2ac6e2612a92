#pragma once

#include "platform/Cp932Codec.h"

#include <string>

// The code page 932 bytes of a UTF-8 literal, as the model holds the text.
inline std::string sj(const char* utf8) {
    return hakoniwa::Cp932Codec::encode(QString::fromUtf8(utf8));
}
