#include "ui/review/review_hook.h"

#include "core/practice_session.h"
#include "ui/common/day_text.h"
#include "ui/common/prompts.h"
#include "ui/journal/journal_hook.h"
#include "ui/journal/statistics_window.h"
#include "ui/main_window/hint_row.h"
#include "ui/review/review_page.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace {

QString qs(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

} // namespace

ReviewHook::ReviewHook(QWidget& window, PracticeSession& session, QAction& item, HintRow& hints,
                       JournalHook& journal, Prompts& prompts, std::unique_ptr<DayClock> clock,
                       const std::string& dictionaryFolder)
    : QObject(&window), m_window(window), m_session(session), m_item(item), m_hints(hints),
      m_journal(journal), m_prompts(prompts), m_clock(std::move(clock)),
      m_lessons(m_files, m_codePage), m_analyser(dictionaryFolder),
      m_keeper(journal.journal(), m_lessons, m_analyser, *m_clock),
      m_file(QString::fromUtf8(kReviewLesson.data(), static_cast<int>(kReviewLesson.size()))) {
    m_keeper.setOwnLessons(m_file.path(), journal.drillPath());
    journal.journal().setExtension(&m_keeper);
    connect(&m_item, &QAction::triggered, this, &ReviewHook::Review_Click);
    connect(&journal, &JournalHook::statisticsWindowMade, this, &ReviewHook::addPage);
    if (QMenu* menu = qobject_cast<QMenu*>(m_item.parent()))
        connect(menu, &QMenu::aboutToShow, this, &ReviewHook::showWhatIsDue);
    if (const auto rejudged = m_keeper.rejudgeSlips(); rejudged && rejudged->attempts > 0)
        qInfo("Judged %lld earlier attempts again as slips: %lld mistakes became %lld slips, "
              "%lld review cards retired",
              static_cast<long long>(rejudged->attempts),
              static_cast<long long>(rejudged->mistakesBefore),
              static_cast<long long>(rejudged->slipsAfter),
              static_cast<long long>(rejudged->cardsRetired));
    m_keeper.makeCardsFromHistory();
    const size_t lines = m_keeper.dueLines();
    if (lines > 0)
        m_hints.show(this, QStringLiteral("今日复习：%1 句（F6）").arg(lines));
    showWhatIsDue();
}

void ReviewHook::showWhatIsDue() {
    const size_t due = m_keeper.dueToday();
    m_item.setEnabled(due > 0);
    if (due > 0)
        m_item.setToolTip(QStringLiteral("今天有 %1 个单词要复习").arg(due));
    else if (const auto next = m_keeper.nextDue())
        m_item.setToolTip(
            QStringLiteral("今天没有要复习的单词；下次复习：%1").arg(fullDayText(*next)));
    else
        m_item.setToolTip(QStringLiteral("还没有要复习的单词：打错过的单词会在该复习的那天回来"));
}

void ReviewHook::Review_Click() {
    const DailyReview& review = m_keeper.prepareReview();
    if (review.lineCount == 0 || !m_file.write(review.lesson, m_codePage)) {
        showWhatIsDue();
        m_prompts.inform(&m_window, QStringLiteral("今天没有要复习的单词。"),
                         QStringLiteral("今日复习"));
        return;
    }
    const std::u16string title = dailyReviewTitle(review.lineCount);
    m_journal.nameLesson(m_file.path(), std::string(kReviewLesson), qs(title).toStdString());
    m_session.loadLesson(m_file.path());
}

void ReviewHook::lessonLoaded(const LoadedLesson& lesson) {
    m_hints.clear(this);
    if (lesson.path == m_file.path())
        m_hints.show(this, qs(dailyReviewTitle(m_keeper.prepared().lineCount)));
}

// After the journal has written the attempt and its ratings.
void ReviewHook::completed(const AttemptFigures&) {
    QTimer::singleShot(0, this, &ReviewHook::showWhatIsDue);
}

void ReviewHook::gaveUp(const AttemptFigures&) {
    QTimer::singleShot(0, this, &ReviewHook::showWhatIsDue);
}

void ReviewHook::addPage(StatisticsWindow& window) {
    auto* page = new ReviewPage(m_journal.journal(), [this] { return m_clock->today(); });
    window.addPage(page, QStringLiteral("复习"));
    connect(&window, &StatisticsWindow::refreshed, page, &ReviewPage::refresh);
}
