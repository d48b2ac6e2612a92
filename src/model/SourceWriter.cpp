#include "model/SourceWriter.h"

#include <cstring>
#include <string_view>

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

} // namespace

std::string SourceWriter::write(const Project& project) {
    std::string out;
    write(project, out);
    return out;
}

void SourceWriter::write(const Project& project, std::string& out) {
    // Room for everything at once: no copying as the text grows, and no spare capacity.
    Output output(out, size(project));
    writeHeader(project, output);
    output.line("[itm]");
    for (int j = 0; j < project.sceneCount(); ++j) {
        const Scene& scene = project.scene(j);
        const std::string number = std::to_string(j);
        output.line("\t[page" + number + "]");
        for (int k = 0; k < scene.itemCount(); ++k)
            writeSheet(scene.item(k).sheet, output);
        output.line("\t[/page" + number + "]");
    }
    output.line("[/itm]");
}

std::size_t SourceWriter::size(const Project& project) {
    const std::size_t lineEnd = kLineEnd.size();
    std::size_t total = 0;
    const auto tag = [&](std::string_view text) { total += text.size() + lineEnd; };
    tag("[scene_headder]");
    for (int j = 0; j < project.sceneCount(); ++j) {
        const Scene& scene = project.scene(j);
        total += scene.caption.size() + lineEnd;
        for (const std::string& line : scene.memo)
            total += 1 + line.size() + lineEnd;
    }
    tag("[/scene_headder]");
    tag("[itm]");
    for (int j = 0; j < project.sceneCount(); ++j) {
        const std::size_t digits = std::to_string(j).size();
        tag("\t[page]");
        tag("\t[/page]");
        total += 2 * digits;
        const Scene& scene = project.scene(j);
        for (int k = 0; k < scene.itemCount(); ++k) {
            const ItemSheet& sheet = scene.item(k).sheet;
            const auto columns = static_cast<std::size_t>(sheet.columnCount());
            for (int r = 0; r < sheet.rowCount(); ++r) {
                total += 2 + columns + lineEnd;
                for (int c = 0; c < sheet.columnCount(); ++c)
                    total += sheet.cell(c, r).size();
            }
        }
    }
    tag("[/itm]");
    return total;
}

} // namespace hakoniwa
