#include "ui/mistakes/mistake_hints.h"

#include "core/attempt_record.h"
#include "core/lesson_catalogue.h"
#include "core/lesson_codec.h"
#include "core/local_files.h"
#include "core/regular_file.h"
#include "explain/classifier.h"
#include "records/attempt_review.h"
#include "records/journal_lesson.h"
#include "ui/main_window/hint_row.h"
#include "ui/main_window/lesson_box.h"
#include "ui/mistakes/hint_text.h"
#include "ui/mistakes/mistakes_window.h"

#include <QAction>
#include <QWidget>

MistakeHints::~MistakeHints() = default;

MistakeHints::MistakeHints(QWidget& window, const LessonBoxWidget& lessonBox, HintRow& hints,
                           std::string programFolder, Analyser& analyser)
    : QObject(&window), m_window(window), m_lessonBox(lessonBox), m_hints(hints),
      m_programFolder(std::move(programFolder)), m_analyser(analyser) {}

void MistakeHints::lessonLoaded(const LoadedLesson& lesson) {
    m_lesson = lesson;
    m_ended = false;
    m_chineseTold = false;
    forgetHint();
    if (m_review && m_review->isVisible()) // it shows no kanji the new text hides
        review(false);
}

void MistakeHints::recordChanged(const AttemptRecord& record) {
    if (m_ended && record.events.empty())
        return; // the ended attempt's boxes emptied
    m_ended = false;
    m_slips = record.slips.size();
    const Slip* root = record.rootSlip();
    if (!root) {
        forgetHint();
        return;
    }
    const auto typedOn = static_cast<std::size_t>(root->typedStart + root->typedLength);
    const bool followed = record.learnerLength() > typedOn;
    if (m_told && *m_told == *root && m_toldFollowed == followed)
        return;
    if (!m_told || m_told->start != root->start)
        m_tellingChinese = root->explanation.kind == MistakeKind::ChineseForm && !m_chineseTold;
    m_chineseTold = m_chineseTold || m_tellingChinese;
    m_told = *root;
    m_toldFollowed = followed;
    tell();
}

void MistakeHints::tell() {
    const ToldSlip told =
        toldSlip(*m_told, m_lessonBox.asShown(m_told->expected, m_told->start), m_toldFollowed);
    QStringList hint = m_tellingChinese ? chineseInputHint(told) : slipHint(told);
    if (m_told->explanation.kind == MistakeKind::WrongKanji && choseBefore(*m_told))
        hint.prepend(rememberedChoiceTip(told));
    m_hints.show(this, hint);
}

bool MistakeHints::choseBefore(const Slip& slip) const {
    return m_journal &&
           sameSlipBefore(m_journal(), kindName(slip.explanation.kind), slip.expected, slip.typed);
}

void MistakeHints::forgetHint() {
    m_told.reset();
    m_hints.clear(this);
}

void MistakeHints::tellEnded(bool saved) {
    if (!saved)
        m_ended = true;
    if (!m_ended)
        return; // a score saved after typing began again
    m_told.reset();
    m_hints.show(this, endedHint(m_slips, saved));
}

// The row shows what was set last: a slip's hint stands over the romaji of
// the next word until it is taken back, and names the kanji typed meanwhile.
void MistakeHints::positionChanged(Pos) {
    if (m_told)
        tell();
}

MistakeNote MistakeHints::explain(char16_t expected, char16_t typed) {
    if (!m_classifier) {
        m_kanji = std::make_unique<KanjiSources>();
        m_classifier = std::make_unique<Classifier>(*m_kanji, m_analyser);
    }
    Classifier& classifier = *m_classifier;
    const Explanation told =
        classifier.classify({std::u16string(1, expected), std::u16string(1, typed), {}, {}});
    return {kindName(told.kind), told.detail};
}

void MistakeHints::reviewWith(QAction& item, std::function<const Journal&()> journal) {
    m_journal = std::move(journal);
    item.setEnabled(true);
    connect(&item, &QAction::triggered, this, &MistakeHints::showReview);
}

void MistakeHints::showReview() {
    if (!m_review)
        m_review = new MistakesWindow(m_window.window());
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
