#pragma once

#include "model/ArgumentSpec.h"
#include "model/VocabularyHelp.h"

#include <string>
#include <string_view>
#include <vector>

// What the help pane shows for one instruction or component: its definition line read into
// name, description and arguments, with the help file's explanation, notes and examples.
namespace hakoniwa {

struct HelpArgument {
    int column = 0; // the sheet column that holds it
    std::string name;
    ArgumentKind kind = ArgumentKind::Free;
    std::string defaultValue;        // VariableOrValue only
    std::vector<Constant> constants; // Constant only
    std::string note;                // from the help file; may be empty
};

struct HelpPage {
    DefinitionKind kind = DefinitionKind::Instruction;
    std::string name;
    std::string group; // instructions only
    std::string description;
    // False when the vocabulary has no help file: the page is the description line alone.
    bool detailed = false;
    // True when the help file has an entry for this definition.
    bool hasEntry = false;
    std::string explanation;
    std::vector<HelpArgument> arguments;
    // Example rows: the name, then the argument cells.
    std::vector<std::vector<std::string>> examples;

    // `definition` is a whole line of mtd.txt or cmp.txt (as a row's column 2 holds it);
    // `help` is the vocabulary's help file, nullptr when it has none.
    static HelpPage build(std::string_view definition, DefinitionKind kind,
                          const VocabularyHelp* help);
};

} // namespace hakoniwa
