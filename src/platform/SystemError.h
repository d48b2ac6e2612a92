#pragma once

#include <QString>

// The operating system's error numbers told in the words of the user interface.
namespace hakoniwa {

// A short Japanese text for `error` (an errno value), e.g. "容量が足りません" for a full disk.
QString systemErrorText(int error);

} // namespace hakoniwa
