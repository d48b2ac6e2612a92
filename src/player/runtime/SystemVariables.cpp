#include "player/runtime/SystemVariables.h"

#include "model/TextOps.h"
#include "model/Utf8Text.h"

#include <algorithm>
#include <unordered_map>

namespace hakoniwa::player {
namespace {

SystemKind kindOf(const std::string& name) {
    static const std::unordered_map<std::string, SystemKind> known = {
        {"画面幅", SystemKind::Width},       {"画面高さ", SystemKind::Height},
        {"経過時間", SystemKind::Time},      {"フレーム数", SystemKind::Frames},
        {"マウスX", SystemKind::MouseX},     {"マウスY", SystemKind::MouseY},
        {"最後のキー", SystemKind::LastKey}, {"得点", SystemKind::Score},
        {"残り回数", SystemKind::Lives},     {"シーン番号", SystemKind::SceneNumber},
    };
    const auto found = known.find(cp932ToUtf8(name));
    return found == known.end() ? SystemKind::Free : found->second;
}

int indexIn(const std::vector<std::string>& list, const std::string& text) {
    const auto found = std::find(list.begin(), list.end(), text);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

} // namespace

SystemVariables::SystemVariables(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.empty())
            continue;
        lines_.push_back(line);
        names_.push_back(getSplitStrVal(line, ',', 0));
        kinds_.push_back(kindOf(names_.back()));
    }
    values_.resize(lines_.size());
    set(SystemKind::LastKey, -1);
}

int SystemVariables::findLine(const std::string& cell) const {
    return indexIn(lines_, cell);
}

int SystemVariables::findName(const std::string& name) const {
    return indexIn(names_, name);
}

int SystemVariables::find(SystemKind kind) const {
    const auto found = std::find(kinds_.begin(), kinds_.end(), kind);
    return found == kinds_.end() ? -1 : static_cast<int>(found - kinds_.begin());
}

bool SystemVariables::writable(int id) const {
    switch (kinds_[id]) {
    case SystemKind::Width:
    case SystemKind::Height:
    case SystemKind::Score:
    case SystemKind::Lives:
    case SystemKind::Free:
        return true;
    default:
        return false;
    }
}

void SystemVariables::set(SystemKind kind, std::int32_t number) {
    for (std::size_t id = 0; id < kinds_.size(); ++id)
        if (kinds_[id] == kind)
            values_[id].setNumber(number);
}

} // namespace hakoniwa::player
