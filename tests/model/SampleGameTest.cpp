#include "model/Definitions.h"
#include "check/ProjectCheck.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace hakoniwa;

namespace {

std::string readSourceFile(const std::string& relative) {
    std::ifstream file(std::string(HAKONIWA_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

// The shipped sample game opens, saves back to the same bytes and has nothing the editor's
// check would list, so the first thing a user opens is whole.
TEST(SampleGame, OpensSavesBackUnchangedAndHasNoProblems) {
    const std::string bytes = readSourceFile("samples/game/game.txt");
    ASSERT_TRUE(SourceReader::isProjectSource(bytes));
    Project project;
    SourceReader(project, 0, 0).read(bytes);
    ASSERT_EQ(project.sceneCount(), 3);
    EXPECT_EQ(SourceWriter::write(project), bytes);

    Definitions vocabulary;
    vocabulary.instructions = Definitions::splitLines(readSourceFile("dat/txt/game/mtd.txt"));
    vocabulary.components = Definitions::splitLines(readSourceFile("dat/txt/game/cmp.txt"));
    vocabulary.systemVariables = Definitions::splitLines(readSourceFile("dat/txt/game/sysHen.txt"));
    ASSERT_FALSE(vocabulary.instructions.empty());
    for (const Problem& problem : checkProject(project, vocabulary))
        ADD_FAILURE() << problem.scene << "/" << problem.item << "/" << problem.row << ": "
                      << problem.message;
}
