#include "player/app/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>
#include <QVariantAnimation>
#include <algorithm>
#include <iostream>

namespace hakoniwa::player {
namespace {

// The same effect started again while it still sounds gets another voice, up to this many.
constexpr std::size_t kVoicesPerEffect = 4;
constexpr int kFadeMilliseconds = 1000;

float level(int volume) {
    return static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
}

QUrl fileUrl(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {
    hasDevice = !QMediaDevices::audioOutputs().isEmpty();
    if (!hasDevice) {
        sayOnce(QStringLiteral("音を出す装置がないので、音なしで続けます"));
        return;
    }
    musicOutput = new QAudioOutput(this);
    music = new QMediaPlayer(this);
    music->setAudioOutput(musicOutput);
    music->setLoops(QMediaPlayer::Infinite);
    fade = new QVariantAnimation(this);
    fade->setDuration(kFadeMilliseconds);
    connect(fade, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { musicOutput->setVolume(value.toFloat()); });
    connect(fade, &QVariantAnimation::finished, this, [this] { music->stop(); });
    connect(music, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& reason) {
                sayOnce(QStringLiteral("BGM を鳴らせません: %1 (%2)")
                            .arg(music->source().toLocalFile(), reason));
            });
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::sayOnce(const QString& message) {
    if (said.insert(message).second)
        std::cerr << "hakoniwa-player: " << message.toStdString() << std::endl;
}

QSoundEffect* SoundPlayer::freeEffect(const std::string& path) {
    std::vector<QSoundEffect*>& voices = effects[path];
    for (QSoundEffect* voice : voices)
        if (!voice->isPlaying())
            return voice;
    if (voices.size() >= kVoicesPerEffect)
        return voices.front(); // started again from its beginning
    auto* voice = new QSoundEffect(this);
    voice->setSource(fileUrl(path));
    connect(voice, &QSoundEffect::statusChanged, this, [this, voice] {
        if (voice->status() == QSoundEffect::Error)
            sayOnce(QStringLiteral("効果音を鳴らせません (WAV のみ): %1")
                        .arg(voice->source().toLocalFile()));
    });
    voices.push_back(voice);
    return voice;
}

void SoundPlayer::playEffect(const std::string& path, int volume) {
    if (!hasDevice)
        return;
    QSoundEffect* voice = freeEffect(path);
    voice->setVolume(level(volume));
    voice->play();
}

void SoundPlayer::playMusic(const std::string& path, int volume) {
    if (!hasDevice)
        return;
    fade->stop();
    musicOutput->setVolume(level(volume));
    const QUrl url = fileUrl(path);
    if (music->source() != url)
        music->setSource(url);
    else
        music->setPosition(0);
    music->play();
}

void SoundPlayer::stopMusic(bool fadeOut) {
    if (!hasDevice || music->playbackState() != QMediaPlayer::PlayingState)
        return;
    if (!fadeOut) {
        fade->stop();
        music->stop();
        return;
    }
    if (fade->state() == QAbstractAnimation::Running)
        return;
    fade->setStartValue(musicOutput->volume());
    fade->setEndValue(0.0f);
    fade->start();
}

} // namespace hakoniwa::player
