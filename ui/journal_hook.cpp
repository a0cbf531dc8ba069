#include "ui/journal_hook.h"

#include "core/code_page.h"
#include "core/lesson_catalogue.h"
#include "core/lesson_codec.h"
#include "core/local_files.h"
#include "records/drill_builder.h"
#include "records/journal_statistics.h"
#include "ui/form1.h"
#include "ui/prompts.h"
#include "ui/score_keeper.h"
#include "ui/statistics_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString kTitle = QStringLiteral("练习日志");
constexpr int kRetryMs = 1000;
// When the window has gone and the program ends, a lock may be waited for a
// little longer.
constexpr int kLastWaitMs = 3000;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The course's texts in course order, as the lesson menu finds them.
std::vector<std::u16string> courseTexts(CodePage& codePage) {
    const LocalFiles files;
    std::vector<std::u16string> texts;
    for (int n = 1; n <= kLessonCount; ++n)
        for (char letter : {'A', 'B'})
            if (const auto bytes = files.readLesson(nativePath(lessonEntry(n, letter).path)))
                texts.push_back(decodeLesson(*bytes, codePage).text);
    return texts;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    QFile file(qs(path));
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

} // namespace

JournalHook::JournalHook(Form1& form, Prompts& prompts, const std::string& journalPath)
    : QObject(&form), m_form(form), m_prompts(prompts), m_journal(journalPath),
      m_recorder(m_journal, *this), m_again(form.findChild<QAction*>(QStringLiteral("Again"))),
      m_retry(new QTimer(this)),
      m_drillPath(m_drillFolder.filePath(QStringLiteral("易错字练习.ORV")).toStdString()) {
    connect(&form, &Form1::lessonRequested, this, &JournalHook::lessonRequested);
    connect(form.findChild<ScoreKeeper*>(), &ScoreKeeper::scoreSaved, this,
            &JournalHook::scoreSaved);
    connect(m_again, &QAction::triggered, this, &JournalHook::Again_Click);
    connect(form.findChild<QAction*>(QStringLiteral("Stats")), &QAction::triggered, this,
            &JournalHook::Stats_Click);
    m_retry->setSingleShot(true);
    m_retry->setInterval(kRetryMs);
    connect(m_retry, &QTimer::timeout, this, &JournalHook::retryJournal);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &JournalHook::writeBeforeQuit);
    if (openJournal(m_journal, *this) == JournalOpening::Open)
        lastLessonIs(lastAttemptLesson(m_journal));
    else
        lastLessonIs(std::nullopt);
}

void JournalHook::lessonRequested(const std::string& path) {
    if (path == m_drillPath)
        m_recorder.setNextLesson({std::string(kDrillLesson), std::string(kDrillLesson)});
    else
        m_recorder.setNextLesson(journalLessonFor(path));
}

void JournalHook::scoreSaved(const QString& name) {
    m_recorder.nameLastAttempt(name.toStdString());
}

void JournalHook::attemptRecorded(std::int64_t, const JournalAttempt& attempt) {
    QTimer::singleShot(0, this, [this] { m_journal.checkpointIfDue(); });
    lastLessonIs(attempt.lesson);
    if (m_window && m_window->isVisible())
        m_window->refresh();
}

void JournalHook::lastLessonIs(std::optional<std::string> lesson) {
    m_lastLesson = std::move(lesson);
    m_again->setEnabled(m_lastLesson.has_value());
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
    if (m_recorder.writeWaiting() && !m_lastLesson &&
        openJournal(m_journal, *this) == JournalOpening::Open)
        lastLessonIs(lastAttemptLesson(m_journal));
}

void JournalHook::writeBeforeQuit() {
    m_retry->stop();
    m_journal.waitForLocks(kLastWaitMs);
    m_recorder.writeWaiting();
}

void JournalHook::tellLater(const QString& text) {
    QTimer::singleShot(0, this, [this, text] { m_prompts.inform(&m_form, text, kTitle); });
}

void JournalHook::Again_Click() {
    if (!m_lastLesson)
        return;
    if (*m_lastLesson == kDrillLesson)
        loadDrill();
    else
        m_form.LoadLesson(courseLessonPath(*m_lastLesson).value_or(*m_lastLesson));
}

void JournalHook::Stats_Click() {
    if (!m_window) {
        m_window = new StatisticsWindow(m_journal, m_prompts, &m_form);
        connect(m_window, &StatisticsWindow::drillRequested, this, &JournalHook::loadDrill);
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
    const std::vector<std::u16string> lines = drillLines(courseTexts(codePage), missed);
    const auto bytes = encodeLesson(drillText(lines), codePage);
    if (lines.empty() || !std::holds_alternative<std::string>(bytes) ||
        !writeFile(m_drillPath, std::get<std::string>(bytes))) {
        m_prompts.inform(m_window && m_window->isVisible() ? static_cast<QWidget*>(m_window)
                                                           : &m_form,
                         QStringLiteral("课文里找不到含有这些易错字的句子，无法生成练习。"),
                         QStringLiteral("易错字练习"));
        return;
    }
    m_form.LoadLesson(m_drillPath);
    if (m_window) // it stays above the main window, where the drill now waits
        m_window->close();
    m_form.activateWindow();
}

JournalHook* attachJournal(Form1& form, Prompts& prompts, const std::string& journalPath) {
    auto* hook = new JournalHook(form, prompts, journalPath);
    form.addAttemptObserver(hook->observer());
    return hook;
}

std::string defaultJournalPath() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/orvanta/journal.sqlite3"))
        .toStdString();
}
