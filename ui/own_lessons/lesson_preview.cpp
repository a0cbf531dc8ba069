#include "ui/own_lessons/lesson_preview.h"

#include "readings/kana.h"
#include "ui/main_window/lesson_box.h"

#include <QMouseEvent>

namespace {

constexpr int kPauseMs = 300;

// The run of kanji around a position, for a word the dictionary gave no reading.
std::pair<size_t, size_t> kanjiRunAt(std::u16string_view text, size_t position) {
    size_t start = position;
    size_t end = position;
    while (start > 0 && takesReading(text[start - 1]))
        --start;
    while (end < text.size() && takesReading(text[end]))
        ++end;
    return {start, end - start};
}

} // namespace

LessonPreview::LessonPreview(LessonBoxWidget& box, MecabAnalyser& analyser)
    : QObject(&box), m_box(box), m_analyser(analyser) {
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &LessonPreview::show);
    m_box.viewport()->installEventFilter(this);
}

void LessonPreview::follow(std::u16string text) {
    m_text = std::move(text);
    m_pause.start();
}

void LessonPreview::setCorrections(std::vector<Correction> corrections) {
    m_corrections = std::move(corrections);
    show();
}

void LessonPreview::show() {
    m_pause.stop();
    if (m_box.text() != m_text)
        m_box.setText(m_text);
    m_readings = readLesson(m_text, m_analyser, m_corrections);
    m_box.setReadings(m_readings.rubies);
}

bool LessonPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease)
        clicked(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QObject::eventFilter(watched, event);
}

void LessonPreview::clicked(QPoint point) {
    const auto position = static_cast<size_t>(m_box.positionAt(point));
    if (position >= m_text.size())
        return;
    if (const ReadWord* word = m_readings.wordAt(position)) {
        emit wordClicked(QString::fromStdU16String(m_text.substr(word->start, word->length)),
                         QString::fromStdU16String(word->reading));
        return;
    }
    const auto [start, length] = kanjiRunAt(m_text, position);
    if (length > 0)
        emit wordClicked(QString::fromStdU16String(m_text.substr(start, length)), {});
}
