#include "player/runtime/ErrorPanel.h"

#include "model/Utf8Text.h"

namespace hakoniwa::player {

std::vector<std::string> errorPanelLines(const PlayError& error) {
    std::vector<std::string> lines{"エラーで止まりました"};
    if (!error.scene.empty())
        lines.push_back("シーン「" + cp932ToUtf8(error.scene) + "」");
    if (!error.item.empty())
        lines.push_back("アイテム「" + cp932ToUtf8(error.item) + "」 " + std::to_string(error.row) +
                        " 行目");
    lines.push_back(error.reason);
    return lines;
}

} // namespace hakoniwa::player
