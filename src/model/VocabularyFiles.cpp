#include "model/VocabularyFiles.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace hakoniwa {
namespace fs = std::filesystem;

std::string readFileBytes(const fs::path& path, std::size_t limit) {
    const std::string cannotOpen = "ファイル " + path.string() + " は開けません";
    // Opened without waiting, so that a FIFO cannot block the open itself.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error(cannotOpen);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw std::runtime_error(cannotOpen + "（通常のファイルではありません）");
    }
    const auto tooLarge = [&] {
        ::close(fd);
        throw std::runtime_error("ファイル " + path.string() + " は大きすぎます（上限 " +
                                 std::to_string(limit >> 20) + " MB）");
    };
    if (static_cast<std::uintmax_t>(info.st_size) > limit)
        tooLarge();
    // Read to the end, not to the size: some files tell no size, and a file may grow. One byte
    // past the limit tells a file that is too large.
    const std::size_t most = limit < SIZE_MAX ? limit + 1 : SIZE_MAX;
    std::string bytes(std::min(static_cast<std::size_t>(info.st_size) + 1, most), '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > limit)
                tooLarge();
            bytes.resize(std::min(bytes.size() * 2, most));
        }
        const ssize_t read = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0) {
            ::close(fd);
            throw std::runtime_error("ファイル " + path.string() + " を読めません");
        }
        if (read == 0)
            break;
        done += static_cast<std::size_t>(read);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

Definitions readVocabulary(const fs::path& folder) {
    Definitions definitions;
    definitions.systemVariables =
        Definitions::splitLines(readFileBytes(folder / "sysHen.txt", kDefinitionFileLimit));
    definitions.instructions =
        Definitions::splitLines(readFileBytes(folder / "mtd.txt", kDefinitionFileLimit));
    definitions.components =
        Definitions::splitLines(readFileBytes(folder / "cmp.txt", kDefinitionFileLimit));
    return definitions;
}

} // namespace hakoniwa
