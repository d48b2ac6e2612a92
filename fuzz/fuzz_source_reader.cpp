// Feeds arbitrary bytes to the project file reader. Whatever it makes of them, the writer's
// file of that project must read back into a project that writes the very same file, and the
// writer's size must be the size of that file. Read in two halves on two threads, the bytes
// must make the same project and stop at the same line, and the project written in two halves
// the same file.
#include "model/SourceReader.h"
#include "model/SourceWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

struct Outcome {
    std::string written; // the writer's file of the project read
    std::string stop;    // why the reader stopped early, if it did
    bool operator==(const Outcome&) const = default;
};

Outcome readThenWrite(std::string_view bytes, bool inTwoHalves = false) {
    hakoniwa::Project project;
    std::string stop;
    try {
        hakoniwa::SourceReader reader(project, 10, 20);
        reader.readInParallelFrom(inTwoHalves ? 0 : std::string_view::npos);
        reader.read(bytes);
    } catch (const std::runtime_error& failure) {
        // A line the reader cannot take stops it; the part read so far is the project.
        stop = failure.what();
    }
    std::string written;
    hakoniwa::SourceWriter::write(project, written, inTwoHalves ? 0 : std::string::npos);
    if (hakoniwa::SourceWriter::size(project) != written.size()) {
        std::fputs("the writer's size is not the size of its file\n", stderr);
        std::abort();
    }
    return {written, stop};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Outcome read = readThenWrite(bytes);
    if (!(readThenWrite(bytes, true) == read)) {
        std::fputs("read in two halves, the bytes make another project\n", stderr);
        std::abort();
    }
    const std::string& first = read.written;
    const std::string second = readThenWrite(first).written;
    if (first != second) {
        std::fputs("the written file does not read back to itself\n", stderr);
        std::abort();
    }
    return 0;
}
