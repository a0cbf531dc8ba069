#include "ui/dictation/dictation_mode.h"

#include "audio/lesson_sentences.h"
#include "core/lesson_paths.h"
#include "core/practice_session.h"
#include "ui/common/lesson_recording.h"
#include "ui/main_window/lesson_box.h"
#include "ui/main_window/main_menu.h"
#include "ui/main_window/media_player_widget.h"
#include "ui/user_settings.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>

namespace {

constexpr double kSlowRate = 0.75; // the tempo only: the pitch stays
constexpr int kMostPlays = 3;

std::vector<Pos> lineStarts(const std::u16string& text) {
    std::vector<Pos> starts{0};
    for (std::size_t at = text.find(u"\r\n"); at != std::u16string::npos;
         at = text.find(u"\r\n", at + 2))
        starts.push_back(static_cast<Pos>(at + 2));
    return starts;
}

bool chosen() {
    return rememberedMode() == PracticeMode::Dictation;
}

} // namespace

DictationMode::DictationMode(QMenu& menu, QActionGroup& group, QAction& textItem,
                             LessonBoxWidget& lessonBox, MediaPlayerWidget& playerBar,
                             PracticeSession& session)
    : QObject(&lessonBox), m_lessonBox(lessonBox), m_playerBar(playerBar), m_session(session),
      m_textItem(textItem), m_recording(new LessonRecording(this)) {
    m_item = addMenuItem(&menu, "ModeDictation", QStringLiteral("听写(&D)"));
    m_item->setCheckable(true);
    group.addAction(m_item);
    menu.setToolTipsVisible(true);
    addKeys(menu);
    addPlaysChoice(menu);
    allowFor({});
    connect(m_item, &QAction::toggled, this, &DictationMode::choose);
    connect(m_recording, &LessonRecording::failed, this, [this](const QString& why) {
        qCWarning(dictationLog) << "the recording cannot be played:" << why;
        m_item->setStatusTip(QStringLiteral("录音无法播放：%1").arg(why));
        m_item->setToolTip(m_item->statusTip());
    });
}

// While composing, Mozc takes every key it knows (function keys, arrows,
// Ctrl and Alt combinations included) and passes on only the keys it has no
// use for: Pause, with any modifier, and the media keys.
void DictationMode::addKeys(QMenu& menu) {
    menu.addSeparator();
    const auto key = [&](const char* name, const QString& caption,
                         const QList<QKeySequence>& shortcuts, auto&& does) {
        QAction* item = addMenuItem(&menu, name, caption);
        item->setShortcuts(shortcuts);
        connect(item, &QAction::triggered, this, [name, does] {
            qCDebug(dictationLog, "%s", name);
            does();
        });
        m_keys.push_back(item);
    };
    key("DictationReplay", QStringLiteral("重听本句(&A)"),
        {QKeySequence(Qt::Key_Pause), QKeySequence(Qt::Key_MediaPlay)},
        [this] { hear(m_heard, 1, 1); });
    key("DictationSlow", QStringLiteral("慢速重听(&L)"), {QKeySequence(Qt::SHIFT | Qt::Key_Pause)},
        [this] { hear(m_heard, kSlowRate, 1); });
    key("DictationPrevious", QStringLiteral("上一句(&P)"),
        {QKeySequence(Qt::ALT | Qt::Key_Pause), QKeySequence(Qt::Key_MediaPrevious)},
        [this] { step(-1); });
    key("DictationNext", QStringLiteral("下一句(&N)"),
        {QKeySequence(Qt::CTRL | Qt::Key_Pause), QKeySequence(Qt::Key_MediaNext)},
        [this] { step(1); });
    setKeysEnabled(false);
}

void DictationMode::addPlaysChoice(QMenu& menu) {
    QMenu* plays = addSubmenu(&menu, "DictationPlays", QStringLiteral("每句播放(&T)"));
    auto* group = new QActionGroup(plays);
    const int saved = std::clamp(loadSetting(kDictationPlays), 1, kMostPlays);
    for (int times = 1; times <= kMostPlays; ++times) {
        const QByteArray name = "DictationPlays" + QByteArray::number(times);
        QAction* item = addMenuItem(plays, name.constData(), QStringLiteral("%1 遍").arg(times));
        item->setCheckable(true);
        item->setChecked(times == saved);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [times] { saveSetting(kDictationPlays, times); });
    }
}

void DictationMode::lessonLoaded(const LoadedLesson& lesson) {
    m_lesson = lesson;
    m_lineStarts = lineStarts(lesson.text);
    m_spoken = spokenLines(lesson.text);
    m_line = m_heard = 1;
    m_recording->close();
    const bool dictating = m_item->isChecked();
    allowFor(lesson); // which applies a change of mode
    if (dictating && m_item->isChecked())
        apply(true);
}

void DictationMode::positionChanged(Pos position) {
    const auto line = static_cast<std::size_t>(
        std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position) -
        m_lineStarts.begin());
    if (line == m_line || !m_item->isChecked())
        return;
    m_line = line;
    hear(line, 1, loadSetting(kDictationPlays));
}

// The item is there for a lesson with a recording; the remembered choice
// holds again once one has.
void DictationMode::allowFor(const LoadedLesson& lesson) {
    const auto recording = lesson.readFailed ? std::nullopt : recordingPathFor(lesson.path);
    m_recordingPath = recording && QFileInfo(QString::fromStdString(*recording)).isFile()
                          ? *recording
                          : std::string();
    const bool allowed = !m_recordingPath.empty();
    const QString why =
        lesson.path.empty()
            ? QStringLiteral("没有打开课程，不能听写。")
            : QStringLiteral("这一课没有录音（%1），不能听写。")
                  .arg(QFileInfo(QString::fromStdString(recording.value_or(lesson.path)))
                           .fileName());
    m_item->setEnabled(allowed);
    m_item->setToolTip(allowed ? QString() : why);
    m_item->setStatusTip(allowed ? QString() : why);
    if (!allowed && m_item->isChecked())
        m_textItem.setChecked(true); // shown as text, the choice kept
    else if (allowed && !m_item->isChecked() && chosen())
        m_item->setChecked(true);
}

// The choice taken up again with a lesson is not written back.
void DictationMode::choose(bool on) {
    if (on && !chosen())
        rememberMode(PracticeMode::Dictation);
    apply(on);
}

void DictationMode::apply(bool on) {
    setKeysEnabled(on);
    if (!on) {
        m_recording->close();
        if (m_lessonBox.concealment() == LessonBoxWidget::Concealment::Everything) {
            m_lessonBox.setConcealment(LessonBoxWidget::Concealment::None);
            m_session.modeShown(PracticeMode::Text);
        }
        return;
    }
    m_lessonBox.setConcealment(LessonBoxWidget::Concealment::Everything);
    m_session.modeShown(PracticeMode::Dictation);
    if (m_recording->lessonPath() != m_lesson.path || !m_recording->opened())
        m_recording->open(m_lesson.path, m_recordingPath, m_lesson.text);
    hear(m_line, 1, loadSetting(kDictationPlays));
}

void DictationMode::hear(std::size_t line, double rate, int times) {
    m_heard = line;
    m_playerBar.stop();
    m_recording->playLine(line, rate, times);
}

// To the sentence of the spoken line before or after the one heard.
void DictationMode::step(int by) {
    const auto heard = std::lower_bound(m_spoken.begin(), m_spoken.end(), m_heard);
    const auto index = std::clamp<std::ptrdiff_t>((heard - m_spoken.begin()) + by, 0,
                                                  static_cast<std::ptrdiff_t>(m_spoken.size()) - 1);
    if (!m_spoken.empty())
        hear(m_spoken[static_cast<std::size_t>(index)], 1, 1);
}

void DictationMode::setKeysEnabled(bool on) {
    for (QAction* key : m_keys)
        key->setEnabled(on);
}
