#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

// Every preference the program keeps between runs, with its key, its type and
// its value before the learner first chooses, in this one file. A feature that
// keeps a preference adds it here and reads and writes it with loadSetting
// and saveSetting.
// A preference is the learner's own unless it is marked as the PC's.
template <typename T> struct UserSetting {
    const char* key;
    T fallback;
    bool perLearner = true;
};

// The settings group of the learner at the keyboard: empty for the first
// learner, whose preferences are those kept before there were learners.
inline QString& learnerSettingsGroup() {
    static QString group;
    return group;
}

// The key a setting is kept under for the learner at the keyboard.
template <typename T> QString settingKey(const UserSetting<T>& setting) {
    const QString key = QLatin1String(setting.key);
    return setting.perLearner ? learnerSettingsGroup() + key : key;
}

// 设置 → 显示读音: readings over the kanji and the romaji of the word to type.
inline const UserSetting<bool> kShowReadings{"readings/show", false};

// 设置 → 练习方式: "text" (看原文) or "recall" (看读音写汉字), as the journal
// records the attempts.
inline const UserSetting<QString> kPracticeMode{"practice/mode", QStringLiteral("text")};

// 设置 → 班级文件夹: the folder the school shares for its classes; the PC's.
inline const UserSetting<QString> kClassFolder{"class/folder", QString(), false};

// $XDG_CONFIG_HOME/orvanta/orvanta.conf (~/.config by default).
inline QSettings userSettingsFile() {
    return QSettings(QSettings::UserScope, QStringLiteral("orvanta"), QStringLiteral("orvanta"));
}

template <typename T> T loadSetting(const UserSetting<T>& setting) {
    return userSettingsFile()
        .value(settingKey(setting), QVariant::fromValue(setting.fallback))
        .template value<T>();
}

template <typename T> void saveSetting(const UserSetting<T>& setting, const T& value) {
    userSettingsFile().setValue(settingKey(setting), QVariant::fromValue(value));
}
