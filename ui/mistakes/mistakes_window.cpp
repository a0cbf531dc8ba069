#include "ui/mistakes/mistakes_window.h"

#include "ui/common/font_faces.h"
#include "ui/mistakes/hint_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { LineColumn, ExpectedColumn, TypedColumn, KindColumn, KanaColumn, CorrectedColumn };

QString plain(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

// The lesson line that holds `position`, as rich text with the slip's part
// (at least one character) marked in red and underlined.
QString markedLine(std::u16string_view text, Pos position, std::size_t length) {
    const auto at = static_cast<std::size_t>(position);
    if (position < 0 || at >= text.size())
        return {};
    const std::size_t lineStart =
        text.rfind(u'\n', at) == std::u16string_view::npos ? 0 : text.rfind(u'\n', at) + 1;
    const std::size_t lineEnd = std::min(text.find(u'\r', at), text.size());
    const auto part = [&](std::size_t from, std::size_t to) {
        return QString::fromStdU16String(std::u16string(text.substr(from, to - from)))
            .toHtmlEscaped();
    };
    if (at >= lineEnd) // the mistake stands on the line break
        return part(lineStart, lineEnd) + QStringLiteral("<span style=\"color:#c00000\">↵</span>");
    const std::size_t end = std::min(lineEnd, at + std::max<std::size_t>(1, length));
    return part(lineStart, at) +
           QStringLiteral("<span style=\"color:#c00000; text-decoration:underline\">") +
           part(at, end) + QStringLiteral("</span>") + part(end, lineEnd);
}

QString kindText(const MistakeNote& note) {
    if (note.kind.empty())
        return QStringLiteral("未分类");
    QString kind = QString::fromStdString(note.kind);
    if (!note.detail.empty())
        kind += QStringLiteral("（") + QString::fromStdString(note.detail) + QStringLiteral("）");
    return kind;
}

QString summaryOf(const ReviewedAttempt& attempt) {
    QString summary =
        QStringLiteral("%1　%2　%3　共 %4 处错误")
            .arg(QString::fromStdString(attempt.title),
                 QString::fromStdString(attempt.endedAt.substr(0, 16)).replace(u'T', u' '),
                 attempt.completed ? QStringLiteral("已完成") : QStringLiteral("未完成"))
            .arg(attempt.mistakes.size());
    if (attempt.shifted > 0)
        summary +=
            QStringLiteral("（另有 %1 个字只是被前面的错误错开，未列出）").arg(attempt.shifted);
    return summary;
}

} // namespace

MistakesWindow::MistakesWindow(QWidget* parent)
    : QDialog(parent), m_summary(new QLabel(this)), m_table(new QTableWidget(0, 6, this)) {
    setObjectName(QStringLiteral("MistakesWindow"));
    setWindowTitle(QStringLiteral("本次练习的错误"));
    setFont(chineseFont(10));
    m_summary->setObjectName(QStringLiteral("MistakesSummary"));
    m_summary->setWordWrap(true);
    m_table->setObjectName(QStringLiteral("MistakesTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("课文"), QStringLiteral("应为"),
                                        QStringLiteral("输入"), QStringLiteral("类型"),
                                        QStringLiteral("输入的假名"), QStringLiteral("已改正")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(LineColumn, QHeaderView::Stretch);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(760, 420);
}

void MistakesWindow::show(const std::optional<ReviewedAttempt>& attempt,
                          const std::optional<std::u16string>& lessonText) {
    fill(attempt, lessonText);
    QDialog::show();
    raise();
    activateWindow();
}

void MistakesWindow::fill(const std::optional<ReviewedAttempt>& attempt,
                          const std::optional<std::u16string>& lessonText) {
    m_table->setRowCount(0);
    if (!attempt) {
        m_summary->setText(QStringLiteral("练习日志里还没有练习记录。"));
    } else {
        m_summary->setText(summaryOf(*attempt));
        m_table->setRowCount(static_cast<int>(attempt->mistakes.size()));
        for (int row = 0; row < m_table->rowCount(); ++row)
            fillRow(row, attempt->mistakes[static_cast<std::size_t>(row)], lessonText);
    }
    m_table->resizeColumnsToContents();
}

void MistakesWindow::fillRow(int row, const ReviewedMistake& mistake,
                             const std::optional<std::u16string>& lessonText) {
    auto* line =
        new QLabel(lessonText ? markedLine(*lessonText, mistake.position, mistake.expected.size())
                              : QString());
    line->setTextFormat(Qt::RichText);
    m_table->setCellWidget(row, LineColumn, line);
    const auto set = [&](Column column, const QString& text) {
        m_table->setItem(row, column, new QTableWidgetItem(text));
    };
    set(ExpectedColumn, withLineBreaksShown(mistake.expected));
    set(TypedColumn, withLineBreaksShown(mistake.typed));
    set(KindColumn, kindText(mistake.note));
    set(KanaColumn, mistake.preedit ? plain(*mistake.preedit) : QStringLiteral("—"));
    set(CorrectedColumn, mistake.corrected ? QStringLiteral("是") : QStringLiteral("否"));
}
