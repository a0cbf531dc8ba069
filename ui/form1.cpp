#include "form1.h"

#include "about_box.h"
#include "desktop_shell.h"
#include "font_chooser.h"
#include "font_faces.h"
#include "help_viewer.h"
#include "lesson_box.h"
#include "media_player_widget.h"
#include "prompts.h"
#include "twips.h"
#include "typing_box.h"

#include <QAction>
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

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

const char* const kReadoutNames[] = {"Label2", "Label3",  "Label5", "Label7",
                                     "Label9", "Label11", "Label13"};

} // namespace

Form1::Form1(Form1Services services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_timer1(new QTimer(this)),
      m_timer2(new QTimer(this)), m_commonDialog1(new FontChooser("CommonDialog1", this)),
      m_commonDialog2(new FontChooser("CommonDialog2", this)) {
    Q_INIT_RESOURCE(resources); // the icon lives in this static library
    // Initialisation: the attempt state starts at its defaults; the key click is prepared.
    m_services.mm3.setFileName(m_services.programFolder + "/Sound/Type.wav");
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

QLabel* Form1::captionLabel(const char* name, const QString& text, float left, float top,
                            qreal pointSize) {
    auto* label = new QLabel(text, centralWidget());
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(chineseFont(pointSize));
    label->setStyleSheet(QStringLiteral("color: #0000ff; background: transparent"));
    label->move(toPixels(left), toPixels(top));
    label->adjustSize();
    return label;
}

QLabel* Form1::readoutLabel(const char* name, const QString& text, float left, float top,
                            float width, float height) {
    auto* label = new QLabel(text, centralWidget());
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(chineseFont(14.25));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(
        QStringLiteral("color: #000000; background: #ffffff; border: 1px solid #000000"));
    label->setGeometry(twipRect(left, top, width, height));
    return label;
}

void Form1::createControls() {
    setCentralWidget(new QWidget(this));
    centralWidget()->setObjectName(QStringLiteral("client"));
    captionLabel("Label12", QStringLiteral("开始时间："), 240, 120, 14.25);
    captionLabel("Label1", QStringLiteral("已用时："), 3600, 120, 14.25);
    captionLabel("Label10", QStringLiteral("平均速度："), 6360, 120, 14.25);
    captionLabel("Label4", QStringLiteral("正确数："), 480, 600, 14.25);
    captionLabel("Label6", QStringLiteral("错误数："), 3600, 600, 14.25);
    captionLabel("Label8", QStringLiteral("总数："), 6840, 600, 14.25);
    m_label14 = captionLabel("Label14", QStringLiteral("当前时间："), 0, 0, 15.75);
    auto slot = [this](FormLabel l) -> QLabel*& { return m_readouts[static_cast<size_t>(l)]; };
    slot(FormLabel::Label11) =
        readoutLabel("Label11", QStringLiteral("未开始"), 2040, 120, 1200, 345);
    slot(FormLabel::Label3) = readoutLabel("Label3", QStringLiteral("未用"), 4920, 120, 1200, 345);
    slot(FormLabel::Label2) = readoutLabel("Label2", QStringLiteral("0"), 8040, 120, 1200, 300);
    slot(FormLabel::Label5) = readoutLabel("Label5", QStringLiteral("0"), 2040, 600, 1200, 345);
    slot(FormLabel::Label7) = readoutLabel("Label7", QStringLiteral("0"), 4920, 600, 1200, 300);
    slot(FormLabel::Label9) = readoutLabel("Label9", QStringLiteral("0"), 8040, 600, 1200, 300);
    m_label13 = new QLabel(QStringLiteral("H:M:S"), centralWidget());
    m_label13->setObjectName(QStringLiteral("Label13"));
    m_label13->setFont(chineseFont(15.75));
    m_label13->setStyleSheet(QStringLiteral("color: #ff0000; background: transparent"));
    m_label13->adjustSize();
    slot(FormLabel::Label13) = m_label13;

    m_r1 = new LessonBoxWidget(centralWidget());
    m_r1->setObjectName(QStringLiteral("R1"));
    m_r1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #ffffff; }"));
    m_r2 = new TypingBoxWidget(centralWidget());
    m_r2->setObjectName(QStringLiteral("R2"));
    for (QPlainTextEdit* box :
         {static_cast<QPlainTextEdit*>(m_r1), static_cast<QPlainTextEdit*>(m_r2)})
        box->setFont(japaneseBoxFont());
    m_player = new MediaPlayerWidget(centralWidget());
    m_r1->setGeometry(twipRect(120, 1200, 9135, 2655));
    m_r2->setGeometry(twipRect(120, 3960, 9135, 2415));
    m_player->setGeometry(twipRect(120, 6840, 9135, 675));
    connect(m_r2, &TypingBoxWidget::learnerChanged, this, &Form1::R2_Change);
    connect(m_r2, &TypingBoxWidget::characterKeyPressed, this, &Form1::R2_KeyPress);
    m_r2->setFocus();
}

void Form1::connectMenu() {
    for (const MainMenu::LessonItem& lesson : m_menu.lessons)
        connect(lesson.action, &QAction::triggered, this,
                [this, path = lesson.path] { LoadLesson(path); });
    connect(m_menu.Openfile, &QAction::triggered, this, &Form1::Openfile_Click);
    connect(m_menu.morelesson, &QAction::triggered, this, &Form1::morelesson_Click);
    connect(m_menu.quit, &QAction::triggered, this, &Form1::quit_Click);
    connect(m_menu.Se, &QAction::triggered, this, &Form1::Se_Click);
    connect(m_menu.Key, &QAction::triggered, this, &Form1::Key_Click);
    connect(m_menu.Music, &QAction::triggered, this, &Form1::Music_Click);
    connect(m_menu.Sav, &QAction::triggered, this, &Form1::Sav_Click);
    connect(m_menu.uper, &QAction::triggered, this, &Form1::uper_Click);
    connect(m_menu.Lower, &QAction::triggered, this, &Form1::Lower_Click);
    connect(m_menu.Help, &QAction::triggered, this, &Form1::Help_Click);
    connect(m_menu.About, &QAction::triggered, this, &Form1::About_Click);
    connect(m_menu.See, &QAction::triggered, m_scores, &ScoreKeeper::See_Click);
    connect(m_menu.Delet, &QAction::triggered, m_scores, &ScoreKeeper::Delet_Click);
}

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
    m_engine->R2_Change();
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

void Form1::Openfile_Click() {
    const auto file =
        m_services.prompts.chooseOpenFile(this, QStringLiteral("课文文件(*.ORV) (*.ORV)"));
    if (file && !file->isEmpty())
        LoadLesson(file->toStdString());
}

void Form1::morelesson_Click() {
    m_services.shell.openAddress(kHomePage);
}

void Form1::quit_Click() {
    QApplication::exit(0);
}

void Form1::Sav_Click() {
    if (m_r1->text().empty() || !askYesNo(u"你要放弃当前的练习吗？", u"提示"))
        return;
    resetReadouts(*this);
    m_r1->setText(u"");
    m_r2->setText(u"");
    m_scores->showModal();
}

namespace {

// Face, size, bold, italic, underline and strikeout go from the choice to the box.
QFont chosenFont(QFont font, const QFont& chosen) {
    font.setFamilies(chosen.families());
    font.setPointSizeF(chosen.pointSizeF());
    font.setBold(chosen.bold());
    font.setItalic(chosen.italic());
    font.setUnderline(chosen.underline());
    font.setStrikeOut(chosen.strikeOut());
    return font;
}

} // namespace

// The lesson box takes the face and keeps its marks; the next character to
// type is marked again.
void Form1::uper_Click() {
    const auto choice = m_commonDialog1->choose(this, m_r1->font());
    if (!choice)
        return;
    m_r1->setFont(chosenFont(m_r1->font(), choice->font));
    m_r1->select(m_state.CurPos, 1);
    m_r1->setSelectionUnderline(true);
}

// The typing box takes the face, and the colour for its selection: with the
// selection guard, that is one character or what is typed next.
void Form1::Lower_Click() {
    const auto choice = m_commonDialog2->choose(this, m_r2->font());
    if (!choice)
        return;
    m_r2->setFont(chosenFont(m_r2->font(), choice->font));
    m_r2->selectAll();
    QTextCharFormat colour;
    colour.setForeground(choice->colour);
    m_r2->mergeCurrentCharFormat(colour);
}

// The help document opens in the desktop's viewer, or in ours where there is none.
void Form1::Help_Click() {
    const QString help = QString::fromStdString(nativePath("help\\help.html"));
    if (!m_services.shell.openDocument(help))
        (new HelpViewer(help, this))->show();
}

void Form1::About_Click() {
    auto* about = new frmAbout(m_services.shell, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

// The captions offer the opposite of the current state.
void Form1::Se_Click() {
    if (!m_state.SoundOn) {
        m_menu.Se->setText(QStringLiteral("关闭音效(&S)"));
        m_state.SoundOn = true;
    } else {
        m_state.SoundOn = false;
        m_menu.Se->setText(QStringLiteral("打开音效(&S)"));
    }
}

void Form1::Key_Click() {
    if (m_state.KeySoundOn) {
        m_menu.Key->setText(QStringLiteral("打开键盘音(K)"));
        m_state.KeySoundOn = false;
    } else {
        m_state.KeySoundOn = true;
        m_menu.Key->setText(QStringLiteral("关闭键盘音(&K)"));
    }
}

void Form1::Music_Click() {
    if (m_musicOn) {
        m_services.me2.close();
        m_musicOn = false;
        m_menu.Music->setText(QStringLiteral("背景音乐(&M)..."));
        return;
    }
    const auto file =
        m_services.prompts.chooseOpenFile(this, QStringLiteral("背景音乐 (*.wav);;所有文件 (*)"));
    if (!file)
        return;
    m_services.me2.close();
    m_services.me2.setFileName(file->toStdString());
    m_services.me2.open();
    m_services.me2.play();
    m_musicOn = true;
    m_menu.Music->setText(QStringLiteral("关闭背景音乐(&M)"));
}

MainLayout Form1::currentLayout() const {
    auto twips = [](const QWidget* w) {
        return TwipRect{toTwips(w->x()), toTwips(w->y()), toTwips(w->width()),
                        toTwips(w->height())};
    };
    return MainLayout{twips(m_r1), twips(m_r2), twips(m_label14), twips(m_label13),
                      twips(m_player)};
}

void Form1::placeLayout(const MainLayout& layout) {
    auto place = [](QWidget* w, const TwipRect& r) {
        w->setGeometry(twipRect(r.left, r.top, r.width, r.height));
    };
    place(m_r1, layout.r1);
    place(m_r2, layout.r2);
    m_label14->move(toPixels(layout.label14.left), toPixels(layout.label14.top));
    m_label13->move(toPixels(layout.label13.left), toPixels(layout.label13.top));
    place(m_player, layout.player);
}

void Form1::layoutFor(float outerWidth, float outerHeight) {
    placeLayout(layoutPass(outerWidth, outerHeight, currentLayout()));
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize outer = frameGeometry().size();
    layoutFor(toTwips(outer.width()), toTwips(outer.height()));
}

// Closing the main window ends the program at once, with every other window.
void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}
