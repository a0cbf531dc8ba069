#include "tests/support/form1_fixture.h"

#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "ui/program.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The windows under test keep their preferences and their data in folders of
// the test process's own, never in the user's: set before anything reads
// them, so that a test's result never hangs on how its user set the program.
// A test that wants folders of its own sets them again in its main().
struct OwnUserFolders {
    OwnUserFolders() {
        qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("data")).toLocal8Bit());
    }
    QTemporaryDir folder;
} ownUserFolders;

} // namespace

MainWindowServices testServices(const QString& programFolder) {
    MainWindowServices services = programServices(programFolder);
    services.me1 = std::make_unique<RecordingCuePlayer>();
    services.mm3 = std::make_unique<RecordingCuePlayer>();
    services.clock = std::make_unique<FakeClock>();
    services.shell->setRecording(true);
    return services;
}

namespace {

template <typename Fake, typename Port> Fake& fake(const std::unique_ptr<Port>& service) {
    return static_cast<Fake&>(*service);
}

} // namespace

Form1Fixture::Form1Fixture(std::string readingsDictionary)
    : m_previousFolder(QDir::currentPath()), m_services(testServices(folder.path())),
      me1(fake<RecordingCuePlayer>(m_services.me1)), me2(*m_services.me2),
      mm3(fake<RecordingCuePlayer>(m_services.mm3)), prompts(*m_services.prompts),
      shell(*m_services.shell), clock(fake<FakeClock>(m_services.clock)) {
    QDir(folder.path()).mkpath(QStringLiteral("ldata"));
    QDir::setCurrent(folder.path());
    m_services.readingsDictionary = std::move(readingsDictionary);
    form = makeMainWindow(std::move(m_services));
    m_r1 = form->findChild<LessonBoxWidget*>(QStringLiteral("R1"));
    m_r2 = form->findChild<TypingBoxWidget*>(QStringLiteral("R2"));
    form->show();
    QApplication::setActiveWindow(form.get());
    m_r2->setFocus();
}

Form1Fixture::~Form1Fixture() {
    form.reset();
    QDir::setCurrent(m_previousFolder);
}

void Form1Fixture::writeLesson(const QString& relativePath, std::u16string_view text) {
    CodePage codePage;
    const std::string bytes = std::get<std::string>(encodeLesson(text, codePage));
    writeFile(relativePath, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void Form1Fixture::writeFile(const QString& relativePath, const QByteArray& bytes) {
    QFile file(folder.filePath(relativePath));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.write(bytes);
}

void Form1Fixture::trigger(const char* actionName) {
    auto* action = form->findChild<QAction*>(QString::fromLatin1(actionName));
    if (!action)
        qFatal("no action %s", actionName);
    action->trigger();
}

QString Form1Fixture::label(const char* name) const {
    return form->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

void Form1Fixture::commit(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(m_r2, &event);
}

void Form1Fixture::preedit(const QString& text) {
    QInputMethodEvent event(text, {});
    QApplication::sendEvent(m_r2, &event);
}

QTextCharFormat Form1Fixture::formatAt(int documentPosition) const {
    return m_r1->markAt(documentPosition);
}

QColor Form1Fixture::colourAt(int documentPosition) const {
    const QTextCharFormat format = formatAt(documentPosition);
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                            : QColor(Qt::black);
}

bool Form1Fixture::underlinedAt(int documentPosition) const {
    return formatAt(documentPosition).fontUnderline();
}
