#include "model/SceneName.h"

#include "model/Texts.h"

#include <array>

namespace hakoniwa {

bool canStoreSceneName(const std::string& name) {
    static const std::array<std::string, 4> tags = {"[scene_headder]", "[/scene_headder]", "[itm]",
                                                    "[/itm]"};
    if (name.empty() || name.front() == '\t')
        return false;
    if (name.find_first_of("\r\n") != std::string::npos)
        return false;
    for (const std::string& tag : tags)
        if (name == tag)
            return false;
    return true;
}

SceneRename checkSceneRename(int index, const std::string& name) {
    if (index == 0 && name != texts::kMain)
        return SceneRename::FirstSceneFixed;
    return canStoreSceneName(name) ? SceneRename::Allowed : SceneRename::NotStorable;
}

std::vector<std::string> splitMemo(const std::string& text) {
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    std::size_t start = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string joinMemo(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}

} // namespace hakoniwa
