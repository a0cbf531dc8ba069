#include "ui/sound/sound_bank.h"

#include "ui/sound/wave_file.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SoundBank::SoundBank() = default;
SoundBank::~SoundBank() = default;

QSoundEffect* SoundBank::effect(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile()) {
        m_entries.erase(path);
        return nullptr;
    }
    Entry& entry = m_entries[path];
    if (entry.effect && entry.modified == file.lastModified() && entry.size == file.size())
        return entry.effect.get();
    if (!isPlayableWave(path)) {
        m_entries.erase(path);
        return nullptr;
    }
    entry.effect = std::make_unique<QSoundEffect>();
    entry.effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    entry.modified = file.lastModified();
    entry.size = file.size();
    return entry.effect.get();
}
