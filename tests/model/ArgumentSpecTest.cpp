#include "model/ArgumentSpec.h"
#include "Cp932Text.h"
#include "model/ArgumentHint.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

namespace {

std::string hintOf(const char* field) {
    return ArgumentSpec::parse(sj(field)).hintLine();
}

} // namespace

TEST(ArgumentSpec, EachKindAddsItsHint) {
    EXPECT_EQ(hintOf("数値:hen|val.10"), sj("数値 デフォルト値[10]"));
    EXPECT_EQ(hintOf("出力先:hen.w"), sj("出力先 （結果が格納される）"));
    EXPECT_EQ(hintOf("ファイル:hen|val.file"), sj("ファイル"));
    // Without "." the whole type spec stands as the default; a second "." ends it.
    EXPECT_EQ(hintOf("数値:hen|val"), sj("数値 デフォルト値[hen|val]"));
    EXPECT_EQ(hintOf("数値:hen|val.1.5"), sj("数値 デフォルト値[1]"));
    EXPECT_EQ(hintOf("文字列:str"), sj("文字列"));
    EXPECT_EQ(hintOf("向き:tei(0.左|1.右)"), sj("向き 定数(左[0],右[1],)"));
}

TEST(ArgumentSpec, KindsAreTestedInOrderAndAMissingColonRepeatsTheField) {
    EXPECT_EQ(ArgumentSpec::parse("a:hen|val.file").kind, ArgumentKind::File);
    EXPECT_EQ(ArgumentSpec::parse("a:hen.w tei(0.x)").kind, ArgumentKind::Result);
    EXPECT_EQ(ArgumentSpec::parse("a:tei(0.x) hen|val").kind, ArgumentKind::VariableOrValue);
    EXPECT_EQ(ArgumentSpec::parse("a:b:hen.w").kind, ArgumentKind::Free);

    const ArgumentSpec bare = ArgumentSpec::parse("hen|val.7");
    EXPECT_EQ(bare.description, "hen|val.7");
    EXPECT_EQ(bare.typeSpec, "hen|val.7");
    EXPECT_EQ(bare.defaultValue, "7");
}

TEST(ArgumentSpec, ConstantsAreValueDotLabel) {
    const ArgumentSpec spec = ArgumentSpec::parse(sj("向き:tei(0.左|1.右)"));
    ASSERT_EQ(spec.kind, ArgumentKind::Constant);
    EXPECT_EQ(spec.constants, (std::vector<Constant>{{"0", sj("左")}, {"1", sj("右")}}));
    EXPECT_EQ(spec.constants[1].entry(), sj("右,1"));
}

TEST(ArgumentHint, DescribesTheDefinitionAndEveryArgumentOnePerLine) {
    const std::string move = sj("move-移動,x を移動,2,X:hen|val.0,結果:hen.w");
    const ArgumentHint hint = ArgumentHint::build(move, 3);
    EXPECT_EQ(hint.text,
              sj("move-移動(x を移動) 引数2個\nX デフォルト値[0]\n結果 （結果が格納される）\n"));
    EXPECT_EQ(hint.kind, ArgumentKind::VariableOrValue);
    EXPECT_EQ(ArgumentHint::build(move, 4).kind, ArgumentKind::Result);
    // A column beyond the definition's fields takes the variable list.
    EXPECT_EQ(ArgumentHint::build(move, 7).kind, ArgumentKind::Free);
}

TEST(ArgumentHint, ConstantEntriesComeOnlyFromThePressedColumn) {
    const std::string line = sj("turn,回る,2,向き:tei(0.左|1.右),速さ:tei(1.遅い|2.速い)");
    EXPECT_EQ(ArgumentHint::build(line, 3).constantEntries,
              (std::vector<std::string>{sj("左,0"), sj("右,1")}));
    EXPECT_EQ(ArgumentHint::build(line, 4).kind, ArgumentKind::Constant);
    EXPECT_TRUE(ArgumentHint::build(line, 5).constantEntries.empty());
}

TEST(ArgumentHint, ShortOrEmptyDefinitions) {
    EXPECT_EQ(ArgumentHint::build("", 3).text, "");
    EXPECT_EQ(ArgumentHint::build("", 3).kind, ArgumentKind::Free);
    EXPECT_EQ(ArgumentHint::build("only", 3).text, "only");
    EXPECT_EQ(ArgumentHint::build("name,what", 3).text, "name(what)");
}
