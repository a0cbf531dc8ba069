#include "ui/dialogs/history_viewer.h"

#include "records/history_file.h"
#include "ui/common/twips.h"
#include "ui/common/window_buttons.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr size_t kPageBytes = 128 * 1024; // bytes of the file shown per event-loop turn

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
    auto read = m_history.ReadHistoryBytes();
    if (const auto* problem = std::get_if<FileProblem>(&read)) {
        if (*problem == FileProblem::Missing)
            showNoRecords();
        else
            showUnreadable(*problem);
        return;
    }
    std::string& bytes = std::get<std::string>(read);
    if (bytes.empty()) {
        showNoRecords();
        return;
    }
    m_pending.emplace(std::move(bytes), m_history.codePage());
    appendNextPage();
    m_clear->setEnabled(true);
}

void Dialog1::appendNextPage() {
    if (!m_pending)
        return;
    QTextCursor cursor(m_box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString::fromStdU16String(m_pending->next(kPageBytes)));
    if (m_pending->atEnd())
        m_pending.reset();
    else
        QTimer::singleShot(0, this, &Dialog1::appendNextPage);
}

void Dialog1::showNoRecords() {
    showMessage(QStringLiteral("没有记录！"), 22);
    m_clear->setEnabled(false);
}

// A folder or a device in the history's place cannot be cleared as a file.
void Dialog1::showUnreadable(FileProblem problem) {
    QString reason;
    switch (problem) {
    case FileProblem::Folder:
        reason = QStringLiteral("user.cey 是一个文件夹");
        break;
    case FileProblem::NotARegularFile:
        reason = QStringLiteral("user.cey 不是普通文件");
        break;
    case FileProblem::SymlinkLoop:
        reason = QStringLiteral("符号链接循环");
        break;
    case FileProblem::TooLarge:
        reason = QStringLiteral("记录文件超过 %1 MB").arg(kHistoryFileLimit / (1024 * 1024));
        break;
    case FileProblem::NoPermission:
        reason = QStringLiteral("没有读取权限");
        break;
    default:
        reason = QStringLiteral("读取时出错");
        break;
    }
    showMessage(QStringLiteral("无法显示记录：%1。\n%2")
                    .arg(reason, QString::fromStdString(m_history.path())),
                12);
    m_clear->setEnabled(problem != FileProblem::Folder && problem != FileProblem::NotARegularFile);
}

void Dialog1::showMessage(const QString& text, qreal pointSize) {
    m_pending.reset();
    styleBox(m_box, pointSize, QColor(255, 0, 0));
    m_box->setPlainText(text);
}
