#include "model/HelpPage.h"

#include "model/TextOps.h"

namespace hakoniwa {
namespace {

// Fields 3 and up of the definition, with the notes the entry gives them.
std::vector<HelpArgument> argumentsOf(std::string_view definition, const HelpEntry* entry) {
    std::vector<HelpArgument> arguments;
    const int fields = getSplitCount(definition, ',');
    for (int column = 3; column < fields; ++column) {
        const ArgumentSpec spec = ArgumentSpec::parse(getSplitStrVal(definition, ',', column));
        HelpArgument argument{
            column, spec.description, spec.kind, spec.defaultValue, spec.constants, {}};
        if (entry) {
            const auto note = entry->argumentNotes.find(column - 2);
            if (note != entry->argumentNotes.end())
                argument.note = note->second;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::vector<std::string> exampleRow(const std::string& name, const std::string& cells) {
    std::vector<std::string> row{name};
    const int count = getSplitCount(cells, '|');
    for (int i = 0; i < count; ++i)
        row.push_back(getSplitStrVal(cells, '|', i));
    if (cells.empty())
        row.resize(1); // an instruction without arguments
    return row;
}

} // namespace

HelpPage HelpPage::build(std::string_view definition, DefinitionKind kind,
                         const VocabularyHelp* help) {
    HelpPage page;
    page.kind = kind;
    page.name = definitionName(kind, definition);
    if (kind == DefinitionKind::Instruction)
        page.group = getSplitStrVal(getSplitStrVal(definition, ',', 0), '-', 1);
    page.description = getSplitStrVal(definition, ',', 1);
    if (getSplitCount(definition, ',') < 2)
        page.description.clear(); // a line without "," is a name alone
    if (!help)
        return page;
    page.detailed = true;
    const HelpEntry* entry = help->find(kind, page.name);
    page.hasEntry = entry != nullptr;
    page.arguments = argumentsOf(definition, entry);
    if (!entry)
        return page;
    page.explanation = entry->explanation;
    for (const std::string& cells : entry->examples)
        page.examples.push_back(exampleRow(page.name, cells));
    return page;
}

} // namespace hakoniwa
