#include "model/SceneName.h"
#include "model/CellText.h"
#include "model/Project.h"
#include "model/Texts.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(SceneName, NamesTheFileCannotCarryBackAreRefused) {
    EXPECT_TRUE(canStoreSceneName("Title"));
    EXPECT_TRUE(canStoreSceneName("[page0]"));
    EXPECT_TRUE(canStoreSceneName("a\tb"));
    for (const char* bad :
         {"", "\tx", "a\nb", "a\rb", "[scene_headder]", "[/scene_headder]", "[itm]", "[/itm]"})
        EXPECT_FALSE(canStoreSceneName(bad)) << bad;
    // The first scene always reads back as "メイン".
    EXPECT_EQ(checkSceneRename(0, "Title"), SceneRename::FirstSceneFixed);
    EXPECT_EQ(checkSceneRename(0, texts::kMain), SceneRename::Allowed);
    EXPECT_EQ(checkSceneRename(1, "Title"), SceneRename::Allowed);
    EXPECT_EQ(checkSceneRename(1, "[itm]"), SceneRename::NotStorable);
}

TEST(SceneName, MemoLinesRoundTrip) {
    EXPECT_TRUE(splitMemo("").empty());
    const std::vector<std::string> lines = {"a", "", "\tb", ""};
    EXPECT_EQ(splitMemo("a\n\n\tb\n"), lines);
    EXPECT_EQ(joinMemo(lines), "a\n\n\tb\n");
}

TEST(Project, SceneCaptionsAndActiveScene) {
    Project project;
    EXPECT_EQ(project.activeScene(), nullptr);
    project.addScene();
    project.addScene();
    project.addScene();
    EXPECT_EQ(project.scene(0).caption, texts::kMain);
    EXPECT_EQ(project.scene(0).nodeText, texts::kMain + "tv");
    EXPECT_EQ(project.scene(2).caption, "Page2");
    EXPECT_EQ(project.activeIndex(), 0);
    project.clear();
    EXPECT_EQ(project.activeIndex(), -1);
    EXPECT_EQ(project.addScene().caption, texts::kMain);
    EXPECT_EQ(project.addScene().caption, "Page1");
    EXPECT_THROW(project.setActiveIndex(2), std::out_of_range);
    // A new scene never takes a name a scene already has, however the others were renamed.
    project.scene(1).caption = "Page2";
    EXPECT_EQ(project.addScene().caption, "Page3");
    EXPECT_EQ(project.addScene().caption, "Page4");
    project.deleteScene(1);
    EXPECT_EQ(project.nextSceneCaption(), "Page5");
}

TEST(CellText, TabsAndLineBreaksBecomeSpaces) {
    EXPECT_EQ(cleanCellText("a\tb\r\nc"), "a b  c");
    // The second byte of a double-byte character is never a control byte, so text survives.
    EXPECT_EQ(cleanCellText("\x83\x7C"), "\x83\x7C");
}
