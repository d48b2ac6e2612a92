// Feeds arbitrary bytes to the project file reader. Whatever it makes of them, the writer's
// file of that project must read back into a project that writes the very same file, and the
// writer's size must be the size of that file.
#include "model/SourceReader.h"
#include "model/SourceWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

std::string readThenWrite(std::string_view bytes) {
    hakoniwa::Project project;
    try {
        hakoniwa::SourceReader(project, 10, 20).read(bytes);
    } catch (const std::runtime_error&) {
        // A line the reader cannot take stops it; the part read so far is the project.
    }
    const std::string written = hakoniwa::SourceWriter::write(project);
    if (hakoniwa::SourceWriter::size(project) != written.size()) {
        std::fputs("the writer's size is not the size of its file\n", stderr);
        std::abort();
    }
    return written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string first = readThenWrite({reinterpret_cast<const char*>(data), size});
    const std::string second = readThenWrite(first);
    if (first != second) {
        std::fputs("the written file does not read back to itself\n", stderr);
        std::abort();
    }
    return 0;
}
