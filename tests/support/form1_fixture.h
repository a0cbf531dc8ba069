#pragma once

#include "core/attempt_state.h"
#include "tests/fakes/fake_players.h"
#include "ui/common/desktop_shell.h"
#include "ui/common/prompts.h"
#include "ui/main_window/form1.h"
#include "ui/main_window/lesson_box.h"
#include "ui/main_window/main_window_services.h"
#include "ui/main_window/typing_box.h"
#include "ui/sound/background_music.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

// The program's services for a folder, with recording players, a settable
// clock and a recording desktop shell.
MainWindowServices testServices(const QString& programFolder);

// A real main window, made as the program makes it, in a temporary program
// folder, which is also the working folder, with recording sound players, a
// settable clock, pre-answerable dialogs and a recording desktop shell.
class Form1Fixture {
  public:
    // An empty dictionary folder means the installed MeCab dictionary.
    explicit Form1Fixture(std::string readingsDictionary = {});
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

  private:
    QString m_previousFolder;
    MainWindowServices m_services; // until the window takes them

  public:
    RecordingCuePlayer& me1;
    BackgroundMusic& me2;
    RecordingCuePlayer& mm3;
    Prompts& prompts;
    DesktopShell& shell;
    FakeClock& clock;
    std::unique_ptr<Form1> form;
    LessonBoxWidget* m_r1 = nullptr;
    TypingBoxWidget* m_r2 = nullptr;

  private:
    QTextCharFormat formatAt(int documentPosition) const;
};
