#include "tests/support/form1_fixture.h"
#include "ui/main_window/media_player_widget.h"
#include "ui/sound/background_music.h"
#include "ui/sound/sound_bank.h"
#include "ui/sound/wave_file.h"
#include "ui/sound/wave_player.h"

#include <QFile>
#include <QMediaPlayer>
#include <QProcess>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QTest>

class SoundTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    QAction* action(const char* name) {
        return f->form->findChild<QAction*>(QString::fromLatin1(name));
    }
    std::string cue(const char* file) { return f->folder.path().toStdString() + file; }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    // The menu starts with its own captions; every toggle then offers the opposite state.
    void switchCaptionsOfferTheOppositeState_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("captions"); // at start, after one toggle, after two
        QTest::newRow("Se") << QStringLiteral("Se")
                            << QStringList{"关闭音效(&E)", "打开音效(&S)", "关闭音效(&S)"};
        QTest::newRow("Key") << QStringLiteral("Key")
                             << QStringList{"关闭键盘音(&K)", "打开键盘音(K)", "关闭键盘音(&K)"};
    }
    void switchCaptionsOfferTheOppositeState() {
        QFETCH(QString, item);
        QFETCH(QStringList, captions);
        QAction* switchItem = action(item.toLatin1().constData());
        QCOMPARE(switchItem->text(), captions[0]);
        f->trigger(item.toLatin1().constData());
        QCOMPARE(switchItem->text(), captions[1]);
        f->trigger(item.toLatin1().constData());
        QCOMPARE(switchItem->text(), captions[2]);
    }

    void soundOffSilencesCuesButNotTheKeyClick() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        f->trigger("Jlesson1_A");
        f->trigger("Se");
        QTest::keyClicks(f->m_r2, QStringLiteral("ax"));
        QVERIFY(f->me1.played().empty());
        QCOMPARE(f->me1.log,
                 (std::vector<std::string>{"close", "file " + cue("/Sound/True.wav"), "close",
                                           "file " + cue("/Sound/false.wav")}));
        QCOMPARE(f->mm3.log.size(), 1u + 6u); // two clicks of close, open, play
        f->trigger("Se");
        f->trigger("Key");
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        QCOMPARE(f->me1.played(), std::vector<std::string>{cue("/Sound/back.wav")});
        QCOMPARE(f->mm3.log.size(), 1u + 6u);
    }

    // The item offers to turn the music off only once the file really plays.
    void backgroundMusicPlaysOnlyAPlayableFileUntilTurnedOff() {
        const QString offer = QStringLiteral("背景音乐(&M)...");
        f->prompts.setNextFile(QString());
        f->trigger("Music");
        QVERIFY(!f->me2.isPlaying());
        QFile wave(QStringLiteral(ORVANTA_SOUND_DIR "/Type.wav"));
        QVERIFY(wave.open(QIODevice::ReadOnly));
        f->writeFile(QStringLiteral("notes.wav"), "not a sound");
        const QByteArray header = wave.read(44);
        f->writeFile(QStringLiteral("header-only.wav"), header);
        // Less than one frame of 16-bit sound: Qt's loader would wait for ever.
        QByteArray halfFrame = header;
        halfFrame[40] = 1;
        halfFrame[41] = halfFrame[42] = halfFrame[43] = 0;
        f->writeFile(QStringLiteral("half-frame.wav"), halfFrame + QByteArray(1, '\0'));
        QDir(f->folder.path()).mkdir(QStringLiteral("folder.wav"));
        f->writeFile(QStringLiteral("huge.wav"), header); // with 64 MB of silence after it
        QVERIFY(QFile::resize(f->folder.filePath(QStringLiteral("huge.wav")), kLargestWave + 1));
        for (const QString& bad :
             {QStringLiteral("missing.wav"), QStringLiteral("notes.wav"),
              QStringLiteral("header-only.wav"), QStringLiteral("half-frame.wav"),
              QStringLiteral("folder.wav"), QStringLiteral("huge.wav")}) {
            f->prompts.setNextFile(f->folder.filePath(bad));
            f->prompts.setNextAnswer(true); // the message's OK
            f->trigger("Music");
            QTRY_COMPARE(f->prompts.asked().size(), size_t(1));
            QVERIFY(f->prompts.asked().back().startsWith(QStringLiteral("背景音乐|无法播放 ") +
                                                         f->folder.filePath(bad)));
            QCOMPARE(action("Music")->text(), offer);
            QVERIFY(!f->me2.isPlaying());
            QCOMPARE(f->prompts.asked().back().endsWith(QStringLiteral("不能超过 64 MB。")),
                     bad == QStringLiteral("huge.wav"));
            f->prompts = Prompts();
        }
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_SOUND_DIR "/finish.wav"),
                            f->folder.filePath(QStringLiteral("rain.wav"))));
        f->prompts.setNextFile(f->folder.filePath(QStringLiteral("rain.wav")));
        f->trigger("Music");
        QTRY_COMPARE(action("Music")->text(), QStringLiteral("关闭背景音乐(&M)"));
        QVERIFY(f->me2.isPlaying());
        QVERIFY(f->prompts.asked().empty());
        f->trigger("Music");
        QVERIFY(!f->me2.isPlaying());
        QCOMPARE(action("Music")->text(), offer);
    }

    // Music and a cue of the same file are two sounds: the cue neither stops
    // the music nor makes itself repeat.
    void aCueDoesNotCutTheMusicOff() {
        const std::string file = ORVANTA_SOUND_DIR "/Type.wav";
        BackgroundMusic music;
        music.setFileName(file);
        music.open();
        music.play();
        QTRY_VERIFY(music.isPlaying());
        SoundBank bank;
        WavePlayer click(bank);
        click.setFileName(file);
        click.open();
        click.play();
        QVERIFY(music.isPlaying());
        QCOMPARE(bank.effect(QString::fromStdString(file))->loopCount(), 1);
    }

    void wavePlayerIsSilentWithoutItsFileAndReloadsAChangedOne() {
        SoundBank bank;
        WavePlayer player(bank);
        const QString path = f->folder.filePath(QStringLiteral("Sound/True.wav"));
        player.close();
        player.setFileName(path.toStdString());
        player.open();
        player.play(); // no Sound folder: nothing happens, nothing fails
        QVERIFY(!bank.effect(path));
        QDir(f->folder.path()).mkpath(QStringLiteral("Sound"));
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_SOUND_DIR "/True.wav"), path));
        QSoundEffect* first = bank.effect(path);
        QVERIFY(first);
        QCOMPARE(bank.effect(path), first);
        QFile::remove(path);
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_SOUND_DIR "/finish.wav"), path));
        QVERIFY(bank.effect(path) != nullptr);
        QCOMPARE(bank.effect(path)->source().toLocalFile(), QFileInfo(path).absoluteFilePath());
        player.open();
        player.play();
    }

    void aLessonWithARecordingHandsItToThePlayer() {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            QSKIP("ffmpeg is not installed");
        f->writeLesson(QStringLiteral("ldata/J03A.ORV"), u"ab");
        const int rc = QProcess::execute(QStringLiteral("ffmpeg"),
                                         {"-loglevel", "error", "-f", "lavfi", "-i",
                                          "sine=frequency=440:duration=1", "-c:a", "wmav2",
                                          f->folder.filePath(QStringLiteral("ldata/J03A.wma"))});
        QCOMPARE(rc, 0);
        f->trigger("Jlesson3_A");
        auto* widget = f->form->findChild<MediaPlayerWidget*>();
        QVERIFY(widget->isEnabled());
        QVERIFY(widget->player());
        QCOMPARE(widget->player()->source().toLocalFile(),
                 f->folder.filePath(QStringLiteral("ldata/J03A.wma")));
        QTRY_VERIFY_WITH_TIMEOUT(widget->player()->duration() > 900, 10000);
        QVERIFY(widget->player()->error() == QMediaPlayer::NoError);

        f->writeLesson(QStringLiteral("ldata/J03B.ORV"), u"cd");
        f->prompts.setNextAnswer(true);
        f->trigger("Jlesson3_B");
        QVERIFY(!widget->isEnabled());
        QVERIFY(widget->player()->source().isEmpty());
    }
};

QTEST_MAIN(SoundTest)
#include "sound_test.moc"
