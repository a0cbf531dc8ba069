#include "ui/history_viewer.h"

#include "records/history_file.h"
#include "ui/qt_text.h"
#include "ui/twips.h"
#include "ui/window_buttons.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr qsizetype kChunk = 256 * 1024; // characters shown per event-loop turn

// The box's whole text takes one colour and its font one size.
void styleBox(QPlainTextEdit* box, qreal pointSize, const QColor& colour) {
    QFont font = box->font();
    font.setPointSizeF(pointSize);
    box->setFont(font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
}

} // namespace

Dialog1::Dialog1(const HistoryFile& history, QWidget* parent)
    : QDialog(parent), m_history(history), m_box(new QPlainTextEdit(this)),
      m_clear(new QPushButton(QStringLiteral("清除记录"), this)) {
    setObjectName(QStringLiteral("Dialog1"));
    showCloseButtonOnly(this);
    setWindowTitle(QStringLiteral("学习记录"));
    setFixedSize(toPixels(7695), toPixels(3705));
    setStyleSheet(QStringLiteral("QDialog { background: rgb(192, 192, 255); }"));
    placed(m_box, "R1", 120, 120, 7455, 2895);
    m_box->setReadOnly(true);
    m_box->setUndoRedoEnabled(false);
    QPalette palette = m_box->palette();
    palette.setColor(QPalette::Base, QColor(192, 192, 255));
    m_box->setPalette(palette);
    placed(m_clear, "Clearhistory", 4920, 3240, 1215, 375);
    m_clear->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    placed(ok, "OKButton", 6360, 3240, 1215, 375);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_clear, &QPushButton::clicked, this, &Dialog1::Clearhistory_Click);
    Form_Load();
}

void Dialog1::Form_Load() {
    styleBox(m_box, 12, QColor(0, 0, 255));
    m_box->clear();
    const auto text = m_history.ReadHistoryText();
    if (!text || text->empty()) {
        showNoRecords();
        return;
    }
    m_pending = documentText(*text);
    m_shown = 0;
    appendNextChunk();
    m_clear->setEnabled(true);
}

// Chunks end after a line break, so that each is whole lines.
void Dialog1::appendNextChunk() {
    if (m_shown >= m_pending.size())
        return;
    qsizetype end = std::min(m_shown + kChunk, m_pending.size());
    const qsizetype lineEnd = m_pending.indexOf(QLatin1Char('\n'), end - 1);
    end = lineEnd < 0 ? m_pending.size() : lineEnd + 1;
    QTextCursor cursor(m_box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(m_pending.mid(m_shown, end - m_shown));
    m_shown = end;
    if (m_shown < m_pending.size())
        QTimer::singleShot(0, this, &Dialog1::appendNextChunk);
    else
        m_pending.clear();
}

void Dialog1::showNoRecords() {
    m_pending.clear();
    m_shown = 0;
    styleBox(m_box, 22, QColor(255, 0, 0));
    m_box->setPlainText(QStringLiteral("没有记录！"));
    m_clear->setEnabled(false);
}
