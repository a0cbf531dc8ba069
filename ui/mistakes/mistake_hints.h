#pragma once

#include "core/attempt_observer.h"
#include "explain/commit_mistakes.h"
#include "explain/kanji_preloader.h"
#include "readings/mecab_analyser.h"
#include "records/attempt_recorder.h"
#include "records/journal.h"

#include <QObject>
#include <functional>
#include <optional>
#include <string>

class HintRow;
class LessonBoxWidget;
class MistakesWindow;
class QAction;
class QWidget;

// Explains the learner's mistakes as they are made: it follows the typing
// box's input-method events (the last all-kana preedit before each commit),
// tells each wrong character's kind to the journal, and shows on the hint row
// what was expected, until the slip is taken back. OpenCC and KANJIDIC are read
// on a thread of their own once the event loop runs, and a lesson's readings
// when it loads, so that no key waits for them.
class MistakeHints final : public QObject,
                           public AttemptObserver,
                           public MistakeExplainer,
                           public CharacterMistakes {
    Q_OBJECT
  public:
    // The hints name no kanji that `lessonBox` hides.
    MistakeHints(QWidget& typingBox, const LessonBoxWidget& lessonBox, HintRow& hints,
                 std::string programFolder, std::string dictionaryFolder);

    // 记录 → 本次练习的错误 opens the review of the attempt written last in
    // the journal that `journal` gives.
    void reviewWith(QAction& item, std::function<const Journal&()> journal);

    void lessonLoaded(const LoadedLesson& lesson) override;
    void evaluated(Pos position, char16_t expected, char16_t typed, bool right) override;
    void takenBack(Pos position) override;
    void positionChanged(Pos position) override;
    // The attempt ended and both boxes were emptied: no slip is left to tell.
    void completed(const AttemptFigures&) override { forgetHint(); }
    void gaveUp(const AttemptFigures&) override { forgetHint(); }

    // For the journal: this attempt's mistakes as they are recorded, and the
    // mistakes of a journal written before kinds were kept.
    void explain(JournalMistake& mistake) override;
    MistakeNote explain(char16_t expected, char16_t typed) override;

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void inputMethodEvent(const QString& preedit, const QString& commit);
    void readLesson();
    void showHint();
    void tell(const Slip& slip);
    void forgetHint();
    void showReview();
    void review(bool bringForward);
    // Whether the journal's `lesson` is the one loaded; the review then shows
    // none of the kanji the lesson box hides.
    bool isLoaded(const std::string& lesson) const;
    std::optional<std::u16string> lessonTextOf(const std::string& lesson);

    QWidget& m_typingBox;
    const LessonBoxWidget& m_lessonBox;
    HintRow& m_hints;
    std::string m_programFolder;
    std::function<const Journal&()> m_journal;
    MistakesWindow* m_review = nullptr; // made on first use
    KanjiSources m_kanji;
    KanjiPreloader m_preloader{m_kanji};
    MecabAnalyser m_analyser;
    Classifier m_classifier;
    CommitMistakes m_commits;
    LoadedLesson m_lesson;
    bool m_lessonRead = false;
    std::optional<std::u16string> m_kanaPreedit; // the last all-kana preedit of this commit
    bool m_chineseTold = false;                  // once per attempt
    bool m_tellingChinese = false;               // the slip told is of the Chinese form
    std::optional<std::size_t> m_hintedSlip;     // start of the slip the row tells
    QStringList m_hint;                          // standing until the slip is taken back
};
