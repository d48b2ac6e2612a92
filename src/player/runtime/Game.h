#pragma once
// The player's running game, apart from any window: it reads a project and its vocabulary,
// runs one frame of game time per call and keeps what the screen shows as plain data. The
// program around it (window or headless) draws the picture, feeds input and plays sounds.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hakoniwa::player {

// Keys in the order of the vocabulary's key constants (0.上 … 5.取消).
enum class Key { Up, Down, Left, Right, Decide, Cancel };
constexpr int kKeyCount = 6;

struct PictureImage {
    std::string path; // absolute path in the file system's encoding (UTF-8)
    int x = 0;
    int y = 0;
};

struct PictureText {
    std::string text; // code page 932 bytes, as in the project
    int x = 0;
    int y = 0;
    int colour = 0; // index of the text colour constant: 0 白 1 黒 2 赤 3 青 4 黄
};

// What the screen shows after a frame: the background, the images by number (drawn in
// ascending number order) and the texts in the order they were written.
struct Picture {
    int background = 0; // index of the background constant: 0 黒 1 白 2 空色 3 草色 4 夕焼け色
    std::map<int, PictureImage> images;
    std::vector<PictureText> texts;
};

// Input as it stands at the start of a frame.
struct FrameInput {
    std::array<bool, kKeyCount> keysDown{};
    int mouseX = 0;
    int mouseY = 0;
    bool mouseLeft = false;
    bool mouseRight = false;
    std::optional<std::string> nameEntered; // the answer to the last askName, code page 932
};

struct ImageSize {
    int width = 0;
    int height = 0;
};

// What the game asks of the program around it.
class Host {
public:
    virtual ~Host() = default;
    // The size of an image file, or nothing when it cannot be read as PNG or BMP.
    virtual std::optional<ImageSize> imageSize(const std::string& path) = 0;
    virtual void playEffect(const std::string& path, int volume) = 0;
    virtual void playMusic(const std::string& path, int volume) = 0;
    virtual void stopMusic(bool fadeOut) = 0;
    // Shows a name entry with the prompt (code page 932); the answer comes in a later
    // FrameInput::nameEntered.
    virtual void askName(const std::string& prompt) = 0;
    // ゲーム終了 with 確認してから終える: true when the player may end the game now.
    virtual bool confirmQuit() = 0;
};

// Why the game stopped with an error, in the editor's terms.
struct PlayError {
    std::string scene;  // tab caption, code page 932
    std::string item;   // item label, or the item name when the label is empty
    int row = 0;        // command number as the editor shows it (sheet row - 1)
    std::string reason; // UTF-8
    std::string message() const; // one line, UTF-8: "シーン「…」 アイテム「…」 3 行目: reason"
};

struct GameOptions {
    std::string projectPath;   // project file written by the editor
    std::string vocabularyDir; // folder holding mtd.txt, cmp.txt and sysHen.txt
    // Where file names without a folder are looked up first; empty: the project file's folder.
    // The editor's run file lies in the run folder, away from the project's own files.
    std::string filesDir;
    std::uint32_t seed = 1; // for 乱数 and 確率で
    int width = 640;
    int height = 480;
};

class Game {
public:
    // Reads the project and the vocabulary; a failure to read is reported by error().
    explicit Game(const GameOptions& options);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Runs every thread of the game until each waits, then ends the frame: game time
    // advances by 1000/60 ms. Does nothing once the game has finished or stopped.
    void runFrame(const FrameInput& input, Host& host);

    const Picture& picture() const;
    int width() const;     // 画面幅, as the game last set it
    int height() const;    // 画面高さ
    bool finished() const; // ゲーム終了 ran, or no thread is left to run
    // The first scene's tab caption (code page 932); empty when the project did not load.
    const std::string& firstSceneCaption() const;
    const std::optional<PlayError>& error() const;
    // Every variable, one per line, sorted: "scope name[index].member = value" (UTF-8).
    std::string dumpVariables() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace hakoniwa::player
