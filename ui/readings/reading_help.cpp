#include "ui/readings/reading_help.h"

#include "readings/romaji.h"
#include "ui/main_window/hint_row.h"
#include "ui/main_window/lesson_box.h"
#include "ui/user_settings.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>

namespace {

QString installHint() {
    return QStringLiteral("未找到日语词典，无法显示读音。\n"
                          "请安装 mecab-ipadic-utf8 软件包后重新启动本程序：\n"
                          "sudo apt install mecab-ipadic-utf8");
}

} // namespace

ReadingHelp::ReadingHelp(LessonBoxWidget& lessonBox, QAction& item, HintRow& hints,
                         MecabAnalyser& analyser, LoadedReadings& readings)
    : QObject(&lessonBox), m_lessonBox(lessonBox), m_item(item), m_hints(hints),
      m_analyser(analyser), m_lessonReadings(readings) {
    m_item.setCheckable(true);
    if (!m_analyser.dictionaryFound()) {
        disable(installHint());
        return;
    }
    // The remembered choice, not written back; no lesson is loaded yet.
    m_item.setChecked(loadSetting(kShowReadings));
    connect(&m_item, &QAction::toggled, this, &ReadingHelp::setOn);
}

bool ReadingHelp::available() const {
    return m_item.isEnabled();
}

QString ReadingHelp::whyUnavailable() const {
    return m_item.toolTip();
}

bool ReadingHelp::wanted() const {
    return m_item.isChecked() || m_recalling;
}

void ReadingHelp::lessonLoaded(const LoadedLesson& lesson) {
    m_lesson = lesson;
    m_position = 0;
    workOutReadings();
}

void ReadingHelp::positionChanged(Pos position) {
    follow(position);
}

void ReadingHelp::completed(const AttemptFigures&) {
    forgetLesson();
}

void ReadingHelp::gaveUp(const AttemptFigures&) {
    forgetLesson();
}

void ReadingHelp::forgetLesson() {
    m_lesson.reset();
    m_readings = {};
    m_hints.clear(this);
}

void ReadingHelp::setOn(bool on) {
    saveSetting(kShowReadings, on);
    showWanted();
}

void ReadingHelp::setRecalling(bool on) {
    if (on == m_recalling)
        return;
    const bool wantedBefore = wanted();
    m_recalling = on;
    if (wanted() != wantedBefore)
        showWanted();
    else
        follow(m_position); // the readings stand; the hint names the word anew
}

void ReadingHelp::showWanted() {
    if (wanted()) {
        workOutReadings();
        return;
    }
    m_readings = {};
    m_lessonBox.setReadings({});
    m_hints.clear(this);
}

// The readings of the lesson are taken only while they are wanted.
void ReadingHelp::workOutReadings() {
    m_readings = {};
    if (!wanted() || !m_lesson)
        return;
    if (!m_analyser.available()) {
        disable(installHint());
        return;
    }
    m_readings = m_lessonReadings.of(*m_lesson);
    m_lessonBox.setReadings(m_readings.rubies);
    follow(m_position);
}

void ReadingHelp::follow(Pos position) {
    m_position = position;
    const ReadWord* word = wanted() && m_lesson && position >= 0
                               ? m_readings.wordAt(static_cast<size_t>(position))
                               : nullptr;
    if (!word) {
        m_hints.clear(this);
        return;
    }
    const std::u16string written =
        m_recalling ? word->reading : m_lesson->text.substr(word->start, word->length);
    m_hints.show(this, QStringLiteral("%1：%2").arg(QString::fromStdU16String(written),
                                                    QString::fromStdString(romaji(word->reading))));
}

// Unchecked without touching the remembered choice, which holds again once
// the dictionary is installed.
void ReadingHelp::disable(const QString& why) {
    {
        const QSignalBlocker quiet(&m_item);
        m_item.setChecked(false);
    }
    m_item.setEnabled(false);
    m_item.setToolTip(why);
    m_item.setStatusTip(why);
    if (auto* menu = qobject_cast<QMenu*>(m_item.parent()))
        menu->setToolTipsVisible(true);
    m_readings = {};
    m_lessonBox.setReadings({});
    m_hints.clear(this);
    emit madeUnavailable(why);
}
