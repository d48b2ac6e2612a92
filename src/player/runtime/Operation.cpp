#include "player/runtime/Operation.h"

#include <unordered_map>

namespace hakoniwa::player {
namespace {

using Table = std::unordered_map<std::string, OpInfo>;

const Table& instructions() {
    static const Table table = {
        {"画像表示", {Op::ShowImage, 4, 0}},
        {"画像移動", {Op::MoveImage, 3, 0}},
        {"画像消去", {Op::RemoveImage, 1, 0}},
        {"文字表示", {Op::WriteText, 4, 0}},
        {"背景色", {Op::Background, 1, 0}},
        {"画面消去", {Op::ClearScreen, 0, 0}},
        {"代入", {Op::Assign, 2, 1}},
        {"乱数", {Op::Random, 2, 1}},
        {"文字連結", {Op::Concatenate, 3, 1}},
        {"数値を文字に", {Op::NumberToText, 2, 1}},
        {"足し算", {Op::Add, 3, 1}},
        {"引き算", {Op::Subtract, 3, 1}},
        {"掛け算", {Op::Multiply, 3, 1}},
        {"割り算", {Op::Divide, 3, 1}},
        {"余り", {Op::Remainder, 3, 1}},
        {"増やす", {Op::Increase, 2, 1}},
        {"範囲に収める", {Op::Clamp, 3, 1}},
        {"比較", {Op::Compare, 4, 1}},
        {"当たり判定", {Op::HitTest, 3, 1}},
        {"シーン終了", {Op::EndScene, 0, 0}},
        {"ゲーム終了", {Op::EndGame, 1, 0}},
        {"待つ", {Op::Wait, 1, 0}},
        {"キー待ち", {Op::WaitKey, 1, 1}},
        {"クリック待ち", {Op::WaitClick, 0, 0}},
        {"次の画面まで待つ", {Op::WaitFrame, 0, 0}},
        {"効果音", {Op::Effect, 2, 0}},
        {"BGM再生", {Op::PlayMusic, 2, 0}},
        {"BGM停止", {Op::StopMusic, 1, 0}},
        {"キー状態", {Op::KeyState, 2, 1}},
        {"マウス位置", {Op::MousePosition, 2, 3}},
        {"マウスボタン", {Op::MouseButton, 2, 1}},
        {"名前入力", {Op::AskName, 2, 1}},
        {"矢印キーで動かす", {Op::ArrowMove, 3, 0}},
        {"画像をずらす", {Op::ShiftImage, 3, 0}},
        {"跳ね返らせる", {Op::Bounce, 3, 6}},
        {"画面の中に収める", {Op::KeepOnScreen, 1, 0}},
        {"近づける", {Op::MoveToward, 3, 0}},
        {"でたらめに置く", {Op::PlaceRandomly, 5, 0}},
        {"そばに表示", {Op::ShowNear, 5, 0}},
        {"画像の位置", {Op::ImagePosition, 3, 6}},
        {"値を表示", {Op::ShowValue, 5, 0}},
        {"カウントダウン", {Op::CountDown, 1, 1}},
    };
    return table;
}

const Table& components() {
    static const Table table = {
        {"等しければ", {Op::IfEqual, 2, 0}},
        {"違えば", {Op::IfDifferent, 2, 0}},
        {"小さければ", {Op::IfLess, 2, 0}},
        {"大きければ", {Op::IfGreater, 2, 0}},
        {"キーが押されたら", {Op::IfKey, 1, 0}},
        {"当たったら", {Op::IfHit, 2, 0}},
        {"確率で", {Op::IfChance, 1, 0}},
        {"飛ぶ", {Op::Always, 0, 0}},
        {"画面から出たら", {Op::IfOffScreen, 1, 0}},
        {"画像があれば", {Op::IfShown, 1, 0}},
        {"クリックされたら", {Op::IfClicked, 1, 0}},
    };
    return table;
}

const OpInfo* find(const Table& table, const std::string& name) {
    const auto found = table.find(name);
    return found == table.end() ? nullptr : &found->second;
}

} // namespace

const OpInfo* findInstruction(const std::string& name) {
    return find(instructions(), name);
}

const OpInfo* findComponent(const std::string& name) {
    return find(components(), name);
}

} // namespace hakoniwa::player
