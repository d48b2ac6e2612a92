#pragma once

#include <string>

// Keeping argument cells in step with an edited declaration row.
namespace hakoniwa {

class Project;
struct DeclarationRename;

// Rewrites the variable references that mean the edited declaration, after a declaration row
// of a sheet in scene `declaringScene` was edited.
//
// With `rename.newText` empty the variable itself was renamed from `rename.oldText` to
// `rename.name`: every reference to the old name gets the new name and keeps its index and
// member (pos[2].hp becomes vec[2].hp; a bare pos becomes vec[]). Otherwise the member
// `rename.oldText` of `rename.name` became `rename.newText`: every name[i].oldText becomes
// name[i].newText.
//
// Only the references that can mean the declaration are rewritten: a declaration in the first
// scene is global and reaches every scene but those that declare a local of the same name; a
// declaration in any other scene is local to it. Only argument cells change (columns 3 and up
// of instruction rows, 3 to 5 of jump rows); member cells and link-handle offsets never do.
// An empty old text, or an unchanged name or member, rewrites nothing.
void renameVariableReferences(Project& project, int declaringScene,
                              const DeclarationRename& rename);

} // namespace hakoniwa
