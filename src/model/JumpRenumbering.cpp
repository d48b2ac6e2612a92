#include "model/JumpRenumbering.h"

#include "model/NumberConversion.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace hakoniwa {

void renumberJumpsAfterItemAdded(Scene& scene) {
    const int items = scene.itemCount();
    for (int i = 0; i < items; ++i) {
        ItemSheet& sheet = scene.item(i).sheet;
        for (int row = ItemSheet::kFirstCommandRow; row < sheet.rowCount(); ++row) {
            const int jump = toIntDef(sheet.cell(1, row), 0);
            // A number at the top of the int range has no successor; it stays as it is
            // rather than wrapping round into an instruction row.
            if (jump > 0 && jump >= items && jump < std::numeric_limits<int>::max())
                sheet.setCell(1, row, std::to_string(jump + 1));
        }
    }
}

namespace {

// Jump number `removed` (1 or more) is about to name nothing: visits the rows of the scene's
// items, except the item `skipped`, that jump to it (`lost`) or beyond it (`later`).
template <typename Lost, typename Later>
void visitJumpsFrom(const Scene& scene, int removed, int skipped, Lost&& lost, Later&& later) {
    for (int i = 0; i < scene.itemCount(); ++i) {
        if (i == skipped)
            continue;
        const ItemSheet& sheet = scene.item(i).sheet;
        for (int row = ItemSheet::kFirstCommandRow; row < sheet.rowCount(); ++row) {
            // Texts that are not numbers are declarations; 0 and negatives are no jumps.
            const int jump = toIntDef(sheet.cell(1, row), 0);
            if (jump == removed)
                lost(i, row);
            else if (jump > removed)
                later(i, row, jump);
        }
    }
}

std::vector<JumpRowRef> closeGap(Scene& scene, int removed, int skipped) {
    std::vector<JumpRowRef> lost;
    visitJumpsFrom(
        scene, removed, skipped,
        [&](int item, int row) {
            scene.item(item).sheet.setCell(1, row, "-1");
            lost.push_back({item, row});
        },
        [&](int item, int row, int jump) {
            scene.item(item).sheet.setCell(1, row, std::to_string(jump - 1));
        });
    return lost;
}

std::vector<JumpRowRef> jumpsTo(const Scene& scene, int removed, int skipped) {
    std::vector<JumpRowRef> lost;
    visitJumpsFrom(
        scene, removed, skipped,
        [&](int item, int row) {
            lost.push_back({item, row});
        },
        [](int, int, int) {});
    return lost;
}

// The jump number that calls the scene at `tab` from a scene with `items` items.
int sceneCallNumber(int items, int tab) {
    return items + 1 + tab;
}

} // namespace

std::vector<JumpRowRef> jumpsToItem(const Scene& scene, int index) {
    if (index < 0 || index >= scene.itemCount())
        throw std::out_of_range("no item " + std::to_string(index) + " in the scene");
    return jumpsTo(scene, index + 1, index);
}

std::vector<JumpRowRef> deleteItemKeepingJumps(Scene& scene, int index) {
    if (index < 0 || index >= scene.itemCount())
        throw std::out_of_range("no item " + std::to_string(index) + " in the scene");
    std::vector<JumpRowRef> lost = closeGap(scene, index + 1, index);
    scene.deleteItem(index);
    return lost;
}

bool canDeleteScene(const Project& project, int tab) {
    return tab > 0 && tab < project.sceneCount();
}

std::vector<ProjectRowRef> callsOfScene(const Project& project, int tab) {
    std::vector<ProjectRowRef> calls;
    for (int s = 0; s < project.sceneCount(); ++s) {
        if (s == tab)
            continue;
        const Scene& scene = project.scene(s);
        for (const JumpRowRef& at : jumpsTo(scene, sceneCallNumber(scene.itemCount(), tab), -1))
            calls.push_back({s, at.item, at.row});
    }
    return calls;
}

std::vector<ProjectRowRef> deleteSceneKeepingCalls(Project& project, int tab) {
    if (!canDeleteScene(project, tab))
        throw std::out_of_range("the scene with tab index " + std::to_string(tab) +
                                " cannot be deleted");
    std::vector<ProjectRowRef> lost;
    for (int s = 0; s < project.sceneCount(); ++s) {
        if (s == tab)
            continue;
        Scene& scene = project.scene(s);
        for (const JumpRowRef& at : closeGap(scene, sceneCallNumber(scene.itemCount(), tab), -1))
            lost.push_back({s, at.item, at.row});
    }
    project.deleteScene(tab);
    return lost;
}

} // namespace hakoniwa
