#pragma once

#include <string>

// The system's own texts that end up in cells, lists or files, as code page 932 bytes.
// Source files are UTF-8, so each text is kept here once as an escaped byte literal.
namespace hakoniwa::texts {

extern const std::string kMain;              // メイン
extern const std::string kInstruction;       // 命令
extern const std::string kJumpItems;         // 飛び先アイテム
extern const std::string kJumpScenes;        // 飛び先メソッド
extern const std::string kGlobalVariables;   // グローバル変数
extern const std::string kLocalVariables;    // ローカル変数
extern const std::string kSystemVariables;   // システム変数
extern const std::string kHintResult;        //  （結果が格納される）
extern const std::string kHintDefaultOpen;   //  デフォルト値[
extern const std::string kHintConstantsOpen; //  定数(
extern const std::string kHintArgCountOpen;  //  引数
extern const std::string kHintArgCountClose; // 個
extern const std::string kImageWord;         // 画像
extern const std::string kSoundWord;         // 音
extern const std::string kSelectedRow;       // 選択行
extern const std::string kDetailsCaption;    // 詳細:
extern const std::string kInstructionCall;   // 命令呼び出し
extern const std::string kJumpArrow;         // ジャンプ->
extern const std::string kGlobal;            // グローバル
extern const std::string kLocal;             // ローカル
extern const std::string kDeclaration;       // 変数宣言:
// Headings and keys of a vocabulary's help file.
extern const std::string kHelpComponent; // 部品
extern const std::string kHelpExample;   // 例
// The problems list and the checker.
extern const std::string kProblemJumpNowhere;           // 存在しない飛び先:
extern const std::string kProblemJumpInvalid;           // 使えない飛び先番号:
extern const std::string kProblemJumpUnset;             // 飛び先が未設定 (-1)
extern const std::string kProblemUnknownInstruction;    // mtd.txt にない命令:
extern const std::string kProblemEmptyInstruction;      // 命令が空
extern const std::string kProblemUnknownComponent;      // cmp.txt にないコンポーネント:
extern const std::string kProblemEmptyComponent;        // コンポーネントが空
extern const std::string kProblemExtraArgument;         // 余分な引数
extern const std::string kProblemArgument;              // 引数
extern const std::string kProblemArgumentEmpty;         // が空:
extern const std::string kProblemUndeclaredVariable;    // 宣言されていない変数:
extern const std::string kProblemUnknownMember;         // 宣言されていないメンバー:
extern const std::string kProblemUnknownSystemVariable; // sysHen.txt にないシステム変数:
extern const std::string kProblemNoStartItem;           // 開始アイテムがない
extern const std::string kProblemManyStartItems;        // 開始アイテムが複数ある

// Every text above with its UTF-8 spelling, so one test can check each escape.
struct TextPair {
    const std::string* bytes;
    const char* utf8;
};
extern const TextPair kAllTexts[];
extern const int kAllTextsCount;

} // namespace hakoniwa::texts
