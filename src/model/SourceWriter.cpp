#include "model/SourceWriter.h"

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
    return out;
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
