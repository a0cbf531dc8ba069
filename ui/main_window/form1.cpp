#include "ui/main_window/form1.h"

#include "core/local_files.h"
#include "core/practice_session.h"
#include "ui/common/twips.h"
#include "ui/dialogs/box_fonts.h"
#include "ui/dialogs/font_chooser.h"
#include "ui/dialogs/score_keeper.h"
#include "ui/main_window/clock_timers.h"
#include "ui/main_window/hint_row.h"
#include "ui/main_window/lesson_box.h"
#include "ui/main_window/main_controls.h"
#include "ui/main_window/main_menu.h"
#include "ui/main_window/main_window_services.h"
#include "ui/main_window/media_player_widget.h"
#include "ui/main_window/practice_window_port.h"
#include "ui/main_window/sound_menu.h"
#include "ui/main_window/typing_box.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>

Form1::Form1(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::make_unique<MainWindowServices>(std::move(services))),
      m_controls(std::make_unique<MainControls>(createMainControls(this))),
      m_menu(std::make_unique<MainMenu>(buildMainMenu(menuBar()))),
      m_timers(std::make_unique<ClockTimers>(
          this, [this] { Timer1_Timer(); }, [this] { Timer2_Timer(); })),
      m_hints(new HintRow(*m_controls->R1, *m_controls->Label14)),
      m_scores(new ScoreKeeper(this, *m_services->history, *m_services->prompts, m_menu->Sav,
                               m_menu->Delet)),
      m_port(std::make_unique<PracticeWindowPort>(this, *m_controls, *m_menu, *m_timers, *m_scores,
                                                  *m_services->prompts)),
      m_session(std::make_unique<PracticeSession>(
          SessionPorts{*m_controls->R1, *m_controls->R2, *m_port, *m_services->me1,
                       *m_services->me2, *m_services->mm3, *m_controls->player, *m_services->clock,
                       m_services->programFolder, m_services->ownLessonsFolder})),
      m_commonDialog1(new FontChooser("CommonDialog1", this)),
      m_commonDialog2(new FontChooser("CommonDialog2", this)) {
    Q_INIT_RESOURCE(resources); // the icon lives in this static library
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Orvanta"));
    setWindowIcon(QIcon(QStringLiteral(":/orvanta.png")));
    connectControls();
    connectMenu();
    new SoundMenu(this, *m_menu, *m_session, *m_services->me2, *m_services->prompts);
    m_timers->setTimer2(true);
    setMinimumWidth(minimumClientWidth(*m_controls));
    resize(toPixels(kClientWidth), toPixels(kClientHeight) + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::LoadLesson(const std::string& path) {
    m_session->loadLesson(path);
}

MainWindowParts Form1::parts() {
    return MainWindowParts{*this,           *m_session,      *m_menu,
                           *m_controls->R1, *m_controls->R2, *m_controls->player,
                           *m_hints,        *m_scores,       *m_services};
}

void Form1::layoutFor(float outerWidth, float outerHeight) {
    m_laidOutFor = QSize(toPixels(outerWidth), toPixels(outerHeight));
    layOutMainControls(*m_controls, outerWidth, outerHeight);
}

const AttemptState& Form1::state() const {
    return m_session->state();
}

Dialog* Form1::scoreDialog() const {
    return m_scores->dialog();
}

void Form1::connectControls() {
    TypingBoxWidget* r2 = m_controls->R2;
    connect(r2, &TypingBoxWidget::learnerChanged, this, &Form1::R2_Change);
    connect(r2, &TypingBoxWidget::characterKeyPressed, this, &Form1::R2_KeyPress);
    connect(r2, &TypingBoxWidget::committingKana, this,
            [this](const std::u16string& kana) { m_session->inputMethodReading(kana); });
    r2->setFocus();
}

void Form1::connectMenu() {
    for (const MainMenu::LessonItem& lesson : m_menu->lessons)
        connect(lesson.action, &QAction::triggered, this,
                [this, path = nativePath(lesson.path)] { LoadLesson(path); });
    connect(m_menu->Sav, &QAction::triggered, this, &Form1::Sav_Click);
    connect(m_menu->Openfile, &QAction::triggered, this, &Form1::Openfile_Click);
    connect(m_menu->morelesson, &QAction::triggered, this, &Form1::morelesson_Click);
    connect(m_menu->quit, &QAction::triggered, this, &Form1::quit_Click);
    connect(m_menu->uper, &QAction::triggered, this, [this] {
        chooseLessonBoxFont(*m_commonDialog1, this, *m_controls->R1, state().CurPos);
    });
    connect(m_menu->Lower, &QAction::triggered, this,
            [this] { chooseTypingBoxFont(*m_commonDialog2, this, *m_controls->R2); });
    connect(m_menu->Help, &QAction::triggered, this, &Form1::Help_Click);
    connect(m_menu->About, &QAction::triggered, this, &Form1::About_Click);
    connect(m_menu->See, &QAction::triggered, m_scores, &ScoreKeeper::See_Click);
    connect(m_menu->Delet, &QAction::triggered, m_scores, &ScoreKeeper::Delet_Click);
}

void Form1::R2_Change() {
    m_session->typedTextChanged(m_controls->R2->text());
}

void Form1::R2_KeyPress() {
    m_session->characterKeyPressed();
}

void Form1::Timer1_Timer() {
    m_session->attemptClockTick();
}

void Form1::Timer2_Timer() {
    m_session->idleClockTick();
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutForOuterSize();
}

// Under a window manager the frame and caption arrive after the first showing:
// they move the window without resizing it, so the pass runs again with them.
void Form1::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (frameGeometry().size() != m_laidOutFor)
        layoutForOuterSize();
}

void Form1::layoutForOuterSize() {
    const QSize outer = frameGeometry().size();
    layoutFor(toTwips(outer.width()), toTwips(outer.height()));
}

// Closing the main window ends the program at once, with every other window.
void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}
