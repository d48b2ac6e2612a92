#include "player/app/PlayerWindow.h"

#include "platform/Cp932Codec.h"
#include "player/app/ErrorOverlay.h"
#include "player/app/SoundPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <iostream>

namespace hakoniwa::player {
namespace {

constexpr int kFramesPerSecond = 60;
// After a pause (a question, a busy machine) the game goes on at its pace instead of racing
// through the frames it missed.
constexpr long long kMostFramesPerTick = 4;

std::optional<Key> gameKey(int key) {
    switch (key) {
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Z:
        return Key::Decide;
    case Qt::Key_X:
    case Qt::Key_Backspace:
        return Key::Cancel;
    default:
        return std::nullopt;
    }
}

MouseButton gameButton(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        return MouseButton::Left;
    if (button == Qt::RightButton)
        return MouseButton::Right;
    return MouseButton::None;
}

// The game's name: the project file's name, or the first scene's caption for the editor's run
// file (its files lie elsewhere, and its own name says nothing).
QString gameTitle(const GameOptions& options, const Game* game) {
    if (options.filesDir.empty() || !game || game->firstSceneCaption().empty())
        return QFileInfo(QFile::decodeName(options.projectPath.c_str())).completeBaseName();
    return Cp932Codec::decode(game->firstSceneCaption());
}

bool askWithBox(QWidget* parent) {
    return QMessageBox::question(parent, QStringLiteral("ゲーム終了"),
                                 QStringLiteral("ゲームを終了しますか？")) == QMessageBox::Yes;
}

} // namespace

PlayerWindow::PlayerWindow(const GameOptions& options, QWidget* parent)
    : QWidget(parent), askToQuit(askWithBox), renderer(images) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);

    sounds = new SoundPlayer(this);
    timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this] { advance(); });

    nameEntry = new QWidget(this);
    nameEntry->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(nameEntry);
    namePrompt = new QLabel(nameEntry);
    nameField = new QLineEdit(nameEntry);
    layout->addWidget(namePrompt);
    layout->addWidget(nameField, 1);
    connect(nameField, &QLineEdit::returnPressed, this, [this] { answerName(); });
    nameEntry->hide();

    shown = QImage(640, 480, QImage::Format_RGB32);
    shown.fill(Qt::black);
    try {
        game = std::make_unique<Game>(options);
        shown = QImage(game->width(), game->height(), QImage::Format_RGB32);
        shown.fill(Qt::black);
    } catch (const std::exception& error) {
        stopWith(PlayError{{}, {}, 0, error.what()});
    }
    setWindowTitle(QStringLiteral("%1 - 箱庭").arg(gameTitle(options, game.get())));
    resize(shown.size());
    if (game && game->error())
        stopWith(*game->error());
}

PlayerWindow::~PlayerWindow() = default;

void PlayerWindow::start() {
    clock.start();
    framesRun = 0;
    frameBase = 0;
    // The first frame runs from the event loop, so that a game that ends at once can end it.
    timer->start(0);
}

void PlayerWindow::advance(bool oneAtLeast) {
    if (inFrame || failure || !game)
        return;
    if (game->finished()) {
        close();
        return;
    }
    if (!clock.isValid())
        clock.start();
    long long behind = clock.elapsed() * kFramesPerSecond / 1000 + 1 - frameBase - framesRun;
    if (behind > kMostFramesPerTick) {
        frameBase += behind - 1;
        behind = 1;
    }
    if (oneAtLeast)
        behind = std::max(behind, 1LL);
    for (; behind > 0 && !failure && !game->finished(); --behind)
        runOneFrame();
    if (!failure)
        redraw();
    scheduleNextFrame();
}

void PlayerWindow::runOneFrame() {
    inFrame = true;
    try {
        game->runFrame(input.takeFrame(), *this);
    } catch (const std::exception& error) {
        failure = PlayError{{}, {}, 0, std::string("内部エラー: ") + error.what()};
    } catch (...) {
        failure = PlayError{{}, {}, 0, "内部エラー"};
    }
    inFrame = false;
    ++framesRun;
    if (failure)
        stopWith(*failure);
    else if (game->error())
        stopWith(*game->error());
}

void PlayerWindow::stopWith(const PlayError& error) {
    failure = error;
    timer->stop();
    nameEntry->hide();
    std::cerr << "hakoniwa-player: " << error.message() << std::endl;
    if (game) {
        redraw();
    } else {
        paintErrorOverlay(shown, error);
        update();
    }
}

void PlayerWindow::redraw() {
    const QSize size(game->width(), game->height());
    if (shown.size() != size) {
        shown = QImage(size, QImage::Format_RGB32);
        resize(size);
    }
    renderer.render(game->picture(), shown);
    if (failure)
        paintErrorOverlay(shown, *failure);
    update();
}

void PlayerWindow::scheduleNextFrame() {
    if (failure || !game)
        return;
    if (game->finished()) {
        close();
        return;
    }
    const long long due =
        ((framesRun + frameBase) * 1000 + kFramesPerSecond - 1) / kFramesPerSecond;
    timer->start(static_cast<int>(std::clamp(due - clock.elapsed(), 1LL, 1000LL)));
}

std::optional<ImageSize> PlayerWindow::imageSize(const std::string& path) {
    return images.size(path);
}

void PlayerWindow::playEffect(const std::string& path, int volume) {
    sounds->playEffect(path, volume);
}

void PlayerWindow::playMusic(const std::string& path, int volume) {
    sounds->playMusic(path, volume);
}

void PlayerWindow::stopMusic(bool fadeOut) {
    sounds->stopMusic(fadeOut);
}

void PlayerWindow::askName(const std::string& prompt) {
    namePrompt->setText(Cp932Codec::decode(prompt));
    nameField->clear();
    const QRect area = gameArea();
    const int width = std::min(area.width() - 20, 420);
    nameEntry->setGeometry(area.center().x() - width / 2, area.bottom() - 60, width, 44);
    nameEntry->show();
    nameEntry->raise();
    nameField->setFocus();
}

bool PlayerWindow::nameEntryVisible() const {
    return !nameEntry->isHidden();
}

void PlayerWindow::answerName() {
    input.enterName(Cp932Codec::encode(nameField->text()));
    nameEntry->hide();
    setFocus();
}

bool PlayerWindow::confirmQuit() {
    return askedToQuit();
}

// The game stands still while the question is open: that time is no game time.
bool PlayerWindow::askedToQuit() {
    const bool running = timer->isActive();
    timer->stop();
    const bool yes = askToQuit(this);
    if (clock.isValid())
        frameBase = clock.elapsed() * kFramesPerSecond / 1000 - framesRun;
    if (running && !yes)
        scheduleNextFrame();
    return yes;
}

void PlayerWindow::toggleFullScreen() {
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

QRect PlayerWindow::gameArea() const {
    const QSize game = shown.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - game.width()) / 2, (height() - game.height()) / 2), game);
}

QPoint PlayerWindow::toGame(const QPointF& position) const {
    const QRect area = gameArea();
    if (area.isEmpty())
        return {};
    const double scale = static_cast<double>(shown.width()) / area.width();
    const int x = static_cast<int>(std::floor((position.x() - area.left()) * scale));
    const int y = static_cast<int>(std::floor((position.y() - area.top()) * scale));
    return {std::clamp(x, 0, shown.width() - 1), std::clamp(y, 0, shown.height() - 1)};
}

void PlayerWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = gameArea();
    if (area.size() != size())
        painter.fillRect(rect(), Qt::black);
    if (area.size() != shown.size())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(area, shown);
}

void PlayerWindow::resizeEvent(QResizeEvent*) {
    if (!nameEntry->isHidden())
        askName(Cp932Codec::encode(namePrompt->text()));
}

void PlayerWindow::focusOutEvent(QFocusEvent* event) {
    input.releaseAll();
    QWidget::focusOutEvent(event);
}

bool PlayerWindow::handleKey(QKeyEvent* event, bool down) {
    const std::optional<Key> key = gameKey(event->key());
    if (!key)
        return false;
    if (!event->isAutoRepeat())
        input.setKey(*key, down);
    return true;
}

void PlayerWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat() && !inFrame) {
        if (askedToQuit())
            close();
        return;
    }
    if (event->key() == Qt::Key_F11 && !event->isAutoRepeat()) {
        toggleFullScreen();
        return;
    }
    if (!handleKey(event, true))
        QWidget::keyPressEvent(event);
}

void PlayerWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!handleKey(event, false))
        QWidget::keyReleaseEvent(event);
}

void PlayerWindow::handleMouse(QMouseEvent* event) {
    const QPoint at = toGame(event->position());
    input.moveMouse(at.x(), at.y());
}

void PlayerWindow::mouseMoveEvent(QMouseEvent* event) {
    handleMouse(event);
}

void PlayerWindow::mousePressEvent(QMouseEvent* event) {
    handleMouse(event);
    input.setButton(gameButton(event->button()), true);
    setFocus();
}

void PlayerWindow::mouseReleaseEvent(QMouseEvent* event) {
    handleMouse(event);
    input.setButton(gameButton(event->button()), false);
}

} // namespace hakoniwa::player
