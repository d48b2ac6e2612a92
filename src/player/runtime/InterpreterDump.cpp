#include "model/Utf8Text.h"
#include "player/runtime/Interpreter.h"
#include "player/runtime/InterpreterThread.h"

#include <algorithm>

// The variable dump: every element of every variable alive, for tests and for looking into
// a game that went wrong.
namespace hakoniwa::player {
namespace {

void dumpScope(const std::string& scope, const std::vector<VariableLayout>& layouts,
               const std::vector<ArrayVariable>& variables, std::vector<std::string>& lines) {
    for (std::size_t v = 0; v < layouts.size() && v < variables.size(); ++v) {
        const VariableLayout& layout = layouts[v];
        const std::string name = scope + " " + cp932ToUtf8(layout.name);
        const int elements = std::max(1, variables[v].elementCount());
        for (int e = 0; e < elements; ++e) {
            const std::string element = name + "[" + std::to_string(e) + "]";
            lines.push_back(element + " = " + describe(variables[v].read(e, 0)));
            for (std::size_t m = 0; m < layout.members.size(); ++m)
                lines.push_back(element + "." + cp932ToUtf8(layout.members[m]) + " = " +
                                describe(variables[v].read(e, static_cast<int>(m) + 1)));
        }
    }
}

} // namespace

std::string Interpreter::dumpVariables() const {
    std::vector<std::string> lines;
    if (!program_.scenes.empty())
        dumpScope("グローバル", program_.scenes[0].variables, globals_, lines);
    for (const auto& call : calls_)
        if (call->scene > 0) {
            const SceneProgram& scene = program_.scenes[call->scene];
            dumpScope("ローカル(" + cp932ToUtf8(scene.caption) + ")", scene.variables, call->locals,
                      lines);
        }
    for (int id = 0; id < system_.count(); ++id)
        if (system_.kind(id) != SystemKind::SceneNumber)
            lines.push_back("システム " + cp932ToUtf8(system_.name(id)) + " = " +
                            describe(system_.value(id)));
    std::sort(lines.begin(), lines.end());
    std::string dump;
    for (const std::string& line : lines)
        dump += line + "\n";
    return dump;
}

} // namespace hakoniwa::player
