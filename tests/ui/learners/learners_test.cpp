// Learners on a shared PC, through the real chooser, the real 学习者 menu and
// real journals in a temporary data folder.
#include "classroom/class_publisher.h"
#include "records/journal.h"
#include "records/journal_statistics.h"
#include "tests/support/form1_fixture.h"
#include "ui/dialogs/name_entry.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/journal/journal_hook.h"
#include "ui/learners/learner_chooser.h"
#include "ui/program.h"
#include "ui/user_settings.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

class LearnersTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;
    std::unique_ptr<QTemporaryDir> m_data;

    std::string data() const { return m_data->path().toStdString(); }
    LearnerRoster roster() const { return LearnerRoster::load(learnerRosterFile(data())); }
    void writeRoster(const std::vector<std::string>& names, const std::string& last) {
        LearnerRoster r;
        for (const std::string& name : names)
            r.add(name);
        r.setLast(last);
        QDir().mkpath(m_data->filePath(QStringLiteral("orvanta")));
        QVERIFY(!r.save(learnerRosterFile(data())));
    }
    static std::optional<std::string> neverAsked(const LearnerRoster&) {
        qFatal("the chooser was shown");
    }
    // The program's window for a learner of the data folder.
    ProgramRun run(LearnerAtKeyboard at) const {
        ProgramRun r;
        r.dataFolder = data();
        r.learner = std::move(at);
        return r;
    }
    inputname* completeAndSave() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        f->trigger("Jlesson1_A");
        QTest::keyClicks(f->m_r2, QStringLiteral("abc"));
        QTest::mouseClick(f->form->scoreDialog()->findChild<QPushButton*>("OKButton"),
                          Qt::LeftButton);
        for (QWidget* w : QApplication::allWidgets())
            if (auto* entry = qobject_cast<inputname*>(w); entry && entry->isVisible())
                return entry;
        qFatal("the name entry did not open");
    }

  private slots:
    void init() {
        f = std::make_unique<Form1Fixture>();
        m_data = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        f.reset();
        m_data.reset();
    }

    void theChooserSelectsWhoPractisedLastAndEnterConfirms() {
        writeRoster({"王明", "李华", "张伟"}, "2");
        LearnerChooser chooser(roster());
        chooser.show();
        auto* list = chooser.findChild<QListWidget*>(QStringLiteral("LearnerList"));
        QCOMPARE(list->currentItem()->text(), QStringLiteral("李华"));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chooser.chosenId(), std::string("3"));
    }

    // A PC where one person practised before learners were kept: their
    // journal is the first learner's, nobody is asked and nothing is offered.
    void todaysJournalBecomesTheFirstLearnersWithoutAQuestion() {
        const std::string before =
            m_data->filePath(QStringLiteral("orvanta/journal.sqlite3")).toStdString();
        {
            Journal journal(before);
            QVERIFY(!journal.open().error);
            QVERIFY(!journal
                         .record({"J01A",
                                  "t",
                                  "2026-03-02T10:00:00+08:00",
                                  "2026-03-02T10:01:00+08:00",
                                  {60, 20, 20, 0, 20},
                                  true},
                                 {})
                         .error);
        }
        const auto at = learnerForThisRun(data(), std::nullopt, neverAsked);
        QVERIFY(at && !at->chosen);
        QCOMPARE(learnerJournalPath(data(), at->learner.id), before);
        Journal journal(learnerJournalPath(data(), at->learner.id));
        QVERIFY(!journal.open().error);
        QCOMPARE(lessonSummaries(journal).size(), size_t(1));
        QCOMPARE(roster().learners().size(), size_t(1));
    }

    void aLearnerNamedOnTheCommandLineIsMadeAndNobodyIsAsked() {
        writeRoster({"王明", "李华"}, "1");
        const auto at = learnerForThisRun(data(), std::string(" 张伟 "), neverAsked);
        QVERIFY(at && at->chosen);
        QCOMPARE(at->learner.name, std::string("张伟"));
        QCOMPARE(roster().last()->name, std::string("张伟"));
        QCOMPARE(learnerForThisRun(data(), std::string("李华"), neverAsked)->learner.id,
                 std::string("2"));
    }

    void severalLearnersAreAskedAndClosingTheChooserEndsTheProgram() {
        writeRoster({"王明", "李华"}, "2");
        int asked = 0;
        const auto closed = [&](const LearnerRoster&) -> std::optional<std::string> {
            ++asked;
            return std::nullopt;
        };
        QVERIFY(!learnerForThisRun(data(), std::nullopt, closed));
        const auto at = learnerForThisRun(data(), std::nullopt, [](const LearnerRoster&) {
            return std::optional<std::string>("1");
        });
        QCOMPARE(asked, 1);
        QVERIFY(at && at->chosen);
        QCOMPARE(roster().last()->name, std::string("王明"));
    }

    void theMenuListsTheLearnersAndANewOneTakesOver() {
        writeRoster({"王明", "李华"}, "2");
        attachLearners(*f->form, run({*roster().find("2"), true}));
        auto* menu = f->form->findChild<QMenu*>(QStringLiteral("Learners"));
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("学习者(&L)"));
        QVERIFY(f->form->findChild<QAction*>(QStringLiteral("Learner2"))->isChecked());
        QVERIFY(!f->form->findChild<QAction*>(QStringLiteral("Learner1"))->isChecked());
        f->prompts.setNextFile(QStringLiteral("张伟"));
        f->trigger("NewLearner");
        QCOMPARE(roster().learners().size(), size_t(3));
        QCOMPARE(roster().last()->name, std::string("张伟"));
    }

    void deletingALearnerKeepsTheirDataUnlessTheySaySo() {
        writeRoster({"王明", "李华"}, "2");
        const std::string journal = learnerJournalPath(data(), "2");
        QVERIFY(!Journal(journal).open().error);
        attachLearners(*f->form, run({*roster().find("2"), true}));
        f->prompts.setNextAnswer(true);  // delete the learner
        f->prompts.setNextAnswer(false); // but keep the data
        f->trigger("DeleteLearner");
        QCOMPARE(roster().learners().size(), size_t(1));
        QCOMPARE(roster().last()->name, std::string("王明"));
        QVERIFY(QFile::exists(QString::fromStdString(journal)));
    }

    void theNameEntryOffersTheChosenLearnersName() {
        writeRoster({"王明", "李华"}, "2");
        attachLearners(*f->form, run({*roster().find("2"), true}));
        auto* namebox = completeAndSave()->findChild<QLineEdit*>(QStringLiteral("namebox"));
        QCOMPARE(namebox->text(), QStringLiteral("李华"));
        QCOMPARE(namebox->selectedText(), QStringLiteral("李华"));
    }

    void aLearnerNobodyChoseIsNotOffered() {
        attachLearners(*f->form, run({{"1", "王明"}, false}));
        QVERIFY(
            completeAndSave()->findChild<QLineEdit*>(QStringLiteral("namebox"))->text().isEmpty());
    }

    // Each learner's attempts go to their own journal.
    void eachLearnerPractisesIntoTheirOwnJournal() {
        writeRoster({"王明", "李华"}, "2");
        attachJournal(*f->form, learnerJournalPath(data(), "2"));
        completeAndSave()->reject();
        Journal mine(learnerJournalPath(data(), "2"));
        QVERIFY(!mine.open().error);
        QCOMPARE(lessonSummaries(mine).size(), size_t(1));
        QVERIFY(!QFile::exists(QString::fromStdString(learnerJournalPath(data(), "1"))));
    }

    // One learner's readings switch is not another's; the PC's class folder is everyone's.
    void eachLearnerKeepsTheirOwnPreferences() {
        useLearnerSettings({"2", "李华"});
        saveSetting(kShowReadings, true);
        saveSetting(kClassFolder, QStringLiteral("/srv/班级"));
        useLearnerSettings({"1", "王明"});
        const bool firstLearners = loadSetting(kShowReadings);
        const QString folder = loadSetting(kClassFolder);
        useLearnerSettings({"2", "李华"});
        const bool secondLearners = loadSetting(kShowReadings);
        userSettingsFile().remove(QStringLiteral("learner-2"));
        userSettingsFile().remove(QLatin1String(kClassFolder.key));
        useLearnerSettings({"1", "王明"});
        QVERIFY(!firstLearners);
        QVERIFY(secondLearners);
        QCOMPARE(folder, QStringLiteral("/srv/班级"));
    }
};

QTEST_MAIN(LearnersTest)
#include "learners_test.moc"
