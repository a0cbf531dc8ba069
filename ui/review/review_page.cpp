#include "ui/review/review_page.h"

#include "core/lesson_catalogue.h"
#include "records/journal.h"
#include "review/review_statistics.h"
#include "ui/common/day_text.h"
#include "ui/common/font_faces.h"
#include "ui/review/practice_calendar.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QLabel* label(const char* name, qreal size) {
    auto* l = new QLabel;
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(chineseFont(size));
    return l;
}

QLabel* heading(const QString& text) {
    auto* l = new QLabel(text);
    l->setFont(chineseFont(12));
    l->setStyleSheet(QStringLiteral("color: #0000ff"));
    return l;
}

QTableWidgetItem* item(const QString& text, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* i = new QTableWidgetItem(text);
    i->setTextAlignment(alignment | Qt::AlignVCenter);
    i->setFlags(Qt::ItemIsEnabled);
    return i;
}

QString lessonName(const std::string& lesson) {
    if (const auto entry = catalogueEntry(lesson))
        return QString::fromStdU16String(entry->caption);
    return QString::fromStdString(lesson);
}

} // namespace

ReviewPage::ReviewPage(const Journal& journal, std::function<Day()> today, QWidget* parent)
    : QWidget(parent), m_journal(journal), m_today(std::move(today)), m_due(label("ReviewDue", 12)),
      m_states(label("ReviewStates", 10.5)), m_lapses(new QTableWidget(0, 4)),
      m_calendar(new PracticeCalendar), m_streak(label("ReviewStreak", 10.5)) {
    setObjectName(QStringLiteral("ReviewPage"));
    m_lapses->setObjectName(QStringLiteral("LapsesTable"));
    m_lapses->setHorizontalHeaderLabels({QStringLiteral("单词"), QStringLiteral("课文"),
                                         QStringLiteral("遗忘次数"), QStringLiteral("下次复习")});
    m_lapses->setFont(chineseFont(10.5));
    m_lapses->verticalHeader()->hide();
    m_lapses->setSelectionMode(QAbstractItemView::NoSelection);
    m_lapses->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_due);
    layout->addWidget(m_states);
    layout->addWidget(heading(QStringLiteral("遗忘最多的单词")));
    layout->addWidget(m_lapses, 1);
    layout->addWidget(heading(QStringLiteral("最近 26 周的练习")));
    layout->addWidget(m_calendar);
    layout->addWidget(m_streak);
}

void ReviewPage::refresh() {
    m_stale = true;
    if (isVisible())
        read();
}

void ReviewPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_stale)
        read();
}

void ReviewPage::read() {
    m_stale = false;
    sqlite3* db = m_journal.database();
    const Day today = m_today();
    const ReviewSummary s = db ? reviewSummary(db, today) : ReviewSummary{};
    m_due->setText(QStringLiteral("今天要复习 %1 个单词，之后 7 天还有 %2 个")
                       .arg(s.dueToday)
                       .arg(s.dueThisWeek));
    m_states->setText(QStringLiteral("新词 %1　学习中 %2　复习中 %3　重新学习 %4　已停用 %5")
                          .arg(s.states.fresh)
                          .arg(s.states.learning)
                          .arg(s.states.review)
                          .arg(s.states.relearning)
                          .arg(s.states.retired));
    m_states->setToolTip(
        QStringLiteral("新词：打错后还没复习过；学习中：间隔不到 %1 天；复习中：间隔 %1 天以上；"
                       "重新学习：上次复习又打错了；已停用：课文已不在或这一行已改动")
            .arg(kYoungInterval));
    m_lapses->setRowCount(static_cast<int>(s.mostLapses.size()));
    for (int r = 0; r < m_lapses->rowCount(); ++r) {
        const LapsedWord& w = s.mostLapses[static_cast<size_t>(r)];
        auto* word = item(QString::fromStdU16String(w.word));
        word->setFont(QFont(kJapaneseFace, 12));
        m_lapses->setItem(r, 0, word);
        m_lapses->setItem(r, 1, item(lessonName(w.lesson)));
        m_lapses->setItem(r, 2, item(QString::number(w.lapses), Qt::AlignRight));
        m_lapses->setItem(r, 3, item(monthDayText(w.due), Qt::AlignRight));
    }
    m_lapses->resizeColumnsToContents();
    m_lapses->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_calendar->show(today, s.practisedDays);
    m_streak->setText((s.streak > 0 ? QStringLiteral("已连续 %1 天完成练习").arg(s.streak)
                                    : QStringLiteral("今天还没有完成练习")) +
                      QStringLiteral("（连续天数只算至少完成一次练习的日子；"
                                     "浅绿：只有放弃的练习；把鼠标停在某一天上可看练习时间）"));
}
