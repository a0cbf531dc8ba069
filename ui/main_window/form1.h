#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

class ClockTimers;
class Dialog;
class FontChooser;
class HintRow;
class LessonBoxWidget;
class MediaPlayerWidget;
class PracticeSession;
class PracticeWindowPort;
class ScoreKeeper;
class TypingBoxWidget;
struct AttemptState;
struct MainControls;
struct MainMenu;
struct MainWindowServices;

// What the main window lends the features beyond the practice itself;
// ui/program.cpp hands each feature the parts it needs.
struct MainWindowParts {
    QMainWindow& window;
    PracticeSession& session; // to observe attempts and to load lessons through
    const MainMenu& menu;
    LessonBoxWidget& lessonBox;
    TypingBoxWidget& typingBox;
    MediaPlayerWidget& recordingPlayer; // the player bar of the whole recording
    HintRow& hints;
    ScoreKeeper& scores;
    MainWindowServices& services;
};

// The main window: the lesson box, the typing box, the read-outs, the clock,
// the hint row, the recording player and the menus. It passes their events to
// the practice session, which answers through the window's controls; it knows
// no feature beyond the practice itself.
class Form1 final : public QMainWindow {
    Q_OBJECT
  public:
    explicit Form1(MainWindowServices services, QWidget* parent = nullptr);
    ~Form1() override;

    void LoadLesson(const std::string& path);
    MainWindowParts parts();
    // Runs the layout pass for an outer window size in twips.
    void layoutFor(float outerWidth, float outerHeight);

    const AttemptState& state() const;
    Dialog* scoreDialog() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectControls();
    void connectMenu();
    void layoutForOuterSize();
    void R2_Change();
    void R2_KeyPress();
    void Timer1_Timer();
    void Timer2_Timer();
    void Sav_Click();
    void Openfile_Click();
    void morelesson_Click();
    void quit_Click();
    void Help_Click();
    void About_Click();

    std::unique_ptr<MainWindowServices> m_services;
    std::unique_ptr<MainControls> m_controls;
    std::unique_ptr<MainMenu> m_menu;
    std::unique_ptr<ClockTimers> m_timers;
    HintRow* m_hints;
    ScoreKeeper* m_scores;
    std::unique_ptr<PracticeWindowPort> m_port;
    std::unique_ptr<PracticeSession> m_session;
    FontChooser* m_commonDialog1;
    FontChooser* m_commonDialog2;
    QSize m_laidOutFor; // the outer size of the last layout pass
};
