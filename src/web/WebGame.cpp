// The game in a web page: the player's runtime behind a few C functions that the page's
// script (host.js) calls. The page writes the game's files into the module's file system,
// starts the game, feeds input, runs frames and draws the picture this code describes.
#include "model/Utf8Text.h"
#include "player/app/InputState.h"
#include "player/app/KeyScript.h"
#include "player/runtime/ErrorPanel.h"
#include "player/runtime/Game.h"

#include <cstdint>
#include <emscripten.h>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

using namespace hakoniwa;
using namespace hakoniwa::player;

// The page's side of the host. Sizes come from the images the page decoded before the start.
EM_JS(int, hostImageSize, (const char* path), { return Hakoniwa.imageSize(UTF8ToString(path)); });
EM_JS(void, hostPlayEffect, (const char* path, int volume),
      { Hakoniwa.playEffect(UTF8ToString(path), volume); });
EM_JS(void, hostPlayMusic, (const char* path, int volume),
      { Hakoniwa.playMusic(UTF8ToString(path), volume); });
EM_JS(void, hostStopMusic, (int fadeOut), { Hakoniwa.stopMusic(fadeOut != 0); });
EM_JS(void, hostAskName, (const char* prompt), { Hakoniwa.askName(UTF8ToString(prompt)); });
EM_JS(int, hostConfirmQuit, (), { return Hakoniwa.confirmQuit() ? 1 : 0; });

namespace {

// Headless (a test's run): no sound, names only from the key script, ending allowed.
class PageHost : public Host {
public:
    bool headless = false;

    std::optional<ImageSize> imageSize(const std::string& path) override {
        const int packed = hostImageSize(path.c_str());
        if (packed < 0)
            return std::nullopt;
        return ImageSize{packed >> 16, packed & 0xFFFF};
    }
    void playEffect(const std::string& path, int volume) override {
        if (!headless)
            hostPlayEffect(path.c_str(), volume);
    }
    void playMusic(const std::string& path, int volume) override {
        if (!headless)
            hostPlayMusic(path.c_str(), volume);
    }
    void stopMusic(bool fadeOut) override {
        if (!headless)
            hostStopMusic(fadeOut ? 1 : 0);
    }
    void askName(const std::string& prompt) override {
        if (!headless)
            hostAskName(cp932ToUtf8(prompt).c_str());
    }
    bool confirmQuit() override { return headless || hostConfirmQuit() != 0; }
};

struct Session {
    std::unique_ptr<Game> game;
    PageHost host;
    InputState input;
    // The images of the last frame for the page to read from memory, without text: their
    // count, then number of the path, x and y of each. Paths are numbered as first seen.
    std::vector<std::int32_t> shownImages;
    std::unordered_map<std::string, int> pathNumbers;
    std::vector<std::string> paths;
};

Session session;
std::string answer; // the text last handed to the page; valid until the next call

void appendJson(std::string& out, const std::string& utf8) {
    out += '"';
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

// 0 running, 1 finished, 2 stopped with an error (or never started).
int state() {
    if (!session.game || session.game->error())
        return 2;
    return session.game->finished() ? 1 : 0;
}

} // namespace

extern "C" {

// Reads the project and the vocabulary from the module's file system.
EMSCRIPTEN_KEEPALIVE int hkStart(const char* project, const char* vocabulary, const char* files,
                                 unsigned seed) {
    GameOptions options;
    options.projectPath = project;
    options.vocabularyDir = vocabulary;
    options.filesDir = files;
    options.seed = seed;
    session.input = InputState();
    session.game = std::make_unique<Game>(options);
    return state();
}

EMSCRIPTEN_KEEPALIVE void hkSetKey(int key, int down) {
    if (key >= 0 && key < kKeyCount)
        session.input.setKey(static_cast<Key>(key), down != 0);
}

EMSCRIPTEN_KEEPALIVE void hkMoveMouse(int x, int y) {
    session.input.moveMouse(x, y);
}

// 1 left, 2 right.
EMSCRIPTEN_KEEPALIVE void hkSetButton(int button, int down) {
    session.input.setButton(button == 1 ? MouseButton::Left : MouseButton::Right, down != 0);
}

EMSCRIPTEN_KEEPALIVE void hkReleaseAll() {
    session.input.releaseAll();
}

EMSCRIPTEN_KEEPALIVE void hkEnterName(const char* utf8) {
    session.input.enterName(utf8ToCp932(utf8));
}

EMSCRIPTEN_KEEPALIVE int hkRunFrame() {
    if (state() == 0)
        session.game->runFrame(session.input.takeFrame(), session.host);
    return state();
}

EMSCRIPTEN_KEEPALIVE int hkState() {
    return state();
}

// A headless run as the desktop player's: `frames` frames with the key script's events, as
// fast as it goes. Returns "" or the key script's error.
EMSCRIPTEN_KEEPALIVE const char* hkRunHeadless(const char* keyScript, int frames) {
    answer.clear();
    KeyScript script;
    try {
        script = KeyScript::parse(keyScript);
    } catch (const KeyScript::Error& error) {
        answer = error.what();
        return answer.c_str();
    }
    session.host.headless = true;
    auto next = script.events().begin();
    const auto end = script.events().end();
    for (int frame = 0; frame < frames && state() == 0; ++frame) {
        for (; next != end && next->frame <= frame; ++next)
            session.input.apply(*next);
        session.game->runFrame(session.input.takeFrame(), session.host);
    }
    return answer.c_str();
}

// The images of the last frame (see Session::shownImages), drawn in this order.
EMSCRIPTEN_KEEPALIVE const std::int32_t* hkShownImages() {
    session.shownImages.assign(1, 0);
    if (!session.game)
        return session.shownImages.data();
    for (const auto& [number, image] : session.game->picture().images) {
        auto [known, added] =
            session.pathNumbers.emplace(image.path, static_cast<int>(session.paths.size()));
        if (added)
            session.paths.push_back(image.path);
        session.shownImages.insert(session.shownImages.end(), {known->second, image.x, image.y});
    }
    session.shownImages[0] = static_cast<std::int32_t>(session.game->picture().images.size());
    return session.shownImages.data();
}

EMSCRIPTEN_KEEPALIVE const char* hkPathOf(int number) {
    return number >= 0 && number < static_cast<int>(session.paths.size())
               ? session.paths[number].c_str()
               : "";
}

// The rest of the last frame's picture as JSON: {"w","h","bg","texts":[[text,x,y,colour]...]},
// texts in UTF-8.
EMSCRIPTEN_KEEPALIVE const char* hkPicture() {
    answer.clear();
    if (!session.game)
        return "{}";
    const Picture& picture = session.game->picture();
    answer += "{\"w\":" + std::to_string(session.game->width()) +
              ",\"h\":" + std::to_string(session.game->height()) +
              ",\"bg\":" + std::to_string(picture.background) + ",\"texts\":[";
    bool first = true;
    for (const PictureText& text : picture.texts) {
        answer += first ? "[" : ",[";
        first = false;
        appendJson(answer, cp932ToUtf8(text.text));
        answer += "," + std::to_string(text.x) + "," + std::to_string(text.y) + "," +
                  std::to_string(text.colour) + "]";
    }
    answer += "]}";
    return answer.c_str();
}

// The error panel's lines, one per line; "" while the game has no error.
EMSCRIPTEN_KEEPALIVE const char* hkErrorLines() {
    answer.clear();
    if (session.game && session.game->error())
        for (const std::string& line : errorPanelLines(*session.game->error()))
            answer += line + "\n";
    return answer.c_str();
}

// The one-line message the desktop player prints for the error.
EMSCRIPTEN_KEEPALIVE const char* hkErrorMessage() {
    answer.clear();
    if (session.game && session.game->error())
        answer = session.game->error()->message();
    return answer.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* hkDumpVariables() {
    answer = session.game ? session.game->dumpVariables() : std::string();
    return answer.c_str();
}

} // extern "C"
