#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QAudioOutput;
class QMediaPlayer;
class QSoundEffect;
class QVariantAnimation;

// The game's sounds in the window: effects (WAV, each file loaded once, a few of each may
// sound at the same time) and one looping background music that can fade out. Without an
// audio device everything is silent, and the player says so once on stderr.
namespace hakoniwa::player {

class SoundPlayer : public QObject {
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    bool available() const { return hasDevice; }
    // `path` is UTF-8, `volume` 0..100.
    void playEffect(const std::string& path, int volume);
    void playMusic(const std::string& path, int volume);
    void stopMusic(bool fadeOut);

private:
    QSoundEffect* freeEffect(const std::string& path);
    void sayOnce(const QString& message);

    bool hasDevice = false;
    std::map<std::string, std::vector<QSoundEffect*>> effects;
    QMediaPlayer* music = nullptr;
    QAudioOutput* musicOutput = nullptr;
    QVariantAnimation* fade = nullptr;
    std::set<QString> said;
};

} // namespace hakoniwa::player
