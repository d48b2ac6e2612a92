#pragma once

#include "player/runtime/Game.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Builds a small project from rows written in UTF-8, saves it with the vocabulary of
// dat/txt/game and starts a game on it; a fake host records what the game asks of it.
namespace hakoniwa::player::testing {

struct FakeHost : Host {
    std::optional<ImageSize> imageSize(const std::string& path) override;
    void playEffect(const std::string& path, int volume) override;
    void playMusic(const std::string& path, int volume) override;
    void stopMusic(bool fadeOut) override;
    void askName(const std::string& prompt) override;
    bool confirmQuit() override { return quitAnswer; }

    std::map<std::string, ImageSize> sizes; // by file name; others are 10 x 10
    std::vector<std::string> calls;         // "effect a.wav 100", "music ...", "stop 1", "ask ..."
    bool quitAnswer = true;
};

// A jump target: an item of the row's scene or a scene, by index.
struct Target {
    bool scene = false;
    int index = 0;
};
inline Target item(int index) {
    return {false, index};
}
inline Target scene(int index) {
    return {true, index};
}

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Appends a scene (the first exists already) and makes it the one rows go to.
    void addScene(const std::string& caption);
    // Appends an item to the current scene; `start` sets its start flag.
    void addItem(bool start, const std::string& label = "");
    // Rows of the current item: an instruction, a jump, a declaration, raw cells from column 1.
    void op(const std::string& name, std::vector<std::string> args = {});
    void jump(Target target, const std::string& component, std::vector<std::string> args = {});
    void declare(const std::string& name, std::vector<std::string> members = {});
    void cells(std::vector<std::string> cells);
    // Appends a definition line (UTF-8) to mtd.txt or cmp.txt of a copy of the vocabulary that
    // the game and the check then read.
    void addDefinition(const std::string& file, const std::string& line);
    // Creates an empty file in the project's folder.
    std::string touch(const std::string& name);

    // Saves the project and starts the game; `frames` frames are run with `input`.
    Game& start(int frames = 1, const FrameInput& input = {});
    void run(int frames, const FrameInput& input = {});
    // The message of the game's error, or "" when none.
    std::string errorMessage() const;
    // What the problems list shows for the project last started: "<sheet row>: message" or,
    // for a whole scene or item, the message alone (UTF-8).
    std::vector<std::string> problems() const;
    // True when the dump holds the line (UTF-8).
    bool dumps(const std::string& line) const;

    std::filesystem::path folder;
    FakeHost host;
    std::unique_ptr<Game> game;

private:
    struct Row {
        std::vector<std::string> cells; // UTF-8, from column 1
        std::optional<Target> target;
    };
    struct ItemRows {
        bool start;
        std::string label;
        std::vector<Row> rows;
    };
    struct SceneRows {
        std::string caption;
        std::vector<ItemRows> items;
    };
    std::string definitionLine(const std::string& file, const std::string& name) const;
    std::string projectBytes() const;
    std::vector<SceneRows> scenes_;
    std::filesystem::path vocabulary_;
};

} // namespace hakoniwa::player::testing
