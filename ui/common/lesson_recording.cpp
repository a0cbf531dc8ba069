#include "ui/common/lesson_recording.h"

#include "audio/cuts_file.h"
#include "audio/pause_finder.h"
#include "audio/recording_decoder.h"

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(dictationLog, "orvanta.dictation", QtInfoMsg)

namespace {

constexpr int kAnalysisRate = 8000;
constexpr auto kPollInterval = std::chrono::milliseconds(40);

bool coversEveryLine(const Cuts& cuts, const std::vector<std::size_t>& lines) {
    return cuts.badLines.empty() && !cuts.unreadable &&
           std::all_of(lines.begin(), lines.end(),
                       [&cuts](std::size_t line) { return cutOfLine(cuts.entries, line); });
}

std::vector<LineCut> cutNow(const std::shared_ptr<const std::string>& bytes,
                            const std::vector<std::size_t>& lines, std::string& problem) {
    const auto decoded = decodeRecording(bytes, kAnalysisRate);
    if (const auto* why = std::get_if<std::string>(&decoded)) {
        problem = *why;
        return {};
    }
    return cutsForLines(findSentences(std::get<MonoAudio>(decoded), lines.size()), lines);
}

// Cuts made for a lesson that had none are kept beside it; a cuts file
// that is there is the teacher's, and stays as it is even when it does not
// fit the lesson any more.
void keepCuts(const std::string& lessonPath, const Cuts& kept, const std::vector<LineCut>& made) {
    if (!kept.entries.empty() || !kept.badLines.empty() || kept.unreadable) {
        qCInfo(dictationLog) << "the cuts beside" << lessonPath.c_str()
                             << "do not fit the lesson; it is cut anew for this time";
        return;
    }
    if (const auto error = writeCuts(lessonPath, made))
        qCInfo(dictationLog) << "the cuts cannot be kept beside" << lessonPath.c_str() << ":"
                             << std::strerror(*error);
}

} // namespace

LessonRecording::LessonRecording(QObject* parent) : QObject(parent) {
    m_poll.setInterval(kPollInterval);
    connect(&m_poll, &QTimer::timeout, this, &LessonRecording::follow);
}

LessonRecording::~LessonRecording() = default;

LessonRecording::Prepared LessonRecording::prepare(std::string lessonPath,
                                                   std::string recordingPath,
                                                   std::u16string lessonText) {
    Prepared prepared;
    const auto read = readRecording(recordingPath);
    if (std::holds_alternative<FileProblem>(read)) {
        prepared.problem = "the recording cannot be read";
        return prepared;
    }
    const auto& bytes = std::get<std::shared_ptr<const std::string>>(read);
    const std::vector<std::size_t> lines = spokenLines(lessonText);
    Cuts kept = readCuts(lessonPath);
    if (coversEveryLine(kept, lines)) {
        prepared.cuts = std::move(kept.entries);
    } else {
        prepared.cuts = cutNow(bytes, lines, prepared.problem);
        if (!prepared.problem.empty())
            return prepared;
        keepCuts(lessonPath, kept, prepared.cuts);
    }
    prepared.player = SentencePlayer::toSpeakers(bytes, prepared.problem);
    return prepared;
}

void LessonRecording::open(const std::string& lessonPath, const std::string& recordingPath,
                           const std::u16string& lessonText) {
    close();
    m_lessonPath = lessonPath;
    m_preparing = std::async(std::launch::async, &LessonRecording::prepare, lessonPath,
                             recordingPath, lessonText);
    m_poll.start();
}

void LessonRecording::close() {
    if (m_preparing.valid())
        m_preparing.wait(); // what it prepares belongs to the lesson closed
    m_preparing = {};
    m_player.reset();
    m_cuts.clear();
    m_pending.reset();
    m_poll.stop();
}

std::optional<int> LessonRecording::saveCuts(std::vector<LineCut> cuts) {
    m_cuts = std::move(cuts);
    return writeCuts(m_lessonPath, m_cuts);
}

bool LessonRecording::playLine(std::size_t line, double rate, int times) {
    if (!ready()) {
        m_pending = Pending{line, rate, times};
        return m_preparing.valid();
    }
    const LineCut* cut = cutOfLine(m_cuts, line);
    if (!cut)
        return false;
    start(line, cut->sentence, rate, times);
    return true;
}

void LessonRecording::playSentence(Sentence sentence, double rate) {
    if (ready())
        start(0, sentence, rate, 1);
}

void LessonRecording::start(std::size_t line, Sentence sentence, double rate, int times) {
    m_line = line;
    if (!m_player->play(sentence, rate, times)) {
        emit failed(QString::fromStdString(m_player->problem()));
        return;
    }
    qCDebug(dictationLog, "plays line %zu (%.2f-%.2f s) at %.2fx, %d times", line, sentence.start,
            sentence.end, rate, times);
    m_poll.start();
}

void LessonRecording::checkPreparation() {
    if (m_preparing.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    Prepared prepared = m_preparing.get();
    if (!prepared.player) {
        m_poll.stop();
        emit failed(QString::fromStdString(prepared.problem));
        return;
    }
    m_cuts = std::move(prepared.cuts);
    m_player = std::move(prepared.player);
    emit readied();
    if (const auto pending = std::exchange(m_pending, std::nullopt))
        playLine(pending->line, pending->rate, pending->times);
    if (!m_player->playing())
        m_poll.stop();
}

// While preparing or playing: takes the preparation when it is done and the
// player's end of a play.
void LessonRecording::follow() {
    if (m_preparing.valid()) {
        checkPreparation();
        return;
    }
    if (!m_player || m_player->poll())
        return;
    m_poll.stop();
    qCDebug(dictationLog, "line %zu played %d times, stopped at %.2f s", m_line,
            m_player->playsBegun(), m_player->position().value_or(-1));
}
