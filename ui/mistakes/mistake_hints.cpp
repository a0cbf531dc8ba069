#include "ui/mistakes/mistake_hints.h"

#include "core/lesson_codec.h"
#include "core/local_files.h"
#include "core/regular_file.h"
#include "readings/kana.h"
#include "readings/lesson_readings.h"
#include "records/attempt_review.h"
#include "records/journal_lesson.h"
#include "ui/main_window/hint_row.h"
#include "ui/main_window/lesson_box.h"
#include "ui/mistakes/hint_text.h"
#include "ui/mistakes/mistakes_window.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

bool allKana(const std::u16string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) {
        return isHiragana(c) || isKatakana(c) || c == u'ー';
    });
}

MistakeNote noteOf(const Explanation& explanation, bool shifted) {
    return {kindName(explanation.kind), shifted ? kShifted : explanation.detail};
}

} // namespace

MistakeHints::MistakeHints(QWidget& typingBox, const LessonBoxWidget& lessonBox, HintRow& hints,
                           std::string programFolder, std::string dictionaryFolder)
    : QObject(&typingBox), m_typingBox(typingBox), m_lessonBox(lessonBox), m_hints(hints),
      m_programFolder(std::move(programFolder)), m_analyser(std::move(dictionaryFolder)),
      m_classifier(m_kanji, m_analyser), m_commits(m_classifier) {
    m_typingBox.installEventFilter(this);
    QTimer::singleShot(0, this, [this] { m_preloader.start(); });
}

void MistakeHints::lessonLoaded(const LoadedLesson& lesson) {
    m_lesson = lesson;
    m_lessonRead = false;
    m_kanaPreedit.reset();
    m_chineseTold = false;
    forgetHint();
    m_commits.lessonLoaded(lesson.text, {});
    readLesson();
    if (m_review && m_review->isVisible()) // it shows no kanji the new text hides
        review(false);
}

// The lesson's word readings, with its corrections.
void MistakeHints::readLesson() {
    if (m_lessonRead)
        return;
    m_lessonRead = true;
    const Corrections corrections =
        m_lesson.path.empty() ? Corrections{} : readCorrections(nativePath(m_lesson.path));
    m_commits.setReadings(::readLesson(m_lesson.text, m_analyser, corrections.entries));
}

bool MistakeHints::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_typingBox && event->type() == QEvent::InputMethod) {
        const auto* im = static_cast<QInputMethodEvent*>(event);
        inputMethodEvent(im->preeditString(), im->commitString());
    }
    return QObject::eventFilter(watched, event);
}

// Mozc shows the kana, then the candidate: the kana are the last preedit
// that was all kana before the commit.
void MistakeHints::inputMethodEvent(const QString& preedit, const QString& commit) {
    const std::u16string shown = preedit.toStdU16String();
    if (allKana(shown))
        m_kanaPreedit = shown;
    if (commit.isEmpty())
        return;
    m_commits.committed(commit.toStdU16String(), m_kanaPreedit);
    m_kanaPreedit.reset();
}

void MistakeHints::evaluated(Pos position, char16_t, char16_t typed, bool right) {
    const auto at = static_cast<std::size_t>(position);
    m_commits.evaluated(at);
    if (right)
        return;
    readLesson();
    m_commits.note(at, typed);
    showHint();
}

void MistakeHints::takenBack(Pos position) {
    m_commits.takenBack(static_cast<std::size_t>(position));
    showHint();
}

void MistakeHints::showHint() {
    const Slip* slip = m_commits.slip();
    if (!slip) {
        forgetHint();
        return;
    }
    if (m_hintedSlip == slip->start)
        return;
    m_hintedSlip = slip->start;
    const bool chinese = slip->explanation.kind == MistakeKind::ChineseForm;
    m_tellingChinese = chinese && !m_chineseTold;
    m_chineseTold = m_chineseTold || chinese;
    tell(*slip);
}

void MistakeHints::tell(const Slip& slip) {
    Slip shown = slip;
    shown.expected = m_lessonBox.asShown(slip.expected, static_cast<Pos>(slip.wordStart));
    m_hint = m_tellingChinese ? chineseInputHint(shown) : slipHint(shown);
    m_hints.show(this, m_hint);
}

void MistakeHints::forgetHint() {
    m_hintedSlip.reset();
    m_hint.clear();
    m_hints.clear(this);
}

// The row shows what was set last: a slip's hint stands over the romaji of
// the next word until it is taken back, and names the kanji typed meanwhile.
void MistakeHints::positionChanged(Pos) {
    if (const Slip* slip = m_commits.slip(); slip && !m_hint.empty())
        tell(*slip);
}

void MistakeHints::explain(JournalMistake& mistake) {
    const auto at = static_cast<std::size_t>(mistake.position);
    readLesson();
    const NotedMistake noted = m_commits.note(at, mistake.typed);
    mistake.note = noteOf(noted.explanation, noted.shifted);
    mistake.preedit = noted.preedit;
}

MistakeNote MistakeHints::explain(char16_t expected, char16_t typed) {
    return noteOf(
        m_classifier.classify({std::u16string(1, expected), std::u16string(1, typed), {}, {}}),
        false);
}

void MistakeHints::reviewWith(QAction& item, std::function<const Journal&()> journal) {
    m_journal = std::move(journal);
    item.setEnabled(true);
    connect(&item, &QAction::triggered, this, &MistakeHints::showReview);
}

void MistakeHints::showReview() {
    if (!m_review)
        m_review = new MistakesWindow(m_typingBox.window());
    review(true);
}

// The attempt written last, in the review window, brought forward or not;
// when its lesson is the one loaded, as the lesson box shows it.
void MistakeHints::review(bool bringForward) {
    std::optional<ReviewedAttempt> attempt = lastAttemptReview(m_journal());
    if (attempt && isLoaded(attempt->lesson))
        for (ReviewedMistake& mistake : attempt->mistakes)
            mistake.expected = m_lessonBox.asShown(mistake.expected, mistake.position);
    const auto text = attempt ? lessonTextOf(attempt->lesson) : std::nullopt;
    if (bringForward)
        m_review->show(attempt, text);
    else
        m_review->fill(attempt, text);
}

bool MistakeHints::isLoaded(const std::string& lesson) const {
    return journalLessonFor(m_lesson).lesson == lesson;
}

// The lesson loaded now, as the box shows it, or its file read again: after a
// later start the attempt's lesson is no longer in memory.
std::optional<std::u16string> MistakeHints::lessonTextOf(const std::string& lesson) {
    if (isLoaded(lesson))
        return m_lessonBox.asShown(m_lesson.text, 0);
    const auto course = courseLessonPath(lesson);
    const std::string path = course ? m_programFolder + "/" + nativePath(*course) : lesson;
    const auto bytes = readRegularFile(path, kLessonFileLimit);
    if (!std::holds_alternative<std::string>(bytes))
        return std::nullopt;
    CodePage codePage;
    return decodeLesson(std::get<std::string>(bytes), codePage).text;
}
