#include "model/VocabularyHelp.h"
#include "Cp932Text.h"
#include "model/HelpPage.h"
#include "model/TextOps.h"
#include "model/VocabularyFiles.h"

#include <gtest/gtest.h>
#include <set>

using namespace hakoniwa;

namespace {

std::string crlf(const char* utf8) {
    std::string text;
    for (const char c : sj(utf8)) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

} // namespace

TEST(VocabularyHelp, ReadsHeadingsKeysAndExplanationLines) {
    const VocabularyHelp help = VocabularyHelp::parse(crlf("前置きは読まない\n"
                                                           "[命令 画像移動]\n"
                                                           "\n"
                                                           "画像を動かす。\n"
                                                           "# 注釈\n"
                                                           "X=100 のような行は説明の文。\n"
                                                           "引数1=画像の番号\n"
                                                           "引数x=番号のない引数は説明の文\n"
                                                           "例=1|x[]|y[]\n"
                                                           "\n"
                                                           "[部品 画像移動]\n"
                                                           "部品の説明\n"
                                                           "[別の 見出し]\n"
                                                           "読まない\n"
                                                           "[命令 ゾ\n"));
    const HelpEntry* instruction = help.find(DefinitionKind::Instruction, sj("画像移動"));
    ASSERT_NE(instruction, nullptr);
    EXPECT_EQ(instruction->explanation,
              sj("画像を動かす。\nX=100 のような行は説明の文。\n引数x=番号のない引数は説明の文"));
    EXPECT_EQ(instruction->argumentNotes, (std::map<int, std::string>{{1, sj("画像の番号")}}));
    EXPECT_EQ(instruction->examples, std::vector<std::string>{sj("1|x[]|y[]")});
    // The same name as a component is its own entry; "[命令 ゾ" ends in the second byte of ゾ
    // (0x5D, "]"), so it is no heading.
    const HelpEntry* component = help.find(DefinitionKind::Component, sj("画像移動"));
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(component->explanation, sj("部品の説明"));
    EXPECT_EQ(help.names().size(), 2u);
    EXPECT_EQ(help.find(DefinitionKind::Instruction, sj("ゾ")), nullptr);
}

TEST(HelpPage, JoinsTheDefinitionLineWithItsHelpEntry) {
    const std::string line = sj("比較-分岐,二つの値を比べる,4,結果:hen.w,値1:hen|val.0,"
                                "比べ方:tei(0.等しい|1.より小さい),値2:hen|val,画像:hen|val.file");
    const VocabularyHelp help = VocabularyHelp::parse(
        crlf("[命令 比較]\n比べて入れる\n引数3=比べ方を選ぶ\n例=r[]|x[]|より小さい,1|3\n例=\n"));

    // Without a help file the page is the description line alone.
    const HelpPage plain = HelpPage::build(line, DefinitionKind::Instruction, nullptr);
    EXPECT_EQ(plain.name, sj("比較"));
    EXPECT_EQ(plain.group, sj("分岐"));
    EXPECT_EQ(plain.description, sj("二つの値を比べる"));
    EXPECT_FALSE(plain.detailed);
    EXPECT_TRUE(plain.arguments.empty());

    const HelpPage page = HelpPage::build(line, DefinitionKind::Instruction, &help);
    EXPECT_TRUE(page.detailed && page.hasEntry);
    EXPECT_EQ(page.explanation, sj("比べて入れる"));
    ASSERT_EQ(page.arguments.size(), 5u);
    EXPECT_EQ(page.arguments[0].kind, ArgumentKind::Result);
    EXPECT_EQ(page.arguments[0].column, 3);
    EXPECT_EQ(page.arguments[1].defaultValue, "0");
    EXPECT_EQ(page.arguments[2].kind, ArgumentKind::Constant);
    EXPECT_EQ(page.arguments[2].constants.size(), 2u);
    EXPECT_EQ(page.arguments[2].note, sj("比べ方を選ぶ"));
    EXPECT_EQ(page.arguments[3].defaultValue, "hen|val"); // no "." keeps the type spec
    EXPECT_EQ(page.arguments[4].kind, ArgumentKind::File);
    ASSERT_EQ(page.examples.size(), 2u);
    EXPECT_EQ(page.examples[0],
              (std::vector<std::string>{sj("比較"), "r[]", "x[]", sj("より小さい,1"), "3"}));
    EXPECT_EQ(page.examples[1], std::vector<std::string>{sj("比較")});

    // A component is found under its whole field 0; an entry-less definition still lists
    // its arguments.
    const HelpPage component =
        HelpPage::build(sj("比較,比べて飛ぶ,1,値:hen|val.5"), DefinitionKind::Component, &help);
    EXPECT_TRUE(component.detailed);
    EXPECT_FALSE(component.hasEntry);
    ASSERT_EQ(component.arguments.size(), 1u);
    EXPECT_EQ(component.arguments[0].defaultValue, "5");
}

// Every instruction and component of the shipped vocabulary is explained: an explanation, a
// note for each argument and an example row with one cell per argument; and every entry of
// the help file names a definition, so a renamed instruction cannot leave its help behind.
TEST(VocabularyHelp, ShippedVocabularyHasHelpForEveryDefinition) {
    const std::filesystem::path folder =
        std::filesystem::path(HAKONIWA_SOURCE_DIR) / "dat/txt/game";
    const Definitions vocabulary = readVocabulary(folder);
    const std::optional<VocabularyHelp> help = readVocabularyHelp(folder);
    ASSERT_TRUE(help.has_value());
    std::set<std::pair<DefinitionKind, std::string>> defined;
    const auto check = [&](const std::string& line, DefinitionKind kind) {
        if (line.empty())
            return;
        const HelpPage page = HelpPage::build(line, kind, &*help);
        defined.insert({kind, page.name});
        const std::string name = Cp932Codec::decode(page.name).toStdString();
        ASSERT_TRUE(page.hasEntry) << "no help for " << name;
        EXPECT_FALSE(page.explanation.empty()) << name;
        for (const HelpArgument& argument : page.arguments)
            EXPECT_FALSE(argument.note.empty()) << name << " argument " << argument.column - 2;
        ASSERT_FALSE(page.examples.empty()) << name;
        for (const auto& example : page.examples)
            EXPECT_EQ(example.size(), page.arguments.size() + 1) << name;
    };
    for (const std::string& line : vocabulary.instructions)
        check(line, DefinitionKind::Instruction);
    for (const std::string& line : vocabulary.components)
        check(line, DefinitionKind::Component);
    for (const auto& entry : help->names())
        EXPECT_TRUE(defined.count(entry))
            << "help for nothing: " << Cp932Codec::decode(entry.second).toStdString();
}
