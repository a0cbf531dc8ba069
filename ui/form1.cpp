#include "ui/form1.h"

#include "ui/desktop_shell.h"
#include "ui/font_chooser.h"
#include "ui/lesson_box.h"
#include "ui/media_player_widget.h"
#include "ui/prompts.h"
#include "ui/qt_text.h"
#include "ui/twips.h"
#include "ui/typing_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTime>

namespace {

constexpr float kClientWidth = 9345;
constexpr float kClientHeight = 7620;

// The clock read-outs change only when the second of the time of day changes,
// so both timers tick just after each whole second rather than every few
// milliseconds: no visible delay, and an idle window stays asleep.
int msUntilNextSecond() {
    return 1001 - QTime::currentTime().msec();
}

void startTicking(QTimer* timer) {
    if (!timer->isActive())
        timer->start(0); // the first tick comes at once
}

void tickAgainAtNextSecond(QTimer* timer) {
    if (timer->isActive())
        timer->start(msUntilNextSecond());
}

} // namespace

Form1::Form1(Form1Services services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_timer1(new QTimer(this)),
      m_timer2(new QTimer(this)), m_commonDialog1(new FontChooser("CommonDialog1", this)),
      m_commonDialog2(new FontChooser("CommonDialog2", this)) {
    Q_INIT_RESOURCE(resources); // the icon lives in this static library
    // Initialisation: the attempt state starts at its defaults; the key click is prepared.
    m_services.mm3.setFileName(m_services.programFolder + kKeyClickFile);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Orvanta"));
    setWindowIcon(QIcon(QStringLiteral(":/orvanta.png")));
    createControls();
    m_menu = buildMainMenu(menuBar());
    m_history = std::make_unique<HistoryFile>(m_services.programFolder + "/user.cey", m_codePage);
    m_scores = new ScoreKeeper(this, *m_history, m_services.prompts, m_menu.Sav, m_menu.Delet);
    connectMenu();
    m_cues = std::make_unique<CueSounds>(m_services.me1, m_services.programFolder, m_state.SoundOn);
    m_engine =
        std::make_unique<ComparisonEngine>(m_state, *m_r1, *m_r2, *this, *m_cues, m_codePage);
    m_loader = std::make_unique<LessonLoader>(m_state, *m_r1, *m_r2, *this, *m_player, m_files,
                                              m_codePage);
    m_clock = std::make_unique<AttemptClock>(m_state, *this, m_services.clock);
    // Loading: the clock and the lesson position start at 0.
    m_state.ClockStarted = 0;
    m_state.CurPos = 0;

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    for (QTimer* timer : {m_timer1, m_timer2})
        timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer1, &QTimer::timeout, this, [this] {
        Timer1_Timer();
        tickAgainAtNextSecond(m_timer1);
    });
    connect(m_timer2, &QTimer::timeout, this, [this] {
        Timer2_Timer();
        tickAgainAtNextSecond(m_timer2);
    });
    startTicking(m_timer2);
    resize(toPixels(kClientWidth), toPixels(kClientHeight) + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::LoadLesson(const std::string& path) {
    m_loader->LoadLesson(path);
}

void Form1::setCaption(FormLabel label, std::u16string_view text) {
    QLabel* readout = m_readouts[static_cast<size_t>(label)];
    readout->setText(qs(text));
    if (readout == m_label13)
        m_label13->adjustSize();
}

void Form1::setDialogCaption(DialogLabel label, std::u16string_view text) {
    m_scores->setFigure(label, qs(text));
}

void Form1::showDialogModeless() {
    m_scores->showModeless();
}

void Form1::enableSav() {
    m_menu.Sav->setEnabled(true);
}

void Form1::setTimer1(bool enabled) {
    if (!enabled)
        m_timer1->stop();
    else
        startTicking(m_timer1);
}

void Form1::setTimer2(bool enabled) {
    if (!enabled)
        m_timer2->stop();
    else
        startTicking(m_timer2);
}

bool Form1::askYesNo(std::u16string_view text, std::u16string_view title) {
    return m_services.prompts.askYesNo(this, qs(text), qs(title));
}

// A running clock shows the speed for the new total at once, not at its next tick.
void Form1::R2_Change() {
    {
        const LessonBoxWidget::MarkBatch batch(*m_r1);
        m_engine->R2_Change();
    }
    m_r1->reveal(m_state.CurPos);
    if (m_timer1->isActive() && m_state.ClockStarted)
        Timer1_Timer();
}

void Form1::R2_KeyPress() {
    if (!m_state.KeySoundOn)
        return;
    m_services.mm3.close();
    m_services.mm3.open();
    m_services.mm3.play();
}

void Form1::Timer1_Timer() {
    m_clock->Timer1_Timer(m_state.CurPos - m_state.LineBreakCount);
}

void Form1::Timer2_Timer() {
    m_clock->Timer2_Timer();
}

// Closing the main window ends the program at once, with every other window.
void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}
