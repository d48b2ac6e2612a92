#include "model/ProjectCheck.h"

#include "Cp932Text.h"
#include "model/Project.h"
#include "model/Texts.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace hakoniwa;

namespace {

const std::string kShow = "show-screen,place,3,no:hen|val.1,file:hen|val.file,x:hen|val.0";
const std::string kSet = "set-var,assign,2,to:hen.w,value:hen|val.0";
const std::string kText = "text-screen,write,2,text:str,colour:tei(0.white|1.black)";
const std::string kCount = "count-var,count,1,value:hen|val";
const std::string kEqual = "equal,if equal,2,a:hen|val.0,b:hen|val.0";
const std::string kAlways = "always,jump,0";

using Where = std::tuple<int, int, int, ProblemKind>; // scene, item, row, kind

// Two scenes: "main" with items a (the start item) and b, "stage" with c. Every row is
// sound: references to a global and a local, system variables, constants, a path with
// brackets, text with a comma, jumps to an item and to a scene.
class ProjectCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        vocabulary.instructions = {kShow, kSet, kText, kCount};
        vocabulary.components = {kEqual, kAlways};
        vocabulary.systemVariables = {"score,the score", "time,milliseconds"};
        Scene& main = project.addScene();
        a = &main.addItem(0, 0).sheet;
        b = &main.addItem(100, 0).sheet;
        c = &project.addScene().addItem(0, 0).sheet;
        row(*a, 2, {"pos", "x", "y"});
        row(*a, 3, {"0", kSet, "pos[].x", "score,the score"});
        row(*a, 4, {"2", kAlways, "", "", "", "-20", "-20", "-20", "-20"});
        row(*a, 5, {"4", kEqual, "pos[1].y", "time,milliseconds"}); // calls "stage"
        row(*b, 2, {"0", kText, "hello, world", "black,1"});
        row(*b, 3, {"0", kShow, "1", "C:/img/a[1].png"});
        row(*b, 4, {"0", kCount, "5"});
        row(*c, 2, {"hero", "hp"});
        row(*c, 3, {"0", kSet, "hero[].hp", "pos[2].x"});
    }

    static void row(ItemSheet& sheet, int r, const std::vector<std::string>& cells) {
        for (int column = 1; column < sheet.columnCount(); ++column)
            sheet.setCell(column, r,
                          column <= static_cast<int>(cells.size()) ? cells[column - 1] : "");
    }

    std::vector<Where> found() const {
        std::vector<Where> where;
        for (const Problem& problem : checkProject(project, vocabulary))
            where.emplace_back(problem.scene, problem.item, problem.row, problem.kind);
        return where;
    }
    std::string onlyMessage() const {
        const std::vector<Problem> problems = checkProject(project, vocabulary);
        return problems.size() == 1 ? problems[0].message
                                    : "(" + std::to_string(problems.size()) + ")";
    }

    Definitions vocabulary;
    Project project;
    ItemSheet *a, *b, *c;
};

} // namespace

TEST_F(ProjectCheckTest, JumpsToNothingAndUnsetJumps) {
    EXPECT_TRUE(found().empty());
    a->setCell(1, 4, "5"); // K + S = 4: nothing is number 5
    EXPECT_EQ(found(), (std::vector<Where>{{0, 0, 4, ProblemKind::JumpNowhere}}));
    EXPECT_EQ(onlyMessage(), texts::kProblemJumpNowhere + "5");
    a->setCell(1, 4, "-1");
    const std::vector<Problem> unset = checkProject(project, vocabulary);
    ASSERT_EQ(unset.size(), 1u);
    EXPECT_EQ(unset[0].kind, ProblemKind::JumpUnset);
    EXPECT_TRUE(unset[0].isWarning());
    a->setCell(1, 4, "-7");
    EXPECT_EQ(found(), (std::vector<Where>{{0, 0, 4, ProblemKind::JumpNowhere}}));
    // A new scene makes number 5 a scene call.
    a->setCell(1, 4, "5");
    project.addScene().addItem(0, 0);
    EXPECT_TRUE(found().empty());
}

TEST_F(ProjectCheckTest, DefinitionsAreWholeLinesOfTheirOwnFile) {
    b->setCell(2, 4, kCount + " "); // one byte more is another line
    a->setCell(2, 4, kSet);         // an instruction is no component
    b->setCell(2, 2, "");
    EXPECT_EQ(found(), (std::vector<Where>{{0, 0, 4, ProblemKind::UnknownDefinition},
                                           {0, 1, 2, ProblemKind::UnknownDefinition},
                                           {0, 1, 4, ProblemKind::UnknownDefinition}}));
    const std::vector<Problem> problems = checkProject(project, vocabulary);
    EXPECT_EQ(problems[0].message, texts::kProblemUnknownComponent + "set-var");
    EXPECT_EQ(problems[1].message, texts::kProblemEmptyInstruction);
    b->setCell(2, 4, kCount);
    a->setCell(2, 4, kAlways);
    b->setCell(2, 2, kText);
    EXPECT_TRUE(found().empty());
}

TEST_F(ProjectCheckTest, ArgumentsBeyondTheDefinitionOrRequiredAndEmpty) {
    b->setCell(5, 2, "extra");     // text-screen has two arguments
    b->setCell(6, 3, "0");         // show-screen three: column 6 is a fourth
    a->setCell(3, 4, "1");         // always takes none; its link handles in 6 to 9 are no arguments
    b->setCell(3, 4, "");          // hen|val without a default is needed
    c->setCell(3, 3, "");          // a result needs its variable
    b->setCell(4, 2, "");          // a constant choice is needed
    b->setCell(3, 2, "");          // free text may be empty
    b->setCell(5, 3, "");          // x has the default 0
    c->setColumnCount(4);          // a required argument beyond the sheet's columns is missing
    row(*c, 4, {"0", kShow, "1"}); // file
    EXPECT_EQ(found(), (std::vector<Where>{{0, 0, 4, ProblemKind::ArgumentCount},
                                           {0, 1, 2, ProblemKind::ArgumentCount},
                                           {0, 1, 2, ProblemKind::ArgumentCount},
                                           {0, 1, 3, ProblemKind::ArgumentCount},
                                           {0, 1, 4, ProblemKind::ArgumentCount},
                                           {1, 0, 3, ProblemKind::ArgumentCount},
                                           {1, 0, 4, ProblemKind::ArgumentCount}}));
    EXPECT_EQ(checkProject(project, vocabulary)[1].message,
              texts::kProblemArgument + "2" + texts::kProblemArgumentEmpty + "colour");
    EXPECT_EQ(checkProject(project, vocabulary)[2].message,
              texts::kProblemExtraArgument + "3: extra");
    a->setCell(3, 4, "");
    b->setCell(5, 2, "");
    b->setCell(4, 2, "white,0");
    b->setCell(6, 3, "");
    b->setCell(3, 4, "pos[].y");
    c->setCell(3, 3, "hero[].hp");
    row(*c, 4, {});
    EXPECT_TRUE(found().empty());
}

TEST_F(ProjectCheckTest, ReferencesNeedADeclarationInScope) {
    a->setCell(3, 3, "hero[].hp");   // hero is local to "stage"
    a->setCell(4, 3, "pos[i].z");    // pos has x and y
    c->setCell(4, 3, "pos[2]");      // the global itself, without member
    b->setCell(3, 2, "enemy[1].hp"); // free text that is a reference all the same
    EXPECT_EQ(found(), (std::vector<Where>{{0, 0, 3, ProblemKind::UndeclaredVariable},
                                           {0, 0, 3, ProblemKind::UnknownMember},
                                           {0, 1, 2, ProblemKind::UndeclaredVariable}}));
    EXPECT_EQ(checkProject(project, vocabulary)[1].message,
              texts::kProblemUnknownMember + "pos[].z");
    // Not references: a path, a constant entry, a number before the bracket, broken forms.
    for (const char* literal : {"img\\a[1].png", "a,b[1]", "3[1]", "pos[1", "pos[1]x", "pos[1]."}) {
        b->setCell(3, 2, literal);
        EXPECT_EQ(found().size(), 2u) << literal;
    }
    // Code page 932 names: the second byte of ー (0x81 0x5B) is no bracket.
    a->setCell(1, 2, sj("ボーナス"));
    a->setCell(3, 3, sj("ボーナス[].x"));
    a->setCell(4, 3, "time,milliseconds");
    a->setCell(3, 5, sj("ボーナス[1].y"));
    c->setCell(4, 3, sj("ボーナス[].y"));
    b->setCell(3, 2, "");
    EXPECT_TRUE(found().empty());
}

TEST_F(ProjectCheckTest, SystemVariableLinesMustBeInTheVocabulary) {
    a->setCell(4, 3, "lives,lives left"); // where a value goes
    c->setCell(3, 3, "score,old text");   // where a result goes
    b->setCell(3, 2, "lives,lives left"); // free text: a comma is just text
    a->setCell(3, 3, "up,0");             // a constant entry elsewhere
    EXPECT_EQ(found(), (std::vector<Where>{{0, 0, 3, ProblemKind::UnknownSystemVariable},
                                           {1, 0, 3, ProblemKind::UnknownSystemVariable}}));
    EXPECT_EQ(checkProject(project, vocabulary)[0].message,
              texts::kProblemUnknownSystemVariable + "lives,lives left");
    vocabulary.systemVariables.push_back("lives,lives left");
    c->setCell(3, 3, "score,the score");
    EXPECT_TRUE(found().empty());
}

TEST_F(ProjectCheckTest, EachSceneHasOneStartItem) {
    project.addScene(); // no items at all
    b->setCell(3, 1, "1");
    c->setCell(3, 1, "0");
    EXPECT_EQ(found(), (std::vector<Where>{{0, 1, -1, ProblemKind::StartItem},
                                           {1, -1, -1, ProblemKind::StartItem},
                                           {2, -1, -1, ProblemKind::StartItem}}));
    EXPECT_EQ(checkProject(project, vocabulary)[1].message, texts::kProblemNoStartItem);
    b->setCell(3, 1, "0");
    c->setCell(3, 1, "1");
    project.scene(2).addItem(0, 0);
    EXPECT_TRUE(found().empty());
}
