#pragma once

#include "audio/lesson_sentences.h"
#include "audio/sentence_player.h"

#include <QLoggingCategory>
#include <QObject>
#include <QTimer>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(dictationLog)

// A lesson's recording cut into the sentences of its lines, ready to play a
// line's sentence. Opening it reads the recording and its cuts off the
// interface thread; a lesson without cuts for every line that holds text is
// cut there and then, and the cuts are written beside it. A play asked for
// before it is ready starts when it is.
class LessonRecording final : public QObject {
    Q_OBJECT
  public:
    explicit LessonRecording(QObject* parent = nullptr);
    ~LessonRecording() override;

    void open(const std::string& lessonPath, const std::string& recordingPath,
              const std::u16string& lessonText);
    void close();
    bool ready() const { return m_player != nullptr; }
    // Ready or being made ready.
    bool opened() const { return ready() || m_preparing.valid(); }
    const std::string& lessonPath() const { return m_lessonPath; }

    const std::vector<LineCut>& cuts() const { return m_cuts; }
    // New cuts for the lesson, kept beside it; the errno of a failure.
    std::optional<int> saveCuts(std::vector<LineCut> cuts);

    // Plays the sentence of a lesson line (1-based), `times` times at `rate`.
    // False when the line has no sentence.
    bool playLine(std::size_t line, double rate, int times);
    void playSentence(Sentence sentence, double rate);
    // The player, null until the recording is ready.
    const SentencePlayer* player() const { return m_player.get(); }

  signals:
    void readied();
    void failed(const QString& why);

  private:
    struct Prepared {
        std::vector<LineCut> cuts;
        std::unique_ptr<SentencePlayer> player;
        std::string problem;
    };
    static Prepared prepare(std::string lessonPath, std::string recordingPath,
                            std::u16string lessonText);
    void checkPreparation();
    void follow();
    void start(std::size_t line, Sentence sentence, double rate, int times);

    std::string m_lessonPath;
    std::future<Prepared> m_preparing;
    std::vector<LineCut> m_cuts;
    std::unique_ptr<SentencePlayer> m_player;
    struct Pending {
        std::size_t line;
        double rate;
        int times;
    };
    std::optional<Pending> m_pending;
    std::size_t m_line = 0;
    QTimer m_poll;
};
