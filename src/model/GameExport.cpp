#include "model/GameExport.h"

#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "model/Utf8Text.h"
#include "model/VocabularyFiles.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

namespace hakoniwa {
namespace fs = std::filesystem;

namespace {

constexpr int kFirstArgumentColumn = 2;
const char* const kVocabularyFiles[] = {"mtd.txt", "cmp.txt", "sysHen.txt"};

std::optional<fs::path> regularFile(const fs::path& path) {
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(path, error))
        return std::nullopt;
    // One name for one file, however the cells reach it.
    const fs::path canonical = fs::weakly_canonical(path, error);
    return error ? path : canonical;
}

// A relative name that stays inside its folder: no "..", not absolute.
bool staysInside(const fs::path& relative) {
    if (relative.empty() || relative.is_absolute() || relative.has_root_name())
        return false;
    return std::none_of(relative.begin(), relative.end(),
                        [](const fs::path& part) { return part == ".."; });
}

// What the cells name and where each file goes.
class Gatherer {
public:
    Gatherer(fs::path projectFolder, fs::path dataFolder)
        : projectFolder_(std::move(projectFolder)), dataFolder_(std::move(dataFolder)) {}

    // The cell's new text when it must change, else nothing.
    void look(std::string_view cell) {
        const std::string text(cell);
        if (text.empty() || seen_.count(text))
            return;
        seen_.insert(text);
        // The player reads a backslash as a folder separator too.
        std::string utf8 = cp932ToUtf8(text);
        std::replace(utf8.begin(), utf8.end(), '\\', '/');
        const fs::path path(utf8);
        if (path.is_absolute()) {
            if (const auto file = regularFile(path))
                copyFlat(text, *file);
            return;
        }
        const fs::path beside = projectFolder_.empty() ? fs::path() : projectFolder_ / path;
        std::optional<fs::path> file = regularFile(beside);
        if (!file)
            file = regularFile(dataFolder_ / path);
        if (!file)
            return;
        if (staysInside(path.lexically_normal()))
            add(path.lexically_normal().generic_string(), *file);
        else
            copyFlat(text, *file);
    }

    const std::map<std::string, std::string>& renamed() const { return renamed_; }
    const std::map<std::string, fs::path>& files() const { return files_; }

private:
    void add(const std::string& name, const fs::path& file) { files_.emplace(name, file); }

    // The file by its own name, with a number added when another file has that name.
    void copyFlat(const std::string& cell, const fs::path& file) {
        const std::string stem = file.stem().string(), extension = file.extension().string();
        std::string name = file.filename().string();
        for (int n = 2; files_.count(name) && files_.at(name) != file; ++n)
            name = stem + "-" + std::to_string(n) + extension;
        add(name, file);
        renamed_[cell] = utf8ToCp932(name);
    }

    fs::path projectFolder_, dataFolder_;
    std::set<std::string> seen_;
    std::map<std::string, std::string> renamed_; // cell text -> relative name (code page 932)
    std::map<std::string, fs::path> files_;      // relative name -> file on disk
};

template <typename Visit> void forEachArgument(const Project& project, Visit visit) {
    for (int s = 0; s < project.sceneCount(); ++s) {
        const Scene& scene = project.scene(s);
        for (int i = 0; i < scene.itemCount(); ++i) {
            const ItemSheet& sheet = scene.item(i).sheet;
            for (int row = 0; row < sheet.rowCount(); ++row)
                for (int column = kFirstArgumentColumn; column < sheet.columnCount(); ++column)
                    visit(sheet, column, row);
        }
    }
}

// The written project with the renamed cells changed, through a copy read back.
std::string rewritten(const std::string& source, const std::map<std::string, std::string>& names) {
    Project copy;
    SourceReader(copy, 0, 0).read(source);
    for (int s = 0; s < copy.sceneCount(); ++s)
        for (int i = 0; i < copy.scene(s).itemCount(); ++i) {
            ItemSheet& sheet = copy.scene(s).item(i).sheet;
            for (int row = 0; row < sheet.rowCount(); ++row)
                for (int column = kFirstArgumentColumn; column < sheet.columnCount(); ++column)
                    if (const auto found = names.find(std::string(sheet.cell(column, row)));
                        found != names.end())
                        sheet.setCell(column, row, found->second);
        }
    return SourceWriter::write(copy);
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else if (c == '<') // never "</script>" inside the page's script element
            out += "\\u003c";
        else if (static_cast<unsigned char>(c) < 0x20)
            out +=
                "\\u00" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
        else
            out += c;
    }
    return out + "\"";
}

std::string htmlText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void replaceOnce(std::string& text, const std::string& mark, const std::string& with) {
    const std::size_t at = text.find(mark);
    if (at == std::string::npos)
        throw std::runtime_error("ページのひな形が正しくありません: " + mark);
    text.replace(at, mark.size(), with);
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("ファイル " + path.string() + " に書き込めません");
}

// A word of a .desktop file's Exec line: quoted, with its reserved characters escaped (the
// backslash twice, as the value is a string too).
std::string desktopArgument(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '`' || c == '$')
            out += "\\\\";
        else if (c == '\\')
            out += "\\\\\\";
        out += c;
    }
    return out + "\"";
}

std::string shellWord(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

SharedGame gatherGame(const Project& project, const std::string& title,
                      const fs::path& projectFolder, const fs::path& dataFolder) {
    Gatherer gatherer(projectFolder, dataFolder);
    forEachArgument(project, [&](const ItemSheet& sheet, int column, int row) {
        gatherer.look(sheet.cell(column, row));
    });
    SharedGame game;
    game.title = title;
    game.projectName = "game/" + title + ".txt";
    std::string source = SourceWriter::write(project);
    if (!gatherer.renamed().empty())
        source = rewritten(source, gatherer.renamed());
    game.files.push_back({game.projectName, std::move(source)});
    for (const auto& [name, file] : gatherer.files())
        if ("game/" + name != game.projectName)
            game.files.push_back({"game/" + name, readFileBytes(file)});
    for (const char* name : kVocabularyFiles)
        game.files.push_back({std::string("data/txt/game/") + name,
                              readFileBytes(dataFolder / "txt" / "game" / name)});
    return game;
}

std::string webPage(const std::string& pageTemplate, const SharedGame& game) {
    std::string json = "{\"project\":" + jsonString(game.projectName) +
                       ",\"vocabulary\":\"data/txt/game\",\"folder\":\"game\",\"files\":[";
    for (std::size_t i = 0; i < game.files.size(); ++i)
        json += (i ? ",[" : "[") + jsonString(game.files[i].name) + ",\"" +
                base64(game.files[i].bytes) + "\"]";
    json += "]}";
    std::string page = pageTemplate;
    replaceOnce(page, "@HAKONIWA_TITLE@", htmlText(game.title));
    replaceOnce(page, "@HAKONIWA_GAME@", json);
    return page;
}

void writeGameFolder(const SharedGame& game, const std::string& page, const fs::path& folder) {
    const std::string prefix = "game/";
    for (const SharedFile& file : game.files)
        if (file.name.rfind(prefix, 0) == 0)
            writeFile(folder / fs::path(file.name.substr(prefix.size())), file.bytes);
    const std::string project = game.title + ".txt";
    writeFile(folder / (game.title + ".html"), page);
    const fs::path script = folder / (game.title + ".sh");
    writeFile(script,
              "#!/bin/sh\n"
              "# Plays the game with the installed hakoniwa-player; without one, in the web "
              "browser.\n"
              "cd \"$(dirname \"$0\")\" || exit 1\n"
              "if command -v hakoniwa-player >/dev/null 2>&1; then\n"
              "    exec hakoniwa-player " +
                  shellWord(project) +
                  "\n"
                  "fi\n"
                  "exec xdg-open " +
                  shellWord(game.title + ".html") + "\n");
    std::error_code error;
    fs::permissions(script, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, error);
    const std::string absolute = fs::absolute(folder).lexically_normal().string();
    writeFile(folder / (game.title + ".desktop"),
              "[Desktop Entry]\nType=Application\nName=" + game.title + "\nExec=sh " +
                  desktopArgument((fs::path(absolute) / (game.title + ".sh")).string()) +
                  "\nPath=" + absolute +
                  "\nIcon=hakoniwa-player\nTerminal=false\n"
                  "Categories=Game;\n");
}

std::string base64(std::string_view bytes) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                           static_cast<unsigned char>(bytes[i + 1]) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += {kDigits[v >> 18], kDigits[v >> 12 & 63], kDigits[v >> 6 & 63], kDigits[v & 63]};
    }
    if (i + 1 == bytes.size()) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        out += {kDigits[v >> 18], kDigits[v >> 12 & 63], '=', '='};
    } else if (i + 2 == bytes.size()) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                           static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += {kDigits[v >> 18], kDigits[v >> 12 & 63], kDigits[v >> 6 & 63], '='};
    }
    return out;
}

} // namespace hakoniwa
