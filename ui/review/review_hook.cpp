#include "ui/review/review_hook.h"

#include "core/practice_session.h"
#include "records/journal_access.h"
#include "ui/common/day_text.h"
#include "ui/common/prompts.h"
#include "ui/journal/statistics_window.h"
#include "ui/main_window/hint_row.h"
#include "ui/review/review_page.h"

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace {

// Attempts of an older journal gone through in one step of making its cards.
constexpr size_t kBackfillStep = 50;

QString qs(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

// The cards of a lesson that cannot be read now wait for it: say which.
QString nothingToReview(const DailyReview& review) {
    if (review.unreadLessons.empty())
        return QStringLiteral("今天没有要复习的单词。");
    constexpr qsizetype kNamed = 5; // a message that stays on the screen
    QStringList lessons;
    for (const std::string& lesson : review.unreadLessons)
        lessons << QString::fromStdString(lesson);
    QString named = lessons.mid(0, kNamed).join(QStringLiteral("、"));
    if (lessons.size() > kNamed)
        named += QStringLiteral(" 等 %1 课").arg(lessons.size());
    return QStringLiteral("今天要复习的单词所在的课文现在无法读取：%1。\n"
                          "请确认课文文件还在原处（例如 U 盘已经插好），然后再试。\n"
                          "这些单词会留到能读取课文的时候再复习。")
        .arg(named);
}

} // namespace

ReviewHook::ReviewHook(QWidget& window, PracticeSession& session, QAction& item, HintRow& hints,
                       JournalAccess& journal, Prompts& prompts, std::unique_ptr<DayClock> clock,
                       const std::string& programFolder, LoadedReadings& readings)
    : QObject(&window), m_window(window), m_session(session), m_item(item), m_hints(hints),
      m_journal(journal), m_prompts(prompts), m_clock(std::move(clock)),
      m_lessons(m_files, m_codePage, programFolder),
      m_keeper(journal.journal(), m_lessons, readings, *m_clock),
      m_file(QString::fromUtf8(kReviewLesson.data(), static_cast<int>(kReviewLesson.size()))) {
    m_keeper.setOwnLessons(m_file.path(), journal.drillPath());
    journal.journal().setExtension(&m_keeper);
    connect(&m_item, &QAction::triggered, this, &ReviewHook::Review_Click);
    if (QMenu* menu = qobject_cast<QMenu*>(m_item.parent()))
        connect(menu, &QMenu::aboutToShow, this, &ReviewHook::showWhatIsDue);
    if (journal.journal().isOpen())
        QTimer::singleShot(0, this, &ReviewHook::makeCardsFromHistory);
    showWhatIsDue();
}

// An upgraded journal's cards are made a few attempts at a time, each step
// after the window has handled what waits, with the progress in the hint row;
// then the hint says what is due.
void ReviewHook::makeCardsFromHistory() {
    if (!m_rejudged) {
        m_rejudged = true;
        rejudgeSlips();
    }
    const CardBackfill::Step step = m_keeper.makeSomeCardsFromHistory(kBackfillStep);
    if (step == CardBackfill::Step::More) {
        const int percent = static_cast<int>(m_keeper.backfillProgress() * 100);
        m_hints.show(
            this,
            QStringList{QStringLiteral("正在根据以前的练习建立复习卡片（%1%）……").arg(percent),
                        QStringLiteral("正在建立复习卡片（%1%）").arg(percent),
                        QStringLiteral("复习卡片 %1%").arg(percent)});
        QTimer::singleShot(0, this, &ReviewHook::makeCardsFromHistory);
        return;
    }
    m_hints.clear(this);
    const size_t lines = m_keeper.dueLines();
    if (lines > 0)
        m_hints.show(this, QStringLiteral("今日复习：%1 句（F6）").arg(lines));
    showWhatIsDue();
}

// The item stays enabled, so that F6 with nothing due answers rather than
// doing nothing; its tooltip tells what F6 would do.
void ReviewHook::showWhatIsDue() {
    const size_t due = m_keeper.dueToday();
    m_item.setToolTip(due > 0 ? QStringLiteral("今天有 %1 个单词要复习").arg(due)
                              : nothingDueText());
}

QString ReviewHook::nothingDueText() const {
    if (const auto next = m_keeper.nextDue())
        return QStringLiteral("今天的复习完成了。下次复习：%1").arg(fullDayText(*next));
    return QStringLiteral("还没有要复习的单词：打错过的单词会在该复习的那天回来");
}

void ReviewHook::Review_Click() {
    const DailyReview& review = m_keeper.prepareReview();
    if (review.lineCount == 0) {
        showWhatIsDue();
        if (review.unreadLessons.empty())
            m_hints.show(this, nothingDueText());
        else
            m_prompts.inform(&m_window, nothingToReview(review), QStringLiteral("今日复习"));
        return;
    }
    if (!m_file.write(review.lesson, m_codePage)) {
        m_prompts.inform(&m_window, QStringLiteral("无法准备今日复习的课文：临时文件写不进去。"),
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

// An older journal's mistakes are judged again as slips before its cards are made.
void ReviewHook::rejudgeSlips() {
    if (const auto rejudged = m_keeper.rejudgeSlips(); rejudged && rejudged->attempts > 0)
        qInfo("Judged %lld earlier attempts again as slips: %lld mistakes became %lld slips, "
              "%lld review cards retired",
              static_cast<long long>(rejudged->attempts),
              static_cast<long long>(rejudged->mistakesBefore),
              static_cast<long long>(rejudged->slipsAfter),
              static_cast<long long>(rejudged->cardsRetired));
}
