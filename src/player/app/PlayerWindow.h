#pragma once

#include "player/app/ImageCache.h"
#include "player/app/InputState.h"
#include "player/app/PictureRenderer.h"
#include "player/runtime/Game.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QTimer;

// The game in a window: frames at 60 per second of real time, keys and mouse in game
// coordinates, sounds, the name entry over the game and the question before the game ends.
// When the game stops with an error the last frame stays, with the error over it. The title
// names the game; Escape asks to end it, F11 toggles full screen, and the picture scales to
// the window keeping its proportions.
namespace hakoniwa::player {

class SoundPlayer;

class PlayerWindow : public QWidget, public Host {
public:
    explicit PlayerWindow(const GameOptions& options, QWidget* parent = nullptr);
    ~PlayerWindow() override;

    // Starts the frames; the window closes itself when the game finishes.
    void start();
    // Runs the frames that are due by now (at least one when `oneAtLeast`) and redraws.
    void advance(bool oneAtLeast = false);

    const QImage& frame() const { return shown; }
    // The running game; none when it could not even be made.
    const Game* playing() const { return game.get(); }
    const std::optional<PlayError>& stoppedBy() const { return failure; }
    bool nameEntryVisible() const;

    // Asks "ゲームを終了しますか？" (Escape, ゲーム終了 with a question); tests replace it.
    std::function<bool(QWidget*)> askToQuit;

    std::optional<ImageSize> imageSize(const std::string& path) override;
    void playEffect(const std::string& path, int volume) override;
    void playMusic(const std::string& path, int volume) override;
    void stopMusic(bool fadeOut) override;
    void askName(const std::string& prompt) override;
    bool confirmQuit() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void runOneFrame();
    bool askedToQuit();
    void toggleFullScreen();
    void stopWith(const PlayError& error);
    void redraw();
    void scheduleNextFrame();
    void answerName();
    QRect gameArea() const;
    QPoint toGame(const QPointF& position) const;
    bool handleKey(QKeyEvent* event, bool down);
    void handleMouse(QMouseEvent* event);

    std::unique_ptr<Game> game;
    ImageCache images;
    PictureRenderer renderer;
    InputState input;
    QImage shown;
    std::optional<PlayError> failure;
    SoundPlayer* sounds = nullptr;
    QTimer* timer = nullptr;
    QElapsedTimer clock;
    long long framesRun = 0;
    long long frameBase = 0; // frames that the clock does not count (after a pause)
    bool inFrame = false;
    QWidget* nameEntry = nullptr;
    QLabel* namePrompt = nullptr;
    QLineEdit* nameField = nullptr;
};

} // namespace hakoniwa::player
