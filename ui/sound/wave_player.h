#pragma once

#include "core/ports.h"

#include <QPointer>
#include <QSoundEffect>
#include <QString>

class SoundBank;

// A wave-sound player (`Me1`, `Me2`, `MM3`) on Qt sound effects. Close stops
// what it plays; Open takes the named file from the bank; Play starts it from
// the beginning and returns at once. A missing file or device is silence.
class WavePlayer final : public CuePlayer {
  public:
    explicit WavePlayer(SoundBank& bank) : m_bank(bank) {}

    void close() override;
    void setFileName(const std::string& path) override;
    void open() override;
    void play() override;

  private:
    SoundBank& m_bank;
    QString m_fileName;
    QPointer<QSoundEffect> m_open;
};
