#pragma once

#include "core/attempt_observer.h"
#include "core/slip.h"
#include "records/journal.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class Classifier;
class HintRow;
class KanjiSources;
class Analyser;
class LessonBoxWidget;
class MistakesWindow;
class QAction;
class QWidget;

// Tells the root slip of the attempt — the earliest not corrected — on the
// hint row with what to do, until it is taken back, and opens the review of
// the attempt written last.
class MistakeHints final : public QObject, public AttemptObserver, public CharacterMistakes {
    Q_OBJECT
  public:
    // The hints name no kanji that `lessonBox` hides.
    MistakeHints(QWidget& window, const LessonBoxWidget& lessonBox, HintRow& hints,
                 std::string programFolder, Analyser& analyser);
    ~MistakeHints() override;

    // 记录 → 本次练习的错误 opens the review of the attempt written last in
    // the journal that `journal` gives, which also tells slips made before.
    void reviewWith(QAction& item, std::function<const Journal&()> journal);

    void lessonLoaded(const LoadedLesson& lesson) override;
    void recordChanged(const AttemptRecord& record) override;
    void positionChanged(Pos position) override;
    // The attempt ended and both boxes were emptied: the row tells how many
    // slips it had instead of the slip.
    void completed(const AttemptFigures&) override { tellEnded(false); }
    void gaveUp(const AttemptFigures&) override { tellEnded(false); }
    // The ended attempt's score went into the history.
    void scoreSaved() { tellEnded(true); }

    // The kind of a mistake of a journal written before kinds were kept; its
    // data is read when a journal that old is brought up to date.
    MistakeNote explain(char16_t expected, char16_t typed) override;

  private:
    void tell();
    bool choseBefore(const Slip& slip) const;
    void forgetHint();
    void tellEnded(bool saved);
    void showReview();
    void review(bool bringForward);
    bool isLoaded(const std::string& lesson) const;
    std::optional<std::u16string> lessonTextOf(const std::string& lesson);

    QWidget& m_window;
    const LessonBoxWidget& m_lessonBox;
    HintRow& m_hints;
    std::string m_programFolder;
    std::function<const Journal&()> m_journal;
    MistakesWindow* m_review = nullptr; // made on first use
    Analyser& m_analyser;
    std::unique_ptr<KanjiSources> m_kanji; // for an old journal's upgrade only
    std::unique_ptr<Classifier> m_classifier;
    LoadedLesson m_lesson;
    bool m_chineseTold = false;    // once per attempt
    bool m_tellingChinese = false; // the slip told is the first of a Chinese form
    std::optional<Slip> m_told;    // the slip the row tells, until it is taken back
    bool m_toldFollowed = false;   // the learner typed on after it
    std::size_t m_slips = 0;       // of the attempt, as its record had them last
    bool m_ended = false;          // the row tells the ended attempt until typing starts
};
