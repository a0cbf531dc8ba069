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
    m_menu = addSubmenu(&settings, "PracticeMode", QStringLiteral("练习方式(&W)"));
    m_group = new QActionGroup(m_menu);
    m_text = modeItem(m_menu, m_group, "ModeText", QStringLiteral("看原文(&O)"));
    m_recall = modeItem(m_menu, m_group, "ModeRecall", QStringLiteral("看读音写汉字(&K)"));
    m_text->setChecked(true);
    connect(m_text, &QAction::triggered, this, [] { rememberMode(PracticeMode::Text); });
    connect(&readings, &ReadingHelp::madeUnavailable, this, &RecallMode::disable);
    if (!readings.available()) {
        disable(readings.whyUnavailable());
        return;
    }
    // The remembered choice, not written back.
    m_recall->setChecked(rememberedMode() == PracticeMode::Recall);
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
    if (recall)
        rememberMode(PracticeMode::Recall);
    apply(recall);
}

// Leaving recall leaves the lesson box to the mode chosen instead.
void RecallMode::apply(bool recall) {
    m_readings.setRecalling(recall);
    if (recall) {
        m_lessonBox.setConcealment(LessonBoxWidget::Concealment::Kanji);
        m_session.modeShown(PracticeMode::Recall);
    } else if (m_lessonBox.concealment() == LessonBoxWidget::Concealment::Kanji) {
        m_lessonBox.setConcealment(LessonBoxWidget::Concealment::None);
        m_session.modeShown(PracticeMode::Text);
    }
}

// Back to the text without touching the remembered choice, which holds again
// once the dictionary is installed.
void RecallMode::disable(const QString& why) {
    if (m_recall->isChecked()) {
        {
            const QSignalBlocker quiet(m_recall);
            m_text->setChecked(true);
        }
        apply(false);
    }
    m_recall->setEnabled(false);
    m_recall->setToolTip(why);
    m_recall->setStatusTip(why);
    if (auto* menu = qobject_cast<QMenu*>(m_recall->parent()))
        menu->setToolTipsVisible(true);
}
