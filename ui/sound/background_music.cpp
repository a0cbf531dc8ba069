#include "ui/sound/background_music.h"

#include "ui/sound/wave_file.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace {

QString notAWave() {
    return QStringLiteral("它不是能播放的 WAV 声音文件");
}

} // namespace

BackgroundMusic::BackgroundMusic() = default;
BackgroundMusic::~BackgroundMusic() = default;

void BackgroundMusic::close() {
    m_sound.reset();
}

void BackgroundMusic::setFileName(const std::string& path) {
    m_fileName = QString::fromStdString(path);
}

void BackgroundMusic::open() {
    m_sound = std::make_unique<QSoundEffect>();
    m_reported = false;
    connect(m_sound.get(), &QSoundEffect::statusChanged, this, &BackgroundMusic::reportStatus);
    if (refusal().isEmpty())
        m_sound->setSource(QUrl::fromLocalFile(QFileInfo(m_fileName).absoluteFilePath()));
    // A file that is not given to the sound, or one loaded before, may not
    // change the status: look once the caller has finished opening and playing.
    QTimer::singleShot(0, m_sound.get(), [this] { reportStatus(); });
}

void BackgroundMusic::play() {
    if (!m_sound)
        return;
    m_sound->setLoopCount(QSoundEffect::Infinite);
    m_sound->play();
}

bool BackgroundMusic::isPlaying() const {
    return m_sound && m_sound->status() == QSoundEffect::Ready && m_sound->isPlaying();
}

void BackgroundMusic::reportStatus() {
    if (!m_sound || m_reported)
        return;
    const QSoundEffect::Status status = m_sound->status();
    if (status == QSoundEffect::Ready) {
        m_reported = true;
        emit started();
    } else if (status == QSoundEffect::Error || m_sound->source().isEmpty()) {
        m_reported = true;
        m_sound.release()->deleteLater(); // it may be the sender of this call
        const QString reason = refusal();
        emit unplayable(m_fileName, reason.isEmpty() ? notAWave() : reason);
    }
}

// Why the file is not given to the sound at all; empty when it may play.
QString BackgroundMusic::refusal() const {
    if (QFileInfo(m_fileName).size() > kLargestWave)
        return QStringLiteral("背景音乐文件不能超过 %1 MB").arg(kLargestWave / (1024 * 1024));
    if (!isPlayableWave(m_fileName))
        return notAWave();
    return {};
}
