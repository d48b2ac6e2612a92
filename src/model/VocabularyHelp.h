#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The help file of a vocabulary folder (help.txt): for each instruction and component a longer
// explanation, a note per argument and example rows. Entries are found by kind and name, so a
// help file keeps working when lines of mtd.txt or cmp.txt move.
namespace hakoniwa {

enum class DefinitionKind { Instruction, Component };

struct HelpEntry {
    // The text lines under the heading that are no key, joined by "\n".
    std::string explanation;
    // "引数N=..." lines by argument number N (1 = the first argument, sheet column 3).
    std::map<int, std::string> argumentNotes;
    // "例=..." lines: the argument cells of an example row, separated by "|" (cells may hold ",").
    std::vector<std::string> examples;
};

class VocabularyHelp {
public:
    // Reads the file's bytes (code page 932). A heading "[命令 name]" or "[部品 name]" starts an
    // entry; lines before the first heading, and lines starting with "#", are not read. Lines
    // of an unknown heading are skipped. A later entry of the same kind and name replaces an
    // earlier one.
    static VocabularyHelp parse(const std::string& bytes);

    // The entry, or nullptr when the file has none for it.
    const HelpEntry* find(DefinitionKind kind, const std::string& name) const;
    // Every kind and name the file holds an entry for, sorted.
    std::vector<std::pair<DefinitionKind, std::string>> names() const;

private:
    std::map<std::pair<DefinitionKind, std::string>, HelpEntry> entries_;
};

// The name an entry of the help file is found by: for an instruction line the text of field 0
// before its first "-", for a component line the whole field 0.
std::string definitionName(DefinitionKind kind, std::string_view line);

// help.txt of a vocabulary folder; nullopt when the folder has none. A file that exists but
// cannot be read throws std::runtime_error.
std::optional<VocabularyHelp> readVocabularyHelp(const std::filesystem::path& folder);

} // namespace hakoniwa
