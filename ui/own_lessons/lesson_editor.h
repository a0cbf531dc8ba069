#pragma once

#include "core/code_page.h"
#include "core/own_lessons.h"
#include "readings/ruby.h"
#include "ui/own_lessons/lesson_checks.h"

#include <QWidget>
#include <string>

class LessonBoxWidget;
class LessonPreview;
class MecabAnalyser;
class Prompts;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// A teacher's own lesson being written: its title, its text in the lesson
// box's font, a preview with the readings of its kanji, where a click on a
// word lets the teacher set its reading, and live checks of what Save would
// refuse or change. Save writes TITLE.ORV into the own-lessons folder and
// says so below the title. Closing it (Esc too) with text not saved asks
// whether to save it first.
class LessonEditor final : public QWidget {
    Q_OBJECT
  public:
    // The analyser gives the preview's readings, the kanji sources tell the
    // characters Japanese does not use; both are shared by the editors.
    LessonEditor(Prompts& prompts, MecabAnalyser& analyser, KanjiSources& kanji, std::string folder,
                 const QFont& boxFont, QWidget* parent = nullptr);

    // Opens a saved lesson with its corrections; false (and told) when unreadable.
    bool openLesson(const OwnLesson& lesson);
    // A new lesson with this text, not saved yet; `note` says where it came from.
    void startWith(const QString& title, const std::u16string& text, const QString& note);

    // The lesson file, empty until the first save.
    const std::string& lessonPath() const { return m_path; }
    const LessonFindings& findings() const { return m_findings; }
    // The readings the preview shows, corrections applied.
    const std::vector<Ruby>& previewReadings() const;

    // Writes the lesson (and its corrections); false, and the teacher told
    // why, when it refuses or fails.
    bool save();
    // Sets the reading of the word in the correction line.
    void setReading();
    // Replaces each character Japanese does not use by its Japanese form.
    void useJapaneseForms();

    // Whether the title or text changed since the last save or opening.
    bool hasUnsavedText() const { return m_unsaved; }

    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    void saved(const std::string& path);
    void practiseRequested(const std::string& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildLayout();
    void textEdited();
    void showSize();
    void wordClicked(const QString& word, const QString& reading);
    void practise();
    bool writeCorrections();
    void showTitle();
    void markSaved();
    bool isInText(const std::u16string& word) const;

    Prompts& m_prompts;
    std::string m_folder;
    std::optional<std::string> pathToSave() const;

    std::string m_path;
    QString m_savedTitle;      // as the file's name gives it, or as last saved
    std::string m_corrections; // the .yomi file's text
    CodePage m_codePage;
    KanjiSources& m_kanji;
    LessonFindings m_findings;
    bool m_unsaved = false;
    QLineEdit* m_title;
    QPlainTextEdit* m_text;
    LessonBoxWidget* m_previewBox;
    LessonPreview* m_preview;
    QLineEdit* m_word;
    QLineEdit* m_reading;
    QPushButton* m_setReading;
    QLabel* m_note;
    QLabel* m_status;
    QProgressBar* m_size;
    QPushButton* m_japaneseForms;
    QPushButton* m_save;
    QPushButton* m_practise;
};
