#include "ui/recall/recall_mode.h"

#include "core/attempt_record.h"
#include "core/practice_session.h"
#include "ui/main_window/lesson_box.h"
#include "ui/main_window/main_menu.h"
#include "ui/readings/reading_help.h"
#include "ui/user_settings.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSignalBlocker>
#include <algorithm>

namespace {

QAction* modeItem(QMenu* menu, QActionGroup* group, const char* name, const QString& caption) {
    QAction* item = addMenuItem(menu, name, caption);
    item->setCheckable(true);
    group->addAction(item);
    return item;
}

} // namespace

RecallMode::RecallMode(QMenu& settings, LessonBoxWidget& lessonBox, ReadingHelp& readings,
                       PracticeSession& session)
    : QObject(&lessonBox), m_lessonBox(lessonBox), m_readings(readings), m_session(session) {
    QMenu* menu = addSubmenu(&settings, "PracticeMode", QStringLiteral("练习方式(&W)"));
    auto* group = new QActionGroup(menu);
    m_text = modeItem(menu, group, "ModeText", QStringLiteral("看原文(&O)"));
    m_recall = modeItem(menu, group, "ModeRecall", QStringLiteral("看读音写汉字(&K)"));
    m_text->setChecked(true);
    connect(&readings, &ReadingHelp::madeUnavailable, this, &RecallMode::disable);
    if (!readings.available()) {
        disable(readings.whyUnavailable());
        return;
    }
    // The remembered choice, not written back.
    m_recall->setChecked(modeNamed(loadSetting(kPracticeMode).toStdString()) ==
                         PracticeMode::Recall);
    apply(m_recall->isChecked());
    connect(m_recall, &QAction::toggled, this, &RecallMode::choose);
}

bool RecallMode::chooseRecall() {
    if (!m_recall->isEnabled())
        return false;
    m_recall->setChecked(true);
    return true;
}

void RecallMode::recordChanged(const AttemptRecord& record) {
    for (Pos p = std::min(m_shown, record.reached); p < std::max(m_shown, record.reached); ++p)
        m_lessonBox.setTyped(p, p < record.reached);
    m_shown = record.reached;
}

void RecallMode::choose(bool recall) {
    const std::string_view name = modeName(recall ? PracticeMode::Recall : PracticeMode::Text);
    saveSetting(kPracticeMode,
                QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    apply(recall);
}

void RecallMode::apply(bool recall) {
    m_readings.setRecalling(recall);
    m_lessonBox.setConcealing(recall);
    m_session.modeShown(recall ? PracticeMode::Recall : PracticeMode::Text);
}

// Back to the text without touching the remembered choice, which holds again
// once the dictionary is installed.
void RecallMode::disable(const QString& why) {
    {
        const QSignalBlocker quiet(m_recall);
        m_text->setChecked(true);
    }
    apply(false);
    m_recall->setEnabled(false);
    m_recall->setToolTip(why);
    m_recall->setStatusTip(why);
    if (auto* menu = qobject_cast<QMenu*>(m_recall->parent()))
        menu->setToolTipsVisible(true);
}
