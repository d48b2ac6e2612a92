#pragma once

#include <string>
#include <vector>

// Rules for scene names and memo text that keep the project file readable.
namespace hakoniwa {

// False for a name the project file cannot carry back: the empty text, a text beginning
// with a tab, one holding a line break, and the four tag lines of the file.
bool canStoreSceneName(const std::string& name);

enum class SceneRename { Allowed, FirstSceneFixed, NotStorable };

// Whether the scene at tab `index` may be called `name`. The reader always names the first
// scene "メイン", so any other name for it would be lost at the next open.
SceneRename checkSceneRename(int index, const std::string& name);

// Memo text as lines: the empty text has no line; otherwise every "\n" ends one line.
std::vector<std::string> splitMemo(const std::string& text);
std::string joinMemo(const std::vector<std::string>& lines);

} // namespace hakoniwa
