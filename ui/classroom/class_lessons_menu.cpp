#include "ui/classroom/class_lessons_menu.h"

#include "classroom/class_plan.h"
#include "classroom/journal_progress.h"
#include "core/practice_session.h"
#include "ui/main_window/hint_row.h"

#include <QFile>
#include <QMenu>

namespace {

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString caption(const PlannedLesson& lesson) {
    return QString::fromStdString(lesson.title.empty() ? lesson.lesson : lesson.title);
}

QString dueText(const PlannedLesson& lesson) {
    const QDate due = QDate::fromString(QString::fromStdString(lesson.due), Qt::ISODate);
    return due.isValid() ? QStringLiteral("%1月%2日").arg(due.month()).arg(due.day())
                         : QStringLiteral("不限");
}

} // namespace

ClassLessonsMenu::ClassLessonsMenu(QMenu& menu, PracticeSession& session, HintRow& hints,
                                   JournalReader journal, Folder folder, QDate today)
    : QObject(&menu), m_menu(menu), m_session(session), m_journal(std::move(journal)),
      m_folder(std::move(folder)), m_today(today) {
    connect(&m_menu, &QMenu::aboutToShow, this, &ClassLessonsMenu::fill);
    fill();
    if (const QString due = dueThisWeek(); !due.isEmpty())
        hints.show(this, QStringList{QStringLiteral("本周要完成的班级课文：") + due,
                                     QStringLiteral("本周班级课文：") + due});
}

void ClassLessonsMenu::fill() {
    m_menu.clear();
    if (m_folder().isEmpty()) {
        m_menu.addAction(QStringLiteral("（还没有设置班级文件夹）"))->setEnabled(false);
        return;
    }
    const auto plan = readPlan(local(m_folder()));
    if (!plan || plan->empty()) {
        m_menu
            .addAction(plan ? QStringLiteral("（老师还没有布置课文）")
                            : QStringLiteral("（班级的课文计划无法读取）"))
            ->setEnabled(false);
        return;
    }
    const auto done = completedLessons(m_journal());
    for (const PlannedLesson& lesson : *plan) {
        const bool finished = done.contains(lesson.lesson);
        QAction* item =
            m_menu.addAction(QStringLiteral("%1\t截止 %2").arg(caption(lesson), dueText(lesson)));
        item->setObjectName(QStringLiteral("ClassLesson_") + QString::fromStdString(lesson.lesson));
        item->setCheckable(true);
        item->setChecked(finished);
        item->setToolTip(finished ? QStringLiteral("已完成") : QStringLiteral("未完成"));
        connect(item, &QAction::triggered, this,
                [this, path = plannedLessonPath(local(m_folder()), lesson)] {
                    m_session.loadLesson(path);
                });
    }
}

QString ClassLessonsMenu::dueThisWeek() const {
    if (m_folder().isEmpty())
        return {};
    const auto plan = readPlan(local(m_folder()));
    if (!plan)
        return {};
    const auto done = completedLessons(m_journal());
    const QDate sunday = m_today.addDays(7 - m_today.dayOfWeek());
    QStringList due;
    for (const PlannedLesson& lesson : *plan) {
        const QDate day = QDate::fromString(QString::fromStdString(lesson.due), Qt::ISODate);
        if (day.isValid() && day <= sunday && !done.contains(lesson.lesson))
            due << QStringLiteral("%1（%2）").arg(caption(lesson), dueText(lesson));
    }
    return due.join(QStringLiteral("、"));
}
