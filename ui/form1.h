#pragma once

#include "core/attempt_clock.h"
#include "core/attempt_state.h"
#include "core/code_page.h"
#include "core/comparison_engine.h"
#include "core/cue_sounds.h"
#include "core/layout_pass.h"
#include "core/lesson_loader.h"
#include "core/local_files.h"
#include "core/ports.h"
#include "records/history_file.h"
#include "ui/main_menu.h"
#include "ui/score_keeper.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

class BackgroundMusic;
class DesktopShell;
class FontChooser;
class LessonBoxWidget;
class MediaPlayerWidget;
class Prompts;
class QLabel;
class TypingBoxWidget;

// What the main window needs from outside: the three wave-sound players, the
// pre-answerable dialogs, the desktop shell, the clock and the program folder.
struct Form1Services {
    CuePlayer& me1;
    BackgroundMusic& me2;
    CuePlayer& mm3;
    Prompts& prompts;
    DesktopShell& shell;
    const Clock& clock;
    std::string programFolder; // no trailing separator
};

// The main window: the lesson box, the typing box, the read-outs, the clock,
// the recording player and the menus. It wires the practice logic to them.
class Form1 final : public QMainWindow, public PracticeWindow {
    Q_OBJECT
  public:
    explicit Form1(Form1Services services, QWidget* parent = nullptr);
    ~Form1() override;

    void LoadLesson(const std::string& path);
    // Runs the layout pass for an outer window size in twips.
    void layoutFor(float outerWidth, float outerHeight);

    const AttemptState& state() const { return m_state; }
    Dialog* scoreDialog() const { return m_scores->dialog(); }

    // PracticeWindow
    void setCaption(FormLabel label, std::u16string_view text) override;
    void setDialogCaption(DialogLabel label, std::u16string_view text) override;
    void showDialogModeless() override;
    void enableSav() override;
    void setTimer1(bool enabled) override;
    void setTimer2(bool enabled) override;
    bool askYesNo(std::u16string_view text, std::u16string_view title) override;

    void R2_Change();
    void R2_KeyPress();
    void Timer1_Timer();
    void Timer2_Timer();
    void Openfile_Click();
    void morelesson_Click();
    void quit_Click();
    // Gives the running attempt up after a question and shows its figures.
    void Sav_Click();
    void uper_Click();
    void Lower_Click();
    void Help_Click();
    void About_Click();
    void Se_Click();
    void Key_Click();
    // Plays a chosen wave file on `Me2` until turned off; once it plays, the
    // item offers that.
    void Music_Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createControls();
    void connectMenu();
    void connectMusic();
    QLabel* captionLabel(const char* name, const QString& text, float left, float top,
                         qreal pointSize);
    QLabel* readoutLabel(const char* name, const QString& text, float left, float top, float width,
                         float height);
    void placeLayout(const MainLayout& layout);
    void layoutForOuterSize();
    MainLayout currentLayout() const;

    Form1Services m_services;
    AttemptState m_state;
    CodePage m_codePage;
    LocalFiles m_files;
    std::unique_ptr<CueSounds> m_cues;
    std::unique_ptr<ComparisonEngine> m_engine;
    std::unique_ptr<LessonLoader> m_loader;
    std::unique_ptr<AttemptClock> m_clock;

    LessonBoxWidget* m_r1 = nullptr;
    TypingBoxWidget* m_r2 = nullptr;
    MediaPlayerWidget* m_player = nullptr;
    QLabel* m_label13 = nullptr;
    QLabel* m_label14 = nullptr;
    std::array<QLabel*, 7> m_readouts{}; // by FormLabel
    MainMenu m_menu{};
    QTimer* m_timer1;
    QTimer* m_timer2;
    std::unique_ptr<HistoryFile> m_history;
    ScoreKeeper* m_scores = nullptr;
    bool m_musicOn = false;
    QSize m_laidOutFor; // the outer size of the last layout pass
    FontChooser* m_commonDialog1;
    FontChooser* m_commonDialog2;
};
