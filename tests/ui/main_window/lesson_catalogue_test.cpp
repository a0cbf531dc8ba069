#include "core/code_page.h"
#include "core/lesson_catalogue.h"
#include "core/lesson_codec.h"
#include "tests/support/form1_fixture.h"
#include "ui/program.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

// The course's lessons as the program folder holds them after the build.
class LessonCatalogueTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QDir::setCurrent(QStringLiteral(ORVANTA_PROGRAM_DIR)); }

    void everyLessonFileDecodesToGbkText() {
        CodePage codePage;
        for (int n = 1; n <= kLessonCount; ++n) {
            for (char letter : {'A', 'B'}) {
                const QString path = QString::fromStdString(lessonEntry(n, letter).path)
                                         .replace(QLatin1Char('\\'), QLatin1Char('/'));
                QFile file(path);
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
                const QByteArray bytes = file.readAll();
                const DecodedLesson lesson =
                    decodeLesson(std::string_view(bytes.data(), bytes.size()), codePage);
                QVERIFY2(!lesson.failedAtByteOffset, qPrintable(path));
                QVERIFY2(lesson.text.size() > 20, qPrintable(path));
                for (char16_t ch : lesson.text)
                    QVERIFY2(ch != u'\uFFFD' && codePage.encodeChar(ch), qPrintable(path));
                QVERIFY2(lesson.text.back() != u'\n', qPrintable(path));
                QVERIFY2(lesson.text.find(u"\r\n") != std::u16string::npos, qPrintable(path));
            }
        }
    }

    void everyMenuItemLoadsItsLesson() {
        MainWindowServices services = testServices(QStringLiteral(ORVANTA_PROGRAM_DIR));
        Prompts& prompts = *services.prompts;
        const auto form = makeMainWindow(std::move(services));
        auto* r1 = form->findChild<LessonBoxWidget*>(QStringLiteral("R1"));
        std::u16string previous;
        for (int n = 1; n <= kLessonCount; ++n) {
            for (char letter : {'A', 'B'}) {
                const LessonEntry entry = lessonEntry(n, letter);
                if (!r1->text().empty())
                    prompts.setNextAnswer(true);
                form->findChild<QAction*>(QString::fromStdString(entry.itemName))->trigger();
                QVERIFY2(!r1->text().empty(), entry.itemName.c_str());
                QVERIFY2(r1->text() != previous, entry.itemName.c_str());
                previous = r1->text();
            }
        }
    }
};

QTEST_MAIN(LessonCatalogueTest)
#include "lesson_catalogue_test.moc"
