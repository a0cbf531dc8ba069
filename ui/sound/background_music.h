#pragma once

#include "core/ports.h"

#include <QObject>
#include <QString>
#include <memory>

class QSoundEffect;

// `Me2`: background music, played again and again until closed. It has a
// sound of its own, outside the cue players' bank, so that a cue or the key
// click never stops it, even when it is the same file. Whether a chosen file
// plays is known only once it has loaded, and is reported by a signal.
class BackgroundMusic final : public QObject, public CuePlayer {
    Q_OBJECT
  public:
    BackgroundMusic();
    ~BackgroundMusic() override;

    void close() override;
    void setFileName(const std::string& path) override;
    void open() override;
    void play() override;

    bool isPlaying() const;

  signals:
    // The file loaded and plays.
    void started();
    // The file is missing, too large or no wave sound that can be played;
    // the reason says which, for the learner.
    void unplayable(const QString& fileName, const QString& reason);

  private:
    void reportStatus();
    QString refusal() const;

    QString m_fileName;
    std::unique_ptr<QSoundEffect> m_sound;
    bool m_reported = false;
};
