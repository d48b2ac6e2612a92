#pragma once

#include "model/Project.h"

#include <cstddef>
#include <string>

// Makes the project source file: the scene header with names and memo lines, then one page
// block per scene with every item's sheet, one line per sheet row. The same bytes are saved
// by the user and handed to the engine on run.
namespace hakoniwa {

class SourceWriter {
public:
    // The whole file as code page 932 bytes, every line ended by CR LF. Texts are written as
    // they are; the project is not changed.
    static std::string write(const Project& project);
    // The same bytes appended to `out`, so that a caller can reuse its buffer's memory. From
    // `inTwoFrom` bytes on (1 MB unless set; 0 splits every project with items), the second
    // half is made on a second thread meanwhile; the bytes are the same either way.
    static void write(const Project& project, std::string& out,
                      std::size_t inTwoFrom = std::size_t(1) << 20);
    // The number of bytes write makes, found without making them.
    static std::size_t size(const Project& project);
};

} // namespace hakoniwa
