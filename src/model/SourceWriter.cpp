#include "model/SourceWriter.h"

#include <cstring>
#include <exception>
#include <future>
#include <string_view>
#include <system_error>
#include <thread>

namespace hakoniwa {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Appends to a string with room reserved beforehand: each row is copied straight into place.
class Output {
public:
    Output(std::string& out, std::size_t expected) : out_(out) {
        out_.reserve(out_.size() + expected);
    }

    // The next `count` bytes, for the caller to fill. Setting them first costs little: they
    // are written again at once, while still in the cache.
    char* take(std::size_t count) {
        const std::size_t used = out_.size();
        out_.append(count, '\0');
        return out_.data() + used;
    }
    void line(std::string_view first, std::string_view second = {}) {
        char* place = take(first.size() + second.size() + kLineEnd.size());
        place = copy(place, first);
        place = copy(place, second);
        copy(place, kLineEnd);
    }
    static char* copy(char* place, std::string_view text) {
        const char* from = text.data();
        const std::size_t n = text.size();
        // Most cells are a few bytes: two fixed-size moves that may overlap cost less than a
        // call that handles any size.
        if (n >= 8 && n <= 16) {
            std::memcpy(place, from, 8);
            std::memcpy(place + n - 8, from + n - 8, 8);
        } else if (n >= 4 && n < 8) {
            std::memcpy(place, from, 4);
            std::memcpy(place + n - 4, from + n - 4, 4);
        } else if (n > 0 && n < 4) {
            place[0] = from[0];
            place[n / 2] = from[n / 2];
            place[n - 1] = from[n - 1];
        } else if (n > 16) {
            std::memcpy(place, from, n);
        }
        return place + n;
    }

private:
    std::string& out_;
};

void writeHeader(const Project& project, Output& out) {
    out.line("[scene_headder]");
    for (int j = 0; j < project.sceneCount(); ++j) {
        const Scene& scene = project.scene(j);
        out.line(scene.caption);
        for (const std::string& line : scene.memo)
            out.line("\t", line);
    }
    out.line("[/scene_headder]");
}

void writeSheet(const ItemSheet& sheet, Output& out) {
    const int columns = sheet.columnCount();
    for (int r = 0; r < sheet.rowCount(); ++r) {
        // Two tabs, every cell followed by a tab, the line end.
        std::size_t bytes = 2 + static_cast<std::size_t>(columns) + kLineEnd.size();
        for (int c = 0; c < columns; ++c)
            bytes += sheet.cell(c, r).size();
        char* place = out.take(bytes);
        *place++ = '\t';
        *place++ = '\t';
        for (int c = 0; c < columns; ++c) {
            place = Output::copy(place, sheet.cell(c, r));
            *place++ = '\t';
        }
        Output::copy(place, kLineEnd);
    }
}

// A place in the page blocks: before item `item` of scene `scene`. A block's opening line goes
// with its first item and its closing line with its end, so a place before item 0 is also
// before the block's opening.
struct Place {
    int scene = 0;
    int item = 0;
};

// The page blocks from `from` on, up to `to`.
template <typename OnLine, typename OnSheet>
void forEachPageLine(const Project& project, Place from, Place to, OnLine&& onLine,
                     OnSheet&& onSheet) {
    for (int j = from.scene; j < project.sceneCount() && j <= to.scene; ++j) {
        if (j == to.scene && to.item == 0)
            return;
        const Scene& scene = project.scene(j);
        const int first = j == from.scene ? from.item : 0;
        const int end = j == to.scene ? to.item : scene.itemCount();
        const std::string number = std::to_string(j);
        if (first == 0)
            onLine("\t[page" + number + "]");
        for (int k = first; k < end; ++k)
            onSheet(scene.item(k).sheet);
        if (j != to.scene)
            onLine("\t[/page" + number + "]");
    }
}

void writePages(const Project& project, Place from, Place to, Output& out) {
    forEachPageLine(
        project, from, to, [&](const std::string& line) { out.line(line); },
        [&](const ItemSheet& sheet) { writeSheet(sheet, out); });
}

std::size_t sizeOfPages(const Project& project, Place from, Place to) {
    std::size_t total = 0;
    forEachPageLine(
        project, from, to, [&](const std::string& line) { total += line.size() + kLineEnd.size(); },
        [&](const ItemSheet& sheet) {
            const auto columns = static_cast<std::size_t>(sheet.columnCount());
            for (int r = 0; r < sheet.rowCount(); ++r) {
                total += 2 + columns + kLineEnd.size();
                for (int c = 0; c < sheet.columnCount(); ++c)
                    total += sheet.cell(c, r).size();
            }
        });
    return total;
}

// The bytes of the file other than its page blocks: the header and the item block's tags.
std::size_t sizeOfHeader(const Project& project) {
    std::size_t total = 0;
    const auto line = [&](std::string_view text) { total += text.size() + kLineEnd.size(); };
    line("[scene_headder]");
    for (int j = 0; j < project.sceneCount(); ++j) {
        const Scene& scene = project.scene(j);
        line(scene.caption);
        for (const std::string& memo : scene.memo)
            total += 1 + memo.size() + kLineEnd.size();
    }
    line("[/scene_headder]");
    line("[itm]");
    line("[/itm]");
    return total;
}

// Whether the items' cells alone come to `bytes` or more, counted roughly (rows times columns
// times eight bytes) and only as far as needed.
bool itemBytesAtLeast(const Project& project, std::size_t bytes) {
    std::size_t cells = 0;
    for (int j = 0; j < project.sceneCount(); ++j)
        for (int k = 0; k < project.scene(j).itemCount(); ++k) {
            const ItemSheet& sheet = project.scene(j).item(k).sheet;
            cells += static_cast<std::size_t>(sheet.rowCount()) * sheet.columnCount();
            if (8 * cells >= bytes)
                return true;
        }
    return bytes == 0;
}

// Before the middle item of the project, counted over all scenes.
Place middleItem(const Project& project) {
    int items = 0;
    for (int j = 0; j < project.sceneCount(); ++j)
        items += project.scene(j).itemCount();
    int left = items / 2;
    for (int j = 0; j < project.sceneCount(); ++j) {
        if (left < project.scene(j).itemCount())
            return {j, left};
        left -= project.scene(j).itemCount();
    }
    return {project.sceneCount(), 0};
}

} // namespace

std::string SourceWriter::write(const Project& project) {
    std::string out;
    write(project, out);
    return out;
}

void SourceWriter::write(const Project& project, std::string& out, std::size_t inTwoFrom) {
    const Place start, end{project.sceneCount(), 0};
    // A large file's second half is sized and made on a second thread meanwhile, and added at
    // the end; its size comes first, so that the whole file's room is taken at once.
    Place middle = project.sceneCount() > 0 && itemBytesAtLeast(project, inTwoFrom)
                       ? middleItem(project)
                       : end;
    std::string second;
    std::promise<std::size_t> secondSize;
    std::exception_ptr secondFailed;
    std::thread worker;
    if (middle.scene < end.scene) {
        try {
            worker = std::thread([&] {
                try {
                    const std::size_t size = sizeOfPages(project, middle, end);
                    secondSize.set_value(size);
                    Output output(second, size);
                    writePages(project, middle, end, output);
                } catch (...) {
                    secondFailed = std::current_exception();
                    try { // a failure before the size was given is given instead
                        secondSize.set_exception(secondFailed);
                    } catch (const std::future_error&) {
                    }
                }
            });
        } catch (const std::system_error&) { // no thread to be had: one makes all
            middle = end;
        }
    }
    const auto joinWorker = [&] {
        if (worker.joinable())
            worker.join();
        if (secondFailed)
            std::rethrow_exception(secondFailed);
    };
    const std::size_t before = out.size();
    try {
        std::size_t total = sizeOfHeader(project) + sizeOfPages(project, start, middle);
        if (worker.joinable())
            total += secondSize.get_future().get();
        // Room for everything at once: no copying as the text grows, and no spare capacity.
        Output output(out, total);
        writeHeader(project, output);
        output.line("[itm]");
        writePages(project, start, middle, output);
        joinWorker();
        out += second;
        output.line("[/itm]");
    } catch (...) {
        if (worker.joinable())
            worker.join();
        out.resize(before);
        throw;
    }
}

std::size_t SourceWriter::size(const Project& project) {
    return sizeOfHeader(project) + sizeOfPages(project, {}, {project.sceneCount(), 0});
}

} // namespace hakoniwa
