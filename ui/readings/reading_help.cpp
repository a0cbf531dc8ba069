#include "ui/readings/reading_help.h"

#include "core/local_files.h"
#include "readings/romaji.h"
#include "ui/common/font_faces.h"
#include "ui/main_window/lesson_box.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSignalBlocker>

namespace {

const QString kSwitchKey = QStringLiteral("readings/show");
constexpr int kGapBeforeAnchor = 8;

QSettings userSettings() {
    return QSettings(QSettings::UserScope, QStringLiteral("orvanta"), QStringLiteral("orvanta"));
}

QString installHint() {
    return QStringLiteral("未找到日语词典，无法显示读音。\n"
                          "请安装 mecab-ipadic-utf8 软件包后重新启动本程序：\n"
                          "sudo apt install mecab-ipadic-utf8");
}

} // namespace

ReadingHelp::ReadingHelp(LessonBoxWidget& lessonBox, QAction& item, QWidget& anchor,
                         std::string dictionaryFolder)
    : QObject(&lessonBox), m_lessonBox(lessonBox), m_item(item), m_anchor(anchor),
      m_romajiLine(new QLabel(anchor.parentWidget())), m_analyser(std::move(dictionaryFolder)) {
    m_romajiLine->setObjectName(QStringLiteral("Romaji"));
    m_romajiLine->setFont(chineseFont(12));
    m_romajiLine->setStyleSheet(QStringLiteral("color: #404040; background: transparent"));
    m_romajiLine->hide();
    m_anchor.installEventFilter(this);
    m_item.setCheckable(true);
    connect(&m_lessonBox, &LessonBoxWidget::textReplaced, this, &ReadingHelp::readLessonBox);
    if (!m_analyser.dictionaryFound()) {
        disable(installHint());
        return;
    }
    connect(&m_item, &QAction::toggled, this, &ReadingHelp::setOn);
    m_item.setChecked(userSettings().value(kSwitchKey, false).toBool());
}

void ReadingHelp::lessonComing(const std::string& lessonPath) {
    m_comingPath = lessonPath;
}

void ReadingHelp::setOn(bool on) {
    userSettings().setValue(kSwitchKey, on);
    if (on) {
        readLessonBox();
        return;
    }
    m_readings = {};
    m_lessonBox.setReadings({});
    m_romajiLine->hide();
}

// Runs on every replacement of the lesson box's text; the readings of the
// new text are worked out only while the switch is on.
void ReadingHelp::readLessonBox() {
    if (sender() == &m_lessonBox)
        m_lessonPath = m_comingPath;
    m_readings = {};
    if (!m_item.isChecked())
        return;
    if (!m_analyser.available()) {
        disable(installHint());
        return;
    }
    const Corrections corrections =
        m_lessonPath.empty() ? Corrections{} : readCorrections(nativePath(m_lessonPath));
    m_readings = readLesson(m_lessonBox.text(), m_analyser, corrections.entries);
    m_lessonBox.setReadings(m_readings.rubies);
    follow(m_position);
}

void ReadingHelp::follow(Pos position) {
    m_position = position;
    const ReadWord* word = m_item.isChecked() && position >= 0
                               ? m_readings.wordAt(static_cast<size_t>(position))
                               : nullptr;
    if (!word) {
        m_romajiLine->hide();
        return;
    }
    const std::u16string written = m_lessonBox.text().substr(word->start, word->length);
    m_romaji = QStringLiteral("%1：%2").arg(QString::fromStdU16String(written),
                                            QString::fromStdString(romaji(word->reading)));
    placeRomajiLine();
}

// The romaji line stands on the clock's row, from the lesson box's left edge
// to just before the clock's caption, and follows it when the window is laid out.
void ReadingHelp::placeRomajiLine() {
    const int left = m_lessonBox.x();
    const int room = m_anchor.x() - kGapBeforeAnchor - left;
    if (room <= 0) {
        m_romajiLine->hide();
        return;
    }
    const QFontMetrics metrics(m_romajiLine->font());
    m_romajiLine->setText(metrics.elidedText(m_romaji, Qt::ElideRight, room));
    const int width = std::min(room, metrics.horizontalAdvance(m_romajiLine->text()) + 2);
    m_romajiLine->setGeometry(left, m_anchor.y(), width, m_anchor.height());
    m_romajiLine->setToolTip(m_romaji);
    m_romajiLine->show();
}

bool ReadingHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_anchor &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        m_romajiLine->isVisible())
        placeRomajiLine();
    return QObject::eventFilter(watched, event);
}

// Unchecked without touching the remembered choice, which holds again once
// the dictionary is installed.
void ReadingHelp::disable(const QString& why) {
    {
        const QSignalBlocker quiet(&m_item);
        m_item.setChecked(false);
    }
    m_item.setEnabled(false);
    m_item.setToolTip(why);
    m_item.setStatusTip(why);
    if (auto* menu = qobject_cast<QMenu*>(m_item.parent()))
        menu->setToolTipsVisible(true);
    m_readings = {};
    m_lessonBox.setReadings({});
    m_romajiLine->hide();
}
