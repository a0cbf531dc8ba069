#pragma once

#include <QDateTime>
#include <QString>
#include <map>
#include <memory>

class QSoundEffect;

// One loaded sound effect per wave file, so that a cue starts within
// milliseconds. A file that changed or appeared on disk since it was loaded
// is loaded again; a missing file, or one that is no wave sound, gives no
// effect (silence).
class SoundBank {
  public:
    SoundBank();
    ~SoundBank();

    // The effect of a file, or null if the file is missing.
    QSoundEffect* effect(const QString& path);
    void preload(const QString& path) { effect(path); }

  private:
    struct Entry {
        std::unique_ptr<QSoundEffect> effect;
        QDateTime modified;
        qint64 size = -1;
    };
    std::map<QString, Entry> m_entries;
};
