#include "model/Definitions.h"
#include "model/ArgumentSpec.h"
#include "model/InstructionTree.h"
#include "model/TextOps.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

using namespace hakoniwa;
using Lines = std::vector<std::string>;

TEST(Definitions, AnyLineEndingEndsALineAndNothingIsLostOrTrimmed) {
    EXPECT_EQ(Definitions::splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(Definitions::splitLines("a\r\n\r\n\nb\r\r\n"), (Lines{"a", "", "", "b", ""}));
    EXPECT_EQ(Definitions::splitLines(" last without ending "), Lines{" last without ending "});
    EXPECT_EQ(Definitions::splitLines("one\r\n"), Lines{"one"});
    EXPECT_EQ(Definitions::splitLines("\r\n"), Lines{""});
    EXPECT_EQ(Definitions::splitLines(""), Lines{});
    // A trail byte is never taken for a line ending or anything else.
    EXPECT_EQ(Definitions::splitLines("\x95\x5C\x8E\xA6\n"), Lines{"\x95\x5C\x8E\xA6"});
}

TEST(Definitions, OnlyTheFirstLineOfConfNamesTheFolder) {
    EXPECT_EQ(Definitions::folderOf("game\r\nother\r\n"), "game");
    EXPECT_EQ(Definitions::folderOf("sub\\game"), "sub\\game");
    EXPECT_EQ(Definitions::folderOf("\r\ngame"), "");
    EXPECT_EQ(Definitions::folderOf(""), "");
}

namespace {

Lines readSample(const std::string& name) {
    std::ifstream file(std::string(HAKONIWA_SOURCE_DIR) + "/dat/txt/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return Definitions::splitLines(
        std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
}

} // namespace

// The vocabulary the editor starts with: every line well formed, every kind of argument used.
TEST(SampleVocabulary, IsCompleteAndEveryDefinitionIsWellFormed) {
    const Lines conf = readSample("conf.txt");
    ASSERT_FALSE(conf.empty());
    const std::string folder = conf.front() + "/";
    const Lines instructions = readSample(folder + "mtd.txt");
    const Lines components = readSample(folder + "cmp.txt");
    const Lines systemVariables = readSample(folder + "sysHen.txt");
    EXPECT_GE(instructions.size(), 28u);
    EXPECT_GE(components.size(), 8u);
    EXPECT_GE(systemVariables.size(), 10u);
    EXPECT_GE(buildInstructionTree(instructions).size(), 6u);

    std::set<ArgumentKind> kinds;
    bool someDefault = false;
    for (const Lines* lines : {&instructions, &components}) {
        for (const std::string& line : *lines) {
            ASSERT_FALSE(line.empty());
            const int fields = getSplitCount(line, ',');
            EXPECT_EQ(std::to_string(fields - 3), getSplitStrVal(line, ',', 2)) << line;
            for (int k = 3; k < fields; ++k) {
                const ArgumentSpec spec = ArgumentSpec::parse(getSplitStrVal(line, ',', k));
                kinds.insert(spec.kind);
                someDefault |= spec.kind == ArgumentKind::VariableOrValue &&
                               spec.defaultValue != spec.typeSpec;
                if (spec.kind == ArgumentKind::Constant)
                    EXPECT_GE(spec.constants.size(), 2u) << line;
            }
        }
    }
    // Component arguments live in columns 3 to 5; 6 to 9 hold the link handles.
    for (const std::string& line : components)
        EXPECT_LE(getSplitCount(line, ','), 6) << line;
    EXPECT_EQ(kinds.size(), 5u);
    EXPECT_TRUE(someDefault);
    for (const std::string& line : systemVariables)
        EXPECT_EQ(getSplitCount(line, ','), 2) << line;
}
