#include "model/VocabularyHelp.h"

#include "model/Definitions.h"
#include "model/NumberConversion.h"
#include "model/TextOps.h"
#include "model/Texts.h"
#include "model/VocabularyFiles.h"

#include <system_error>

namespace hakoniwa {
namespace {

// "[命令 name]" or "[部品 name]": the kind and the name, or nullopt for any other line. The
// closing "]" must start a character, since "]" can be the second byte of a double-byte one.
std::optional<std::pair<DefinitionKind, std::string>> heading(const std::string& line) {
    if (line.size() < 3 || line.front() != '[' || findSeparator(line, ']', 1) != line.size() - 1)
        return std::nullopt;
    const std::string inside = line.substr(1, line.size() - 2);
    const std::size_t blank = findSeparator(inside, ' ');
    if (blank == std::string::npos)
        return std::nullopt;
    const std::string word = inside.substr(0, blank);
    std::string name = inside.substr(blank + 1);
    if (word == texts::kInstruction)
        return std::make_pair(DefinitionKind::Instruction, std::move(name));
    if (word == texts::kHelpComponent)
        return std::make_pair(DefinitionKind::Component, std::move(name));
    return std::make_pair(DefinitionKind::Instruction, std::string()); // an unknown heading
}

// Reads "引数N=note" or "例=cells" into the entry; false for a line that is no such key.
bool readKeyLine(const std::string& line, HelpEntry& entry) {
    const std::size_t equals = findSeparator(line, '=');
    if (equals == std::string::npos)
        return false;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == texts::kHelpExample) {
        entry.examples.push_back(value);
        return true;
    }
    const std::string& argumentWord = texts::kProblemArgument; // 引数
    if (key.size() <= argumentWord.size() || key.compare(0, argumentWord.size(), argumentWord))
        return false;
    const std::string number = key.substr(argumentWord.size());
    if (number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int argument = toIntDef(number, 0);
    if (argument < 1)
        return false;
    entry.argumentNotes[argument] = value;
    return true;
}

void addExplanationLine(HelpEntry& entry, const std::string& line) {
    if (entry.explanation.empty() && line.empty())
        return; // blank lines right under the heading
    if (!entry.explanation.empty())
        entry.explanation += '\n';
    entry.explanation += line;
}

void trimTrailingLineFeeds(HelpEntry& entry) {
    while (!entry.explanation.empty() && entry.explanation.back() == '\n')
        entry.explanation.pop_back();
}

} // namespace

VocabularyHelp VocabularyHelp::parse(const std::string& bytes) {
    VocabularyHelp help;
    HelpEntry* current = nullptr;
    for (const std::string& line : Definitions::splitLines(bytes)) {
        if (!line.empty() && line.front() == '#')
            continue;
        if (auto found = heading(line)) {
            current = nullptr;
            if (!found->second.empty()) {
                current = &help.entries_[*found];
                *current = HelpEntry();
            }
            continue;
        }
        if (current && !readKeyLine(line, *current))
            addExplanationLine(*current, line);
    }
    for (auto& [key, entry] : help.entries_)
        trimTrailingLineFeeds(entry);
    return help;
}

const HelpEntry* VocabularyHelp::find(DefinitionKind kind, const std::string& name) const {
    const auto found = entries_.find({kind, name});
    return found == entries_.end() ? nullptr : &found->second;
}

std::vector<std::pair<DefinitionKind, std::string>> VocabularyHelp::names() const {
    std::vector<std::pair<DefinitionKind, std::string>> all;
    for (const auto& [key, entry] : entries_)
        all.push_back(key);
    return all;
}

std::string definitionName(DefinitionKind kind, std::string_view line) {
    const std::string field0 = getSplitStrVal(line, ',', 0);
    if (kind == DefinitionKind::Component)
        return field0;
    return field0.substr(0, findSeparator(field0, '-'));
}

std::optional<VocabularyHelp> readVocabularyHelp(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / "help.txt";
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return std::nullopt;
    return VocabularyHelp::parse(readFileBytes(path));
}

} // namespace hakoniwa
