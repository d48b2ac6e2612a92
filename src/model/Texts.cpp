#include "model/Texts.h"

namespace hakoniwa::texts {

const std::string kMain = "\x83\x81\x83\x43\x83\x93"; // メイン
const std::string kInstruction = "\x96\xBD\x97\xDF";  // 命令
const std::string kJumpItems =
    "\x94\xF2\x82\xD1\x90\xE6\x83\x41\x83\x43\x83\x65\x83\x80"; // 飛び先アイテム
const std::string kJumpScenes =
    "\x94\xF2\x82\xD1\x90\xE6\x83\x81\x83\x5C\x83\x62\x83h"; // 飛び先メソッド
const std::string kGlobalVariables =
    "\x83O\x83\x8D\x81[\x83o\x83\x8B\x95\xCF\x90\x94"; // グローバル変数
const std::string kLocalVariables = "\x83\x8D\x81[\x83J\x83\x8B\x95\xCF\x90\x94"; // ローカル変数
const std::string kSystemVariables = "\x83V\x83X\x83\x65\x83\x80\x95\xCF\x90\x94"; // システム変数
const std::string kHintResult = " \x81i\x8C\x8B\x89\xCA\x82\xAA\x8Ai\x94["
                                "\x82\xB3\x82\xEA\x82\xE9\x81j"; //  （結果が格納される）
const std::string kHintDefaultOpen = " \x83\x66\x83t\x83H\x83\x8B\x83g\x92l["; //  デフォルト値[
const std::string kHintConstantsOpen = " \x92\xE8\x90\x94(";                   //  定数(
const std::string kHintArgCountOpen = " \x88\xF8\x90\x94";                     //  引数
const std::string kHintArgCountClose = "\x8C\xC2";                             // 個
const std::string kImageWord = "\x89\xE6\x91\x9C";                             // 画像
const std::string kSoundWord = "\x89\xB9";                                     // 音
const std::string kSelectedRow = "\x91I\x91\xF0\x8Ds";                         // 選択行
const std::string kDetailsCaption = "\x8F\xDA\x8D\xD7:";                       // 詳細:
const std::string kInstructionCall =
    "\x96\xBD\x97\xDF\x8C\xC4\x82\xD1\x8Fo\x82\xB5";                  // 命令呼び出し
const std::string kJumpArrow = "\x83W\x83\x83\x83\x93\x83v->";        // ジャンプ->
const std::string kGlobal = "\x83O\x83\x8D\x81[\x83o\x83\x8B";        // グローバル
const std::string kLocal = "\x83\x8D\x81[\x83J\x83\x8B";              // ローカル
const std::string kDeclaration = "\x95\xCF\x90\x94\x90\xE9\x8C\xBE:"; // 変数宣言:
const std::string kProblemJumpNowhere =
    "\x91\xB6\x8D\xDD\x82\xB5\x82\xC8\x82\xA2\x94\xF2\x82\xD1\x90\xE6: "; // 存在しない飛び先:
const std::string kProblemJumpInvalid = "\x8Eg\x82\xA6\x82\xC8\x82\xA2\x94\xF2\x82\xD1\x90\xE6\x94"
                                        "\xD4\x8D\x86: "; // 使えない飛び先番号:
const std::string kProblemJumpUnset =
    "\x94\xF2\x82\xD1\x90\xE6\x82\xAA\x96\xA2\x90\xDD\x92\xE8 (-1)"; // 飛び先が未設定 (-1)
const std::string kProblemUnknownInstruction =
    "mtd.txt \x82\xC9\x82\xC8\x82\xA2\x96\xBD\x97\xDF: "; // mtd.txt にない命令:
const std::string kProblemEmptyInstruction = "\x96\xBD\x97\xDF\x82\xAA\x8B\xF3"; // 命令が空
const std::string kProblemUnknownComponent =
    "cmp.txt "
    "\x82\xC9\x82\xC8\x82\xA2\x83R\x83\x93\x83|\x81[\x83l\x83\x93\x83g:"
    " "; // cmp.txt にないコンポーネント:
const std::string kProblemEmptyComponent =
    "\x83R\x83\x93\x83|\x81[\x83l\x83\x93\x83g\x82\xAA\x8B\xF3"; // コンポーネントが空
const std::string kProblemExtraArgument = "\x97]\x95\xAA\x82\xC8\x88\xF8\x90\x94"; // 余分な引数
const std::string kProblemArgument = "\x88\xF8\x90\x94";                           // 引数
const std::string kProblemArgumentEmpty = "\x82\xAA\x8B\xF3: ";                    // が空:
const std::string kProblemUndeclaredVariable =
    "\x90\xE9\x8C\xBE\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xC8\x82\xA2"
    "\x95\xCF\x90\x94: "; // 宣言されていない変数:
const std::string kProblemUnknownMember =
    "\x90\xE9\x8C\xBE\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xC8\x82\xA2\x83"
    "\x81\x83\x93\x83o\x81[: "; // 宣言されていないメンバー:
const std::string kProblemUnknownSystemVariable =
    "sysHen.txt "
    "\x82\xC9\x82\xC8\x82\xA2\x83V\x83X\x83\x65\x83\x80\x95\xCF\x90"
    "\x94: "; // sysHen.txt にないシステム変数:
const std::string kProblemNoStartItem =
    "\x8AJ\x8En\x83\x41\x83\x43\x83\x65\x83\x80\x82\xAA\x82\xC8\x82\xA2"; // 開始アイテムがない
const std::string kProblemManyStartItems = "\x8AJ\x8En\x83\x41\x83\x43\x83\x65\x83\x80\x82\xAA\x95"
                                           "\xA1\x90\x94\x82\xA0\x82\xE9"; // 開始アイテムが複数ある

const std::string kHelpComponent = "\x95\x94\x95\x69"; // 部品
const std::string kHelpExample = "\x97\xE1";           // 例

const TextPair kAllTexts[] = {
    {&kMain, "メイン"},
    {&kInstruction, "命令"},
    {&kJumpItems, "飛び先アイテム"},
    {&kJumpScenes, "飛び先メソッド"},
    {&kGlobalVariables, "グローバル変数"},
    {&kLocalVariables, "ローカル変数"},
    {&kSystemVariables, "システム変数"},
    {&kHintResult, " （結果が格納される）"},
    {&kHintDefaultOpen, " デフォルト値["},
    {&kHintConstantsOpen, " 定数("},
    {&kHintArgCountOpen, " 引数"},
    {&kImageWord, "画像"},
    {&kSoundWord, "音"},
    {&kHintArgCountClose, "個"},
    {&kSelectedRow, "選択行"},
    {&kDetailsCaption, "詳細:"},
    {&kInstructionCall, "命令呼び出し"},
    {&kJumpArrow, "ジャンプ->"},
    {&kGlobal, "グローバル"},
    {&kLocal, "ローカル"},
    {&kDeclaration, "変数宣言:"},
    {&kProblemJumpNowhere, "存在しない飛び先: "},
    {&kProblemJumpInvalid, "使えない飛び先番号: "},
    {&kProblemJumpUnset, "飛び先が未設定 (-1)"},
    {&kProblemUnknownInstruction, "mtd.txt にない命令: "},
    {&kProblemEmptyInstruction, "命令が空"},
    {&kProblemUnknownComponent, "cmp.txt にないコンポーネント: "},
    {&kProblemEmptyComponent, "コンポーネントが空"},
    {&kProblemExtraArgument, "余分な引数"},
    {&kProblemArgument, "引数"},
    {&kProblemArgumentEmpty, "が空: "},
    {&kProblemUndeclaredVariable, "宣言されていない変数: "},
    {&kProblemUnknownMember, "宣言されていないメンバー: "},
    {&kProblemUnknownSystemVariable, "sysHen.txt にないシステム変数: "},
    {&kProblemNoStartItem, "開始アイテムがない"},
    {&kProblemManyStartItems, "開始アイテムが複数ある"},
    {&kHelpComponent, "部品"},
    {&kHelpExample, "例"},
};
const int kAllTextsCount = sizeof(kAllTexts) / sizeof(kAllTexts[0]);

} // namespace hakoniwa::texts
