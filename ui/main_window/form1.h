#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

class AttemptObserver;
class ClockTimers;
class Dialog;
class FontChooser;
class PracticeSession;
class PracticeWindowPort;
class ReadingHelp;
class ScoreKeeper;
struct AttemptState;
struct MainControls;
struct MainMenu;
struct MainWindowServices;

// The main window: the lesson box, the typing box, the read-outs, the clock,
// the recording player and the menus. It passes their events to the practice
// session, which answers through the window's controls.
class Form1 final : public QMainWindow {
    Q_OBJECT
  public:
    explicit Form1(MainWindowServices services, QWidget* parent = nullptr);
    ~Form1() override;

    void LoadLesson(const std::string& path);
    // The observer follows every practice attempt in this window from now on.
    void addAttemptObserver(AttemptObserver& observer);
    // Runs the layout pass for an outer window size in twips.
    void layoutFor(float outerWidth, float outerHeight);

    const AttemptState& state() const;
    Dialog* scoreDialog() const;

  signals:
    // Before every load, so that the journal knows which lesson an attempt
    // that the load begins belongs to.
    void lessonRequested(const std::string& path);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void connectControls();
    void connectMenu();
    void connectMusic();
    void layoutForOuterSize();
    void Openfile_Click();
    void morelesson_Click();
    void quit_Click();
    void Help_Click();
    void About_Click();

    std::unique_ptr<MainWindowServices> m_services;
    std::unique_ptr<MainControls> m_controls;
    std::unique_ptr<MainMenu> m_menu;
    std::unique_ptr<ClockTimers> m_timers;
    ScoreKeeper* m_scores;
    std::unique_ptr<PracticeWindowPort> m_port;
    std::unique_ptr<PracticeSession> m_session;
    FontChooser* m_commonDialog1;
    FontChooser* m_commonDialog2;
    QSize m_laidOutFor; // the outer size of the last layout pass
    ReadingHelp* m_readingHelp = nullptr;
};
