#include "ui/journal/journal_hook.h"

#include "core/code_page.h"
#include "core/lesson_catalogue.h"
#include "core/local_files.h"
#include "core/practice_session.h"
#include "readings/borrowed_lines.h"
#include "readings/lesson_files.h"
#include "records/drill_builder.h"
#include "records/journal_statistics.h"
#include "records/journal_version.h"
#include "ui/common/borrowed_lesson_file.h"
#include "ui/common/prompts.h"
#include "ui/dialogs/score_keeper.h"
#include "ui/journal/statistics_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("练习日志");
constexpr int kRetryMs = 1000;
// When the window has gone and the program ends, a lock may be waited for a
// little longer.
constexpr int kLastWaitMs = 3000;
// Long enough for the window to be shown and painted.
constexpr int kUpgradeAfterMs = 300;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The course's lessons in course order, as the lesson menu finds them.
std::vector<LenderLesson> courseLessons(CodePage& codePage) {
    const LocalFiles files;
    LessonFiles lessons(files, codePage, ".");
    std::vector<LenderLesson> course;
    for (int n = 1; n <= kLessonCount; ++n)
        for (char letter : {'A', 'B'})
            if (auto lesson = lessons.read(lessonEntry(n, letter).path))
                course.push_back(std::move(*lesson));
    return course;
}

bool holdsLine(std::u16string_view text, std::u16string_view line) {
    for (size_t at = text.find(line); at != std::u16string_view::npos; at = text.find(line, at + 1))
        if ((at == 0 || text[at - 1] == u'\n') &&
            (at + line.size() == text.size() || text[at + line.size()] == u'\r'))
            return true;
    return false;
}

// Each drill line with the corrections of the first lesson that holds it,
// where the drill found it.
std::vector<BorrowedLine> lentLines(const std::vector<std::u16string>& lines,
                                    const std::vector<LenderLesson>& course) {
    std::vector<BorrowedLine> lent;
    for (const std::u16string& line : lines) {
        const auto lender = std::find_if(course.begin(), course.end(), [&](const LenderLesson& l) {
            return holdsLine(l.text, line);
        });
        lent.push_back({line, lender == course.end() ? nullptr : &lender->corrections});
    }
    return lent;
}

} // namespace

JournalHook::JournalHook(QWidget& window, PracticeSession& session, QAction& again, QAction& stats,
                         ScoreKeeper& scores, Prompts& prompts, const std::string& journalPath,
                         CharacterMistakes* older)
    : QObject(&window), m_mainWindow(window), m_session(session), m_scores(scores),
      m_prompts(prompts), m_journal(journalPath, older), m_recorder(m_journal, *this),
      m_again(again), m_retry(new QTimer(this)),
      m_drill(QString::fromUtf8(kDrillLesson.data(), kDrillLesson.size())) {
    m_recorder.nameLesson(m_drill.path(), {std::string(kDrillLesson), std::string(kDrillLesson)});
    // The journal names the attempt before the history takes its score, so
    // that the program ending between the two never leaves it unnamed.
    connect(&scores, &ScoreKeeper::scoreSaving, this, &JournalHook::scoreSaved);
    connect(&scores, &ScoreKeeper::scoreNotSaved, this, [this] { m_recorder.unnameLastAttempt(); });
    connect(&m_again, &QAction::triggered, this, &JournalHook::Again_Click);
    connect(&stats, &QAction::triggered, this, &JournalHook::Stats_Click);
    m_retry->setSingleShot(true);
    m_retry->setInterval(kRetryMs);
    connect(m_retry, &QTimer::timeout, this, &JournalHook::retryJournal);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &JournalHook::writeBeforeQuit);
    lastLessonIs(std::nullopt);
    // Bringing an older journal up to date can take seconds: the window is on
    // the screen first.
    m_opening = journalNeedsUpgrade(journalPath);
    if (m_opening)
        QTimer::singleShot(kUpgradeAfterMs, this, &JournalHook::openAtStart);
    else
        openAtStart();
}

void JournalHook::openAtStart() {
    m_opening = false;
    if (openJournal(m_journal, *this) == JournalOpening::Open)
        journalOpened();
}

// What start-up learns from the journal, once it is open.
void JournalHook::journalOpened() {
    m_recorder.writeWaiting(); // those a former run kept
    lastLessonIs(lastAttemptLesson(m_journal));
    emit opened();
}

void JournalHook::scoreSaved(const QString& name) {
    m_recorder.nameLastAttempt(name.toStdString());
}

void JournalHook::attemptRecorded(std::int64_t, const JournalAttempt& attempt) {
    QTimer::singleShot(0, this, [this] { m_journal.checkpointIfDue(); });
    lastLessonIs(attempt.lesson);
    emit attemptJournalled();
    if (m_window && m_window->isVisible())
        m_window->refresh();
}

void JournalHook::lastLessonIs(std::optional<std::string> lesson) {
    m_lastLesson = std::move(lesson);
    m_again.setEnabled(m_lastLesson.has_value());
}

void JournalHook::journalMovedAside(const std::string& movedTo) {
    tellLater(QStringLiteral("练习日志文件已损坏，已改名保留为\n%1\n并新建了一个练习日志。")
                  .arg(qs(movedTo)));
}

void JournalHook::journalFailed(const std::string& reason) {
    if (m_failureTold)
        return;
    m_failureTold = true;
    tellLater(QStringLiteral("无法打开或写入练习日志 %1（%2）。\n练习和成绩记录照常进行，"
                             "只是这些练习不会出现在学习统计里。")
                  .arg(qs(m_journal.path()), qs(reason)));
}

void JournalHook::journalBusy() {
    m_retry->start();
}

// A journal locked at start-up opens here too, and 再练一次 learns its lesson.
void JournalHook::retryJournal() {
    const bool wasOpen = m_journal.isOpen();
    if (m_recorder.writeWaiting() && openJournal(m_journal, *this) == JournalOpening::Open &&
        !wasOpen)
        journalOpened();
}

void JournalHook::writeBeforeQuit() {
    m_retry->stop();
    m_journal.waitForLocks(kLastWaitMs);
    if (!m_recorder.writeWaiting())
        m_recorder.keepWhatWaits();
}

// The message comes over the main window; the save dialog of the attempt
// that just ended is put back in front of it.
void JournalHook::tellLater(const QString& text) {
    QTimer::singleShot(0, this, [this, text] {
        m_prompts.inform(&m_mainWindow, text, kTitle);
        m_scores.raiseDialog();
    });
}

void JournalHook::Again_Click() {
    if (!m_lastLesson)
        return;
    const auto named = m_namedPaths.find(*m_lastLesson);
    if (*m_lastLesson == kDrillLesson)
        loadDrill();
    else if (named != m_namedPaths.end())
        m_session.loadLesson(named->second);
    else
        m_session.loadLesson(courseLessonPath(*m_lastLesson).value_or(*m_lastLesson));
}

void JournalHook::nameLesson(const std::string& path, const std::string& lesson,
                             const std::string& title) {
    m_recorder.nameLesson(path, {lesson, title});
    m_namedPaths[lesson] = path;
}

// A journal found locked is tried again by the retry alone, so that start-up
// waits for another program's lock once, not once per feature.
Journal& JournalHook::journal() {
    if (!m_retry->isActive() && !m_opening)
        openJournal(m_journal, *this);
    return m_journal;
}

void JournalHook::Stats_Click() {
    if (!m_window) {
        m_window = new StatisticsWindow(m_journal, m_prompts, &m_mainWindow);
        connect(m_window, &StatisticsWindow::drillRequested, this, &JournalHook::loadDrill);
        emit statisticsWindowMade(*m_window);
    }
    if (!m_window->isVisible()) {
        openJournal(m_journal, *this);
        m_window->refresh();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void JournalHook::loadDrill() {
    std::vector<std::u16string> missed;
    for (const MissedCharacter& m : mostMissed(m_journal))
        missed.push_back(m.expected);
    CodePage codePage;
    const std::vector<LenderLesson> course = courseLessons(codePage);
    std::vector<std::u16string> texts;
    for (const LenderLesson& lesson : course)
        texts.push_back(lesson.text);
    const std::vector<std::u16string> lines = drillLines(texts, missed);
    if (lines.empty() || !m_drill.write(borrowLines(lentLines(lines, course)), codePage)) {
        m_prompts.inform(m_window && m_window->isVisible() ? static_cast<QWidget*>(m_window)
                                                           : &m_mainWindow,
                         QStringLiteral("课文里找不到含有这些易错字的句子，无法生成练习。"),
                         QStringLiteral("易错字练习"));
        return;
    }
    m_session.loadLesson(m_drill.path());
    if (m_window) // it stays above the main window, where the drill now waits
        m_window->close();
    m_mainWindow.activateWindow();
}
