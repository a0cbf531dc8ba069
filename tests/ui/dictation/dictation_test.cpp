// 设置 → 练习方式 → 听写 on the real main window, with a recording spoken at
// test time beside the lesson: the text hidden as frames, the sentence of each
// line played as the learner reaches it, replay keys that are never typing.
#include "audio/cuts_file.h"
#include "records/journal.h"
#include "tests/audio/spoken_recording.h"
#include "tests/support/form1_fixture.h"
#include "tests/support/journal_rows.h"
#include "ui/common/lesson_recording.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/dictation/dictation_mode.h"
#include "ui/own_lessons/lesson_editor.h"
#include "ui/own_lessons/sentence_cuts_panel.h"
#include "ui/program.h"
#include "ui/user_settings.h"

#include "explain/kanji_sources.h"
#include "readings/mecab_analyser.h"
#include "ui/common/font_faces.h"
#include "ui/common/prompts.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

const std::u16string kLesson = u"私は学生です。\r\nこれは本です。\r\n\r\n日本語を勉強します。";
const RecordingPlan kPlan{
    {"わたしは がくせいです。", "これは ほんです。", "にほんごを べんきょうします。"},
    {0.5, 1.0, 1.4, 0.6}};
constexpr std::size_t kLines[] = {1, 2, 4}; // the lines that hold text

QAction* item(const Form1Fixture& f, const char* name) {
    return f.form->findChild<QAction*>(QString::fromLatin1(name));
}

DictationMode& dictation(const Form1Fixture& f) {
    return *f.form->findChild<DictationMode*>();
}

// A recording of kPlan, as wma like the course's, at `path`.
void writeRecording(const QTemporaryDir& folder, const QString& path) {
    const std::filesystem::path made = folder.filePath(QStringLiteral("made")).toStdString();
    std::filesystem::create_directories(made);
    const SpokenRecording spoken = speak(kPlan, made);
    std::filesystem::rename(convert(spoken.wav, "wma"), path.toStdString());
}

// Lesson 1 A with its recording.
void writeRecordedLesson(Form1Fixture& f) {
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), kLesson);
    writeRecording(f.folder, f.folder.filePath(QStringLiteral("ldata/J01A.wma")));
}

// The sentence the player plays (or played last) is the line's, at `rate`.
bool plays(const Form1Fixture& f, std::size_t line, double rate) {
    LessonRecording& recording = dictation(f).recording();
    const SentencePlayer* player = recording.player();
    const LineCut* cut = cutOfLine(recording.cuts(), line);
    return player && cut && player->sentence() == cut->sentence && player->rate() == rate;
}

} // namespace

class DictationTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        userSettingsFile().remove(QLatin1String(kPracticeMode.key));
        userSettingsFile().remove(QLatin1String(kDictationPlays.key));
        if (const auto tool = missingTool())
            QSKIP(qPrintable(QString::fromStdString(*tool) +
                             QStringLiteral(" is not installed: no recording can be made")));
    }

    // The item says why it is disabled; the choice holds again with the
    // next lesson that has a recording.
    void aLessonWithoutRecordingCannotBeDictated() {
        Form1Fixture f;
        writeRecordedLesson(f);
        f.writeLesson(QStringLiteral("ldata/J01B.ORV"), kLesson);
        const auto load = [&f](const char* lesson) {
            f.prompts.setNextAnswer(true);
            f.trigger(lesson);
        };
        load("Jlesson1_B");
        QVERIFY(!item(f, "ModeDictation")->isEnabled());
        QVERIFY(item(f, "ModeDictation")->toolTip().contains(QStringLiteral("J01B.wma")));
        load("Jlesson1_A");
        QVERIFY(item(f, "ModeDictation")->isEnabled());
        f.trigger("ModeDictation");
        QCOMPARE(f.m_r1->concealment(), LessonBoxWidget::Concealment::Everything);
        load("Jlesson1_B");
        QVERIFY(item(f, "ModeText")->isChecked());
        QCOMPARE(f.m_r1->concealment(), LessonBoxWidget::Concealment::None);
        load("Jlesson1_A");
        QVERIFY(item(f, "ModeDictation")->isChecked());
        QVERIFY(!item(f, "ModeText")->isChecked());
        QCOMPARE(f.m_r1->concealment(), LessonBoxWidget::Concealment::Everything);
    }

    // Hidden whole; typed characters show, taken back they hide
    // again; each line's sentence plays when the learner reaches it, from
    // cuts made on first need and kept beside the lesson.
    void eachLineIsHeardAndTypedFromFrames() {
        Form1Fixture f;
        writeRecordedLesson(f);
        f.trigger("Jlesson1_A");
        f.trigger("ModeDictation");
        QCOMPARE(f.m_r1->concealment(), LessonBoxWidget::Concealment::Everything);
        for (int at = 0; at < 7; ++at)
            QVERIFY(f.m_r1->concealedAt(at));
        QTRY_VERIFY_WITH_TIMEOUT(plays(f, 1, 1), 20000);
        QVERIFY(QFile::exists(f.folder.filePath(QStringLiteral("ldata/J01A.cuts"))));
        QCOMPARE(dictation(f).recording().cuts().size(), std::size(kLines));

        f.commit(QStringLiteral("私は"));
        QVERIFY(!f.m_r1->concealedAt(0) && !f.m_r1->concealedAt(1) && f.m_r1->concealedAt(2));
        QTest::keyClick(f.m_r2, Qt::Key_Backspace);
        QVERIFY(!f.m_r1->concealedAt(0) && f.m_r1->concealedAt(1));
        f.commit(QStringLiteral("は学生です。"));
        QVERIFY(plays(f, 1, 1));
        QTest::keyClick(f.m_r2, Qt::Key_Return);
        QTRY_VERIFY(plays(f, 2, 1));
        QCOMPARE(dictation(f).heardLine(), 2u);
    }

    // Replay, slow replay, previous and next leave the typing, the figures
    // and the cues alone; each plays the sentence it names.
    void replayKeysAreNeverTyping() {
        Form1Fixture f;
        writeRecordedLesson(f);
        const std::string journal =
            (f.folder.path() + QStringLiteral("/journal.sqlite3")).toStdString();
        attachJournal(*f.form, journal);
        f.trigger("Jlesson1_A");
        f.trigger("ModeDictation");
        f.prompts.setNextAnswer(true); // an attempt begun in dictation
        f.trigger("Jlesson1_A");
        QTRY_VERIFY_WITH_TIMEOUT(plays(f, 1, 1), 20000);
        f.commit(QStringLiteral("私は学"));
        const QString typed = f.typed();
        const QString right = f.label("Label5");
        const auto cues = f.me1.log.size() + f.mm3.log.size();
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            std::size_t line;
            double rate;
        };
        for (const Key& key : {Key{Qt::Key_Pause, Qt::NoModifier, 1, 1},
                               Key{Qt::Key_Pause, Qt::ShiftModifier, 1, 0.75},
                               Key{Qt::Key_Pause, Qt::ControlModifier, 2, 1},
                               Key{Qt::Key_MediaNext, Qt::NoModifier, 4, 1},
                               Key{Qt::Key_Pause, Qt::ControlModifier, 4, 1},
                               Key{Qt::Key_Pause, Qt::AltModifier, 2, 1},
                               Key{Qt::Key_MediaPrevious, Qt::NoModifier, 1, 1},
                               Key{Qt::Key_MediaPlay, Qt::NoModifier, 1, 1}}) {
            QTest::keyClick(f.m_r2, key.key, key.modifiers);
            QVERIFY2(plays(f, key.line, key.rate),
                     qPrintable(QStringLiteral("key %1 to line %2").arg(key.key).arg(key.line)));
        }
        QCOMPARE(f.typed(), typed);
        QCOMPARE(f.label("Label5"), right);
        QCOMPARE(f.me1.log.size() + f.mm3.log.size(), cues);
        f.prompts.setNextAnswer(true); // give up
        f.trigger("Sav");
        f.form->scoreDialog()->close();
        QCOMPARE(journalRows(journal, QStringLiteral("SELECT mode, total FROM attempts")),
                 QStringLiteral("dictation|3"));
    }

    // A cuts file that does not fit the lesson is the teacher's: the lesson
    // is cut anew for the attempt, and the file stays as it was.
    void aCutsFileThatDoesNotFitIsLeftAlone() {
        Form1Fixture f;
        writeRecordedLesson(f);
        const QByteArray teachers = "# adjusted by hand\n1\t1.00\t2.00\nnot a cut\n";
        f.writeFile(QStringLiteral("ldata/J01A.cuts"), teachers);
        f.trigger("Jlesson1_A");
        f.trigger("ModeDictation");
        QTRY_VERIFY_WITH_TIMEOUT(plays(f, 1, 1), 20000);
        QCOMPARE(dictation(f).recording().cuts().size(), std::size(kLines));
        QFile kept(f.folder.filePath(QStringLiteral("ldata/J01A.cuts")));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), teachers);
    }

    // The chosen number of plays: the sentence is played that many times in a row.
    void aSentenceIsPlayedTheChosenNumberOfTimes() {
        Form1Fixture f;
        writeRecordedLesson(f);
        f.trigger("DictationPlays2");
        f.trigger("Jlesson1_A");
        f.trigger("ModeDictation");
        QTRY_VERIFY_WITH_TIMEOUT(plays(f, 1, 1), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(dictation(f).recording().player()->playsBegun(), 2, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!dictation(f).recording().player()->playing(), 20000);
        QCOMPARE(loadSetting(kDictationPlays), 2);
    }

    // In the lesson editor: a sentence played with its end moved, then saved.
    void theEditorPlaysAndKeepsAMovedCut() {
        Form1Fixture f;
        QDir(f.folder.path()).mkpath(QStringLiteral("lessons"));
        f.writeLesson(QStringLiteral("lessons/会話.ORV"), kLesson);
        writeRecording(f.folder, f.folder.filePath(QStringLiteral("lessons/会話.wma")));
        Prompts prompts;
        MecabAnalyser analyser;
        KanjiSources kanji;
        LessonEditor editor(prompts, analyser, kanji,
                            f.folder.filePath(QStringLiteral("lessons")).toStdString(),
                            japaneseBoxFont());
        editor.show();
        const std::string path =
            f.folder.filePath(QStringLiteral("lessons/会話.ORV")).toStdString();
        QVERIFY(editor.openLesson({"会話", path}));
        auto* panel = editor.findChild<SentenceCutsPanel*>();
        auto* rows = panel->findChild<QTableWidget*>(QStringLiteral("CutRows"));
        QTRY_COMPARE_WITH_TIMEOUT(rows->rowCount(), 3, 20000);
        QCOMPARE(rows->item(2, 0)->text(), QStringLiteral("4"));
        auto* end = static_cast<QDoubleSpinBox*>(rows->cellWidget(1, 3));
        const double start = static_cast<QDoubleSpinBox*>(rows->cellWidget(1, 2))->value();
        end->stepUp();
        const double moved = end->value();
        rows->selectRow(1);
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("PlayCut")),
                          Qt::LeftButton);
        QCOMPARE(panel->recording().player()->sentence(), (Sentence{start, moved}));
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("SaveCuts")),
                          Qt::LeftButton);
        const LineCut* kept = cutOfLine(readCuts(path).entries, 2);
        QVERIFY(kept);
        QCOMPARE(kept->sentence.end, moved);
    }
};

QTEST_MAIN(DictationTest)
#include "dictation_test.moc"
