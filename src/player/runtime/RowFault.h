#pragma once

#include <stdexcept>
#include <string>

namespace hakoniwa::player {

// The faults a row's cells can hold, found when the row is prepared at load. The problems list
// reports each of them in the player's words before a game runs; `AtRun` is a fault only the
// running game can find (a value, a file, the screen).
enum class RowFaultKind : unsigned char {
    AtRun,
    EmptyDefinition,       // 命令が空, コンポーネントが空
    UnknownDefinition,     // mtd.txt にない命令, cmp.txt にないコンポーネント
    NotRunnable,           // 実行できない命令, 実行できないコンポーネント
    ArgumentCount,         // 引数の数が合いません
    ExtraArgument,         // 余分な引数
    EmptyArgument,         // 引数 k が空
    NotVariable,           // 代入先が変数ではありません
    ReadOnlySystem,        // 書き込めないシステム変数
    UnknownSystemVariable, // sysHen.txt にないシステム変数
    NotConstant,           // 定数ではありません
    UndeclaredVariable,    // 宣言されていない変数
    UnknownMember,         // 宣言されていないメンバー
    BadIndex,              // 添字が使えません
    NumberTooLarge,        // 数値が大きすぎます
    BadJumpNumber,         // 使えない飛び先番号 (the last: tests walk the kinds up to it)
};

// What stops the game while a row runs or is prepared; the message is the reason (UTF-8).
// The interpreter adds the scene, item and row.
class RowFault : public std::runtime_error {
public:
    explicit RowFault(const std::string& reason, RowFaultKind kind = RowFaultKind::AtRun)
        : std::runtime_error(reason), kind_(kind) {}
    RowFaultKind kind() const { return kind_; }

private:
    RowFaultKind kind_;
};

// What a jump row whose component holds stops the game with when its jump number is -1, or
// names no item and no scene; the problems list says the same of the row before a run.
inline std::string unsetJumpReason() {
    return "飛び先が未設定です";
}
inline std::string jumpNowhereReason(int number) {
    return "存在しない飛び先: " + std::to_string(number);
}

} // namespace hakoniwa::player
