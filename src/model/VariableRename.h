#pragma once

#include <string>

// Keeping argument cells in step with an edited declaration row.
namespace hakoniwa {

class Project;

// Rewrites the variable references in the argument cells (columns 3 and up of rows 2 and
// up) of every sheet of every scene, after a declaration row was edited.
//
// `name` is the declaration's name as it now stands in column 1. With `newText` empty the
// name itself was edited from `oldText`: every reference to the old name becomes
// name + "[]" (index and member are not kept). Otherwise the member `oldText` of `name` was
// renamed to `newText`: every name[i].oldText becomes name[i].newText.
//
// An empty `oldText` names nothing that could be referenced, and an unchanged name or
// member needs no rewrite; both leave every cell as it is.
void renameVariableReferences(Project& project, const std::string& name, const std::string& newText,
                              const std::string& oldText);

} // namespace hakoniwa
