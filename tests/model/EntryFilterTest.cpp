#include "model/EntryFilter.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

namespace {

bool matches(std::u32string_view entry, std::u32string_view typed) {
    return !EntryFilter({std::u32string(entry)}).matching(typed).empty();
}

} // namespace

TEST(EntryFilter, KanaOfEitherKindAndWidthAndLatinOfEitherWidthMatchEachOther) {
    for (const std::u32string_view entry : {U"画像イドウ", U"画像いどう", U"画像ｲﾄﾞｳ"})
        for (const std::u32string_view typed : {U"イドウ", U"いどう", U"ｲﾄﾞｳ", U"ドウ"})
            EXPECT_TRUE(matches(entry, typed)) << entry.size() << " " << typed.size();
    // The sound mark belongs to its letter: ト and ド, ハ and パ differ.
    EXPECT_FALSE(matches(U"いとう", U"ｲﾄﾞｳ"));
    EXPECT_TRUE(matches(U"パン", U"ﾊﾟﾝ"));
    EXPECT_FALSE(matches(U"バン", U"ﾊﾟﾝ"));
    EXPECT_TRUE(matches(U"BGM再生", U"ｂｇｍ"));
    EXPECT_TRUE(matches(U"ＡＢＣ", U"abc"));
    EXPECT_TRUE(matches(U"abc", U"ＡＢＣ"));
    EXPECT_FALSE(matches(U"abd", U"abc"));
    EXPECT_EQ(foldForSearch(U"ｶﾞｯｺｳＸ"), U"がっこうx");
}

TEST(EntryFilter, LatinLettersAlsoMatchTheKanaTheySpell) {
    EXPECT_EQ(romajiToHiragana(U"ido"), U"いど");
    EXPECT_EQ(romajiToHiragana(U"itou"), U"いとう");
    EXPECT_EQ(romajiToHiragana(U"shisi"), U"しし");
    EXPECT_EQ(romajiToHiragana(U"chitituts"), U"ちちつ"); // "ts" is still being typed
    EXPECT_EQ(romajiToHiragana(U"fuhu"), U"ふふ");
    EXPECT_EQ(romajiToHiragana(U"kitta"), U"きった");
    EXPECT_EQ(romajiToHiragana(U"kanto"), U"かんと");
    EXPECT_EQ(romajiToHiragana(U"onna"), U"おんな");
    EXPECT_EQ(romajiToHiragana(U"kin'ya"), U"きんや");
    EXPECT_EQ(romajiToHiragana(U"jazyajya"), U"じゃじゃじゃ");
    EXPECT_EQ(romajiToHiragana(U"kyasha"), U"きゃしゃ");

    EXPECT_TRUE(matches(U"イドウ", U"ido"));
    EXPECT_TRUE(matches(U"ｲﾄｳ", U"itou"));
    EXPECT_TRUE(matches(U"ﾏｯﾀ", U"matta"));
    EXPECT_TRUE(matches(U"idol", U"ido")); // the letters themselves also count
    EXPECT_FALSE(matches(U"いとう", U"ido"));
    EXPECT_FALSE(matches(U"まった", U"mata"));
}

TEST(EntryFilter, FindsWhatTheNameOrTheDescriptionContainsInListOrder) {
    const EntryFilter lines({U"画像表示-表示,画像ファイルを読み込んで画面に置く,4",
                             U"画像移動-表示,置いた画像を別の位置へ動かす,3",
                             U"代入-変数,変数に値を入れる,2",
                             U"待つ-待機,指定した時間だけ止まる,1"});
    EXPECT_EQ(lines.matching(U"移動"), std::vector<int>({1}));
    EXPECT_EQ(lines.matching(U"画像"), std::vector<int>({0, 1}));
    EXPECT_EQ(lines.matching(U"値を"), std::vector<int>({2}));
    EXPECT_EQ(lines.matching(U"kasu"), std::vector<int>({1}));
    EXPECT_EQ(lines.matching(U""), std::vector<int>({0, 1, 2, 3}));
    EXPECT_TRUE(lines.matching(U"移動する").empty());
}

TEST(EntryFilter, ADefinitionIsFoundByItsNameAndDescriptionNotItsArgumentSpecs) {
    const std::u32string mouse = U"マウスボタン-入力,マウスのボタン,1,結果:hen.w";
    const std::u32string keys = U"キー状態-入力,キーの状態,2,キー:tei(0.上|2.左|3.右),結果:hen.w";
    EXPECT_EQ(definitionSearchPart(keys), U"キー状態-入力,キーの状態");
    EXPECT_EQ(definitionSearchPart(U"名前だけ"), U"名前だけ");
    EXPECT_EQ(definitionSearchPart(U"名前,説明"), U"名前,説明");
    const EntryFilter lines(
        {std::u32string(definitionSearchPart(mouse)), std::u32string(definitionSearchPart(keys))});
    EXPECT_TRUE(lines.matching(U"左").empty());
    EXPECT_EQ(lines.matching(U"ボタン"), std::vector<int>({0}));
}
