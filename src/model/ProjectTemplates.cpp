#include "model/ProjectTemplates.h"

#include "model/ArgumentSpec.h"
#include "model/TextOps.h"
#include "model/Utf8Text.h"
#include "model/VocabularyFiles.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <unordered_map>

namespace hakoniwa {
namespace {

namespace fs = std::filesystem;

// For every instruction and component line: the argument numbers (from 0) of kind File.
using FileArguments = std::unordered_map<std::string, std::vector<int>>;

FileArguments fileArgumentsOf(const Definitions& vocabulary) {
    FileArguments files;
    for (const auto* lines : {&vocabulary.instructions, &vocabulary.components})
        for (const std::string& line : *lines) {
            const int fields = getSplitCount(line, ',');
            for (int k = ItemSheet::kFirstArgumentColumn; k < fields; ++k)
                if (ArgumentSpec::parse(getSplitStrVal(line, ',', k)).kind == ArgumentKind::File)
                    files[line].push_back(k - ItemSheet::kFirstArgumentColumn);
        }
    return files;
}

// Calls `visit` with every non-empty file argument cell of the project's command rows; a
// returned text other than the cell's own replaces it.
void forEachFileCell(Project& project, const Definitions& vocabulary,
                     const std::function<std::string(std::string_view)>& visit) {
    const FileArguments files = fileArgumentsOf(vocabulary);
    for (int s = 0; s < project.sceneCount(); ++s) {
        Scene& scene = project.scene(s);
        for (int i = 0; i < scene.itemCount(); ++i) {
            ItemSheet& sheet = scene.item(i).sheet;
            for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r) {
                const RowKind kind = sheet.rowKind(r);
                if (kind == RowKind::Empty || kind == RowKind::Declaration)
                    continue;
                const auto found = files.find(std::string(sheet.cell(2, r)));
                if (found == files.end())
                    continue;
                for (int k : found->second) {
                    const int column = ItemSheet::kFirstArgumentColumn + k;
                    const std::string_view cell = sheet.cell(column, r);
                    if (cell.empty())
                        continue;
                    const std::string replaced = visit(cell);
                    if (replaced != cell)
                        sheet.setCell(column, r, replaced);
                }
            }
        }
    }
}

// A cell's text as a path of the file system, with backslashes as folder separators, as the
// player reads it.
fs::path pathOf(std::string_view cell) {
    std::string utf8 = cp932ToUtf8(cell);
    for (char& c : utf8)
        if (c == '\\')
            c = '/';
    return fs::path(utf8).lexically_normal();
}

// The path as a cell's text, or nothing when code page 932 cannot spell it.
std::optional<std::string> cellOf(const fs::path& path) {
    const std::string utf8 = path.string();
    std::string cp932 = utf8ToCp932(utf8);
    if (cp932ToUtf8(cp932) != utf8)
        return std::nullopt;
    return cp932;
}

bool isInside(const fs::path& path, const fs::path& folder) {
    const fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::file_size(a, error) != fs::file_size(b, error) || error)
        return false;
    return readFileBytes(a) == readFileBytes(b);
}

// Where the template file goes in the project's folder: its own name, or the first free
// "name-2.ext", "name-3.ext", ... unless a file of that name holds the same bytes already.
fs::path placeFor(const fs::path& source, const fs::path& projectFolder) {
    const std::string stem = source.stem().string(), extension = source.extension().string();
    for (int n = 1;; ++n) {
        const fs::path target =
            projectFolder /
            (n == 1 ? source.filename().string() : stem + "-" + std::to_string(n) + extension);
        if (!fs::exists(target) || sameBytes(source, target))
            return target;
    }
}

} // namespace

std::vector<TemplateEntry> readTemplateList(std::string_view bytes) {
    std::vector<TemplateEntry> entries;
    for (const std::string& line : Definitions::splitLines(std::string(bytes))) {
        // A comma is never the second byte of a double-byte character, so plain finds do.
        std::size_t third = 0;
        for (int n = 0; n < 3 && third != std::string::npos; ++n)
            third = line.find(',', n == 0 ? 0 : third + 1);
        const int fields = getSplitCount(line, ',');
        const auto field = [&](int k) { return k < fields ? getSplitStrVal(line, ',', k) : ""; };
        TemplateEntry entry{field(0), field(1), field(2),
                            third == std::string::npos ? "" : line.substr(third + 1)};
        if (!entry.project.empty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

int makeTemplateFilesAbsolute(Project& project, const Definitions& vocabulary,
                              const fs::path& templateFolder) {
    int changed = 0;
    forEachFileCell(project, vocabulary, [&](std::string_view cell) {
        const fs::path name = pathOf(cell);
        if (name.is_absolute())
            return std::string(cell);
        const fs::path file = (templateFolder / name).lexically_normal();
        std::error_code error;
        const std::optional<std::string> absolute = cellOf(file);
        if (!fs::is_regular_file(file, error) || !absolute)
            return std::string(cell);
        ++changed;
        return *absolute;
    });
    return changed;
}

int bringTemplateFilesAlong(Project& project, const Definitions& vocabulary,
                            const fs::path& templatesFolder, const fs::path& projectFolder) {
    const fs::path templates = templatesFolder.lexically_normal();
    // First every copy, so that a failure leaves the cells as they were.
    std::unordered_map<std::string, std::string> renamed; // cell -> bare name in the folder
    forEachFileCell(project, vocabulary, [&](std::string_view cell) {
        const fs::path source = pathOf(cell);
        if (!source.is_absolute() || !isInside(source, templates) ||
            renamed.count(std::string(cell)))
            return std::string(cell);
        std::error_code error;
        if (!fs::is_regular_file(source, error))
            return std::string(cell);
        const fs::path target = placeFor(source, projectFolder);
        if (!fs::exists(target) && !fs::copy_file(source, target, error))
            throw std::runtime_error("ファイル " + source.string() + " を " + target.string() +
                                     " にコピーできません: " + error.message());
        if (const std::optional<std::string> name = cellOf(target.filename()))
            renamed.emplace(cell, *name);
        return std::string(cell);
    });
    int changed = 0;
    forEachFileCell(project, vocabulary, [&](std::string_view cell) {
        const auto found = renamed.find(std::string(cell));
        if (found == renamed.end())
            return std::string(cell);
        ++changed;
        return found->second;
    });
    return changed;
}

} // namespace hakoniwa
