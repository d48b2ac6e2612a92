#include "check/ProjectCheck.h"

#include "model/DiagramGeometry.h"
#include "model/Project.h"
#include "model/Texts.h"
#include "model/Utf8Text.h"
#include "player/runtime/ProgramBuilder.h"
#include "player/runtime/SystemVariables.h"

#include <utility>

namespace hakoniwa {
namespace {

using player::RowFaultKind;

ProblemKind problemKindOf(RowFaultKind kind) {
    switch (kind) {
    case RowFaultKind::EmptyDefinition:
    case RowFaultKind::UnknownDefinition:
        return ProblemKind::UnknownDefinition;
    case RowFaultKind::NotRunnable:
        return ProblemKind::NotRunnable;
    case RowFaultKind::ArgumentCount:
    case RowFaultKind::ExtraArgument:
    case RowFaultKind::EmptyArgument:
        return ProblemKind::ArgumentCount;
    case RowFaultKind::NotVariable:
    case RowFaultKind::ReadOnlySystem:
        return ProblemKind::NotVariable;
    case RowFaultKind::UnknownSystemVariable:
        return ProblemKind::UnknownSystemVariable;
    case RowFaultKind::NotConstant:
        return ProblemKind::NotConstant;
    case RowFaultKind::UndeclaredVariable:
        return ProblemKind::UndeclaredVariable;
    case RowFaultKind::UnknownMember:
        return ProblemKind::UnknownMember;
    case RowFaultKind::BadIndex:
        return ProblemKind::BadIndex;
    case RowFaultKind::NumberTooLarge:
        return ProblemKind::NumberTooLarge;
    case RowFaultKind::BadJumpNumber:
    case RowFaultKind::AtRun:
        break;
    }
    return ProblemKind::JumpNowhere;
}

class Checker {
public:
    Checker(const Project& project, const Definitions& vocabulary)
        : project_(project), system_(vocabulary.systemVariables),
          program_(player::ProgramBuilder(project, vocabulary, system_).build()) {}

    std::vector<Problem> run() {
        for (scene_ = 0; scene_ < project_.sceneCount(); ++scene_)
            checkScene(project_.scene(scene_), program_.scenes[scene_]);
        return std::move(problems_);
    }

private:
    void add(int item, int row, ProblemKind kind, std::string message) {
        problems_.push_back({scene_, item, row, kind, std::move(message)});
    }

    void checkScene(const Scene& scene, const player::SceneProgram& program) {
        int startItems = 0;
        for (int i = 0; i < scene.itemCount(); ++i)
            startItems += isStartItem(scene.item(i)) ? 1 : 0;
        if (startItems == 0)
            add(-1, -1, ProblemKind::StartItem, texts::kProblemNoStartItem);
        bool startSeen = false;
        for (int i = 0; i < scene.itemCount(); ++i) {
            if (isStartItem(scene.item(i)) && std::exchange(startSeen, true))
                add(i, -1, ProblemKind::StartItem, texts::kProblemManyStartItems);
            for (const player::PreparedRow& row : program.items[i].rows)
                checkRow(i, row);
        }
    }

    // The player's faults of the row, then its jump when the jump cannot be taken.
    void checkRow(int item, const player::PreparedRow& row) {
        for (const player::RowFault& fault : row.faults)
            add(item, row.sheetRow, problemKindOf(fault.kind()), utf8ToCp932(fault.what()));
        if (row.jump == player::JumpKind::Unset)
            add(item, row.sheetRow, ProblemKind::JumpUnset, utf8ToCp932(player::unsetJumpReason()));
        else if (row.jump == player::JumpKind::Nowhere)
            add(item, row.sheetRow, ProblemKind::JumpNowhere,
                utf8ToCp932(player::jumpNowhereReason(row.target)));
    }

    const Project& project_;
    player::SystemVariables system_;
    player::Program program_;
    std::vector<Problem> problems_;
    int scene_ = 0;
};

} // namespace

std::vector<Problem> checkProject(const Project& project, const Definitions& vocabulary) {
    return Checker(project, vocabulary).run();
}

const char* problemKindName(ProblemKind kind) {
    switch (kind) {
    case ProblemKind::JumpNowhere:
        return "jump-nowhere";
    case ProblemKind::JumpUnset:
        return "jump-unset";
    case ProblemKind::UnknownDefinition:
        return "unknown-definition";
    case ProblemKind::ArgumentCount:
        return "argument-count";
    case ProblemKind::UndeclaredVariable:
        return "undeclared-variable";
    case ProblemKind::UnknownMember:
        return "unknown-member";
    case ProblemKind::UnknownSystemVariable:
        return "unknown-system-variable";
    case ProblemKind::StartItem:
        return "start-item";
    case ProblemKind::NotRunnable:
        return "not-runnable";
    case ProblemKind::NotVariable:
        return "not-variable";
    case ProblemKind::NotConstant:
        return "not-constant";
    case ProblemKind::BadIndex:
        return "bad-index";
    case ProblemKind::NumberTooLarge:
        return "number-too-large";
    }
    return "unknown";
}

} // namespace hakoniwa
