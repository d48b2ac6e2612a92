#include "model/SourceWriter.h"

#include <string_view>

namespace hakoniwa {
namespace {

constexpr const char* kLineEnd = "\r\n";

void appendLine(std::string& out, const std::string& line) {
    out += line;
    out += kLineEnd;
}

} // namespace

std::string SourceWriter::write(const Project& project) {
    std::string out;
    write(project, out);
    return out;
}

void SourceWriter::write(const Project& project, std::string& out) {
    writeHeader(project, out);
    appendLine(out, "[itm]");
    for (int j = 0; j < project.sceneCount(); ++j) {
        const Scene& scene = project.scene(j);
        appendLine(out, "\t[page" + std::to_string(j) + "]");
        for (int k = 0; k < scene.itemCount(); ++k)
            writeItem(scene.item(k), out);
        appendLine(out, "\t[/page" + std::to_string(j) + "]");
    }
    appendLine(out, "[/itm]");
}

std::size_t SourceWriter::size(const Project& project) {
    const std::size_t lineEnd = 2;
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

void SourceWriter::writeHeader(const Project& project, std::string& out) {
    appendLine(out, "[scene_headder]");
    for (int j = 0; j < project.sceneCount(); ++j) {
        const Scene& scene = project.scene(j);
        appendLine(out, scene.caption);
        for (const std::string& line : scene.memo) {
            out += '\t';
            appendLine(out, line);
        }
    }
    appendLine(out, "[/scene_headder]");
}

void SourceWriter::writeItem(const Item& item, std::string& out) {
    const ItemSheet& sheet = item.sheet;
    for (int r = 0; r < sheet.rowCount(); ++r) {
        out += "\t\t";
        for (int c = 0; c < sheet.columnCount(); ++c) {
            out += sheet.cell(c, r);
            out += '\t';
        }
        out += kLineEnd;
    }
}

} // namespace hakoniwa
