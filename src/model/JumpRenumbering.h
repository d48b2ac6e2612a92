#pragma once

#include "model/Project.h"
#include "model/Scene.h"

#include <vector>

namespace hakoniwa {

// Keeps the scene calls of a scene naming the same scenes after an item was appended to it.
// Jump numbers count the scene's items first and the scenes after them, so a new item
// pushes every scene number up by one: with n items now (the new one included), every jump
// number v of a command row with v >= n becomes v + 1. Item jumps, instruction rows,
// negative numbers, texts that are not numbers and the largest int (which has no successor)
// stay as they are.
void renumberJumpsAfterItemAdded(Scene& scene);

// A command row of one of a scene's items.
struct JumpRowRef {
    int item = 0; // index in the scene
    int row = 0;
    bool operator==(const JumpRowRef&) const = default;
};

// A command row anywhere in the project.
struct ProjectRowRef {
    int scene = 0; // tab index
    int item = 0;
    int row = 0;
    bool operator==(const ProjectRowRef&) const = default;
};

// The rows of the scene's other items that jump to the item at `index`: deleting the item
// leaves them without a target. The item's own rows leave with it and are not listed.
std::vector<JumpRowRef> jumpsToItem(const Scene& scene, int index);

// Deletes the item at `index` so that every other jump of the scene keeps its target: the
// numbers after the item's (later items, and every scene call, since the scenes are counted
// after the items) move down by one, and the jumps to it become "-1", no jump. Returns those
// rows, with item indices from before the delete. Recorded in a recording change log like
// any edit. Throws std::out_of_range for an index outside the scene.
std::vector<JumpRowRef> deleteItemKeepingJumps(Scene& scene, int index);

// The first scene is the project's fixed start; every other scene can be deleted.
bool canDeleteScene(const Project& project, int tab);

// The rows of the other scenes that call the scene at tab `tab`.
std::vector<ProjectRowRef> callsOfScene(const Project& project, int tab);

// Deletes the scene at tab `tab` so that every remaining call keeps its scene: in each other
// scene the calls of later scenes move down by one and the calls of this one become "-1".
// Returns those rows, with tab indices from before the delete. Throws std::out_of_range when
// `canDeleteScene` says no.
std::vector<ProjectRowRef> deleteSceneKeepingCalls(Project& project, int tab);

} // namespace hakoniwa
