#pragma once

#include "tests/fakes/fake_players.h"
#include "ui/background_music.h"
#include "ui/desktop_shell.h"
#include "ui/font_faces.h"
#include "ui/form1.h"
#include "ui/lesson_box.h"
#include "ui/prompts.h"
#include "ui/typing_box.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

// A real main window in a temporary program folder, which is also the working
// folder, with recording sound players, a settable clock and pre-answerable dialogs.
class Form1Fixture {
  public:
    Form1Fixture();
    ~Form1Fixture();

    // Writes a lesson file (relative to the program folder) from its text.
    void writeLesson(const QString& relativePath, std::u16string_view text);
    void writeFile(const QString& relativePath, const QByteArray& bytes);
    void trigger(const char* actionName);
    QString label(const char* name) const;
    QString typed() const { return m_r2->toPlainText(); }
    // Input-method commit and preedit, as the system's input method sends them.
    void commit(const QString& text);
    void preedit(const QString& text);

    // Colour and underline of the lesson character at a document position.
    QColor colourAt(int documentPosition) const;
    bool underlinedAt(int documentPosition) const;

    QTemporaryDir folder;
    RecordingCuePlayer me1, mm3;
    BackgroundMusic me2;
    Prompts prompts;
    DesktopShell shell;
    FakeClock clock;
    std::unique_ptr<Form1> form;
    LessonBoxWidget* m_r1 = nullptr;
    TypingBoxWidget* m_r2 = nullptr;

  private:
    QTextCharFormat formatAt(int documentPosition) const;
    QString m_previousFolder;
};
