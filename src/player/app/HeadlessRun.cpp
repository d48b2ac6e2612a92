#include "player/app/HeadlessRun.h"

#include "player/app/ErrorOverlay.h"
#include "player/app/ImageCache.h"
#include "player/app/InputState.h"
#include "player/app/KeyScript.h"
#include "player/app/PictureRenderer.h"

#include <QFile>
#include <QImage>
#include <deque>
#include <optional>

namespace hakoniwa::player {
namespace {

constexpr int kExitError = 1;
constexpr int kExitFiles = 2;

// Sounds are never played headless; names come from the key script; a question to end the
// game is answered yes. It counts the name questions not yet answered.
class HeadlessHost : public Host {
public:
    explicit HeadlessHost(ImageCache& images) : images(images) {}
    std::optional<ImageSize> imageSize(const std::string& path) override {
        return images.size(path);
    }
    void playEffect(const std::string&, int) override {}
    void playMusic(const std::string&, int) override {}
    void stopMusic(bool) override {}
    void askName(const std::string&) override { ++questionsOpen; }
    bool confirmQuit() override { return true; }

    int questionsOpen = 0;

private:
    ImageCache& images;
};

std::optional<KeyScript> readScript(const std::string& path, std::ostream& err) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "hakoniwa-player: キー操作ファイルを開けません: " << path << "\n";
        return std::nullopt;
    }
    try {
        return KeyScript::parse(file.readAll().toStdString());
    } catch (const KeyScript::Error& error) {
        err << "hakoniwa-player: " << path << " " << error.what() << "\n";
        return std::nullopt;
    }
}

// A name answer that comes before its question waits for it: each answer goes to the game in
// the first frame after a question is asked, in the order of the script.
void playFrames(Game& game, const KeyScript& script, int frames, HeadlessHost& host) {
    InputState input;
    std::deque<std::string> answers;
    auto next = script.events().begin();
    const auto end = script.events().end();
    for (int frame = 0; frame < frames && !game.finished() && !game.error(); ++frame) {
        for (; next != end && next->frame <= frame; ++next) {
            if (next->kind == ScriptEvent::Kind::Name)
                answers.push_back(next->name);
            else
                input.apply(*next);
        }
        if (host.questionsOpen > 0 && !answers.empty()) {
            input.enterName(std::move(answers.front()));
            answers.pop_front();
            --host.questionsOpen;
        }
        game.runFrame(input.takeFrame(), host);
    }
}

bool saveScreenshot(const Game& game, ImageCache& images, const std::string& path,
                    std::ostream& err) {
    QImage frame(game.width(), game.height(), QImage::Format_RGB32);
    PictureRenderer(images).render(game.picture(), frame);
    if (game.error())
        paintErrorOverlay(frame, *game.error());
    if (frame.save(QString::fromStdString(path), "PNG"))
        return true;
    err << "hakoniwa-player: 画像を保存できません: " << path << "\n";
    return false;
}

} // namespace

int runHeadless(const CommandLine& line, const GameOptions& options, std::ostream& out,
                std::ostream& err) {
    KeyScript script;
    if (line.keyScript) {
        std::optional<KeyScript> read = readScript(*line.keyScript, err);
        if (!read)
            return kExitFiles;
        script = std::move(*read);
    }
    Game game(options);
    if (game.error()) {
        err << "hakoniwa-player: " << game.error()->message() << "\n";
        return kExitFiles;
    }
    ImageCache images;
    HeadlessHost host(images);
    playFrames(game, script, line.frames, host);

    int exitCode = 0;
    if (game.error()) {
        err << "hakoniwa-player: " << game.error()->message() << "\n";
        exitCode = kExitError;
    }
    if (line.screenshot && !saveScreenshot(game, images, *line.screenshot, err))
        exitCode = kExitFiles;
    if (line.dumpVariables)
        out << game.dumpVariables();
    return exitCode;
}

} // namespace hakoniwa::player
