#include "ui/dialogs/history_viewer.h"

#include "records/history_file.h"
#include "ui/common/twips.h"
#include "ui/common/window_buttons.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

namespace {

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
    connect(m_box->verticalScrollBar(), &QScrollBar::valueChanged, this, &Dialog1::followScroll);
    connect(m_box->verticalScrollBar(), &QScrollBar::rangeChanged, this, &Dialog1::followScroll);
    m_box->installEventFilter(this);
    Form_Load();
}

void Dialog1::Form_Load() {
    styleBox(m_box, 12, QColor(0, 0, 255));
    m_box->clear();
    m_pages.emplace(m_history);
    auto first = m_pages->page(0);
    if (const auto* problem = std::get_if<FileProblem>(&first)) {
        if (*problem == FileProblem::Missing)
            showNoRecords();
        else
            showUnreadable(*problem);
        return;
    }
    if (std::get<std::u16string>(first).empty()) {
        showNoRecords();
        return;
    }
    const QString text = QString::fromStdU16String(std::get<std::u16string>(first));
    m_first = 0;
    m_lengths = {static_cast<int>(text.size())};
    m_moving = true;
    m_box->setPlainText(text);
    m_moving = false;
    m_clear->setEnabled(true);
}

// The next page comes when the last screen of the window is reached, the
// previous one when the first is; the box lays out lines as they come into
// view, so a change of the scroll range counts as a move too.
void Dialog1::followScroll() {
    if (m_moving || !m_pages)
        return;
    const QScrollBar* bar = m_box->verticalScrollBar();
    m_moving = true;
    if (bar->value() >= bar->maximum() - bar->pageStep())
        appendPage();
    else if (bar->value() <= bar->pageStep())
        prependPage();
    m_moving = false;
}

std::optional<QString> Dialog1::pageText(size_t index) {
    auto page = m_pages->page(index);
    if (!std::holds_alternative<std::u16string>(page))
        return std::nullopt; // changed since it opened: what is shown stays
    return QString::fromStdU16String(std::get<std::u16string>(page));
}

void Dialog1::appendPage() {
    const size_t next = m_first + m_lengths.size();
    if (next >= m_pages->pageCount())
        return;
    const auto text = pageText(next);
    if (!text)
        return;
    QTextCursor end(m_box->document());
    end.movePosition(QTextCursor::End);
    end.insertText(*text);
    m_lengths.push_back(static_cast<int>(text->size()));
    if (m_lengths.size() <= kWindowPages)
        return;
    const int leaving = m_lengths.front();
    keepTopLine(-leaving, [&] { removeText(0, leaving); });
    m_lengths.pop_front();
    ++m_first;
}

void Dialog1::prependPage() {
    if (m_first == 0)
        return;
    const auto text = pageText(m_first - 1);
    if (!text)
        return;
    keepTopLine(static_cast<int>(text->size()),
                [&] { QTextCursor(m_box->document()).insertText(*text); });
    m_lengths.push_front(static_cast<int>(text->size()));
    --m_first;
    if (m_lengths.size() <= kWindowPages)
        return;
    const int end = m_box->document()->characterCount() - 1;
    removeText(end - m_lengths.back(), end);
    m_lengths.pop_back();
}

void Dialog1::removeText(int from, int to) {
    QTextCursor cursor(m_box->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

// Text that comes or goes above the reader moves the view with it, so that
// the line at the top stays there.
template <typename Change> void Dialog1::keepTopLine(int shift, Change change) {
    QScrollBar* bar = m_box->verticalScrollBar();
    const QTextBlock top = m_box->cursorForPosition(QPoint(0, 0)).block();
    const int lineInBlock = bar->value() - top.firstLineNumber();
    const int position = top.position();
    change();
    const QTextBlock moved = m_box->document()->findBlock(position + shift);
    bar->setValue(moved.firstLineNumber() + lineInBlock);
}

// Ctrl+End shows the file's last pages at their end, Ctrl+Home its first at
// their start.
bool Dialog1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_box || event->type() != QEvent::KeyPress || !m_pages)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::ControlModifier)
        return false;
    if (key->key() == Qt::Key_End) {
        const size_t count = m_pages->pageCount();
        showPagesFrom(count > 1 ? count - 2 : 0, QTextCursor::End);
        return true;
    }
    if (key->key() == Qt::Key_Home) {
        showPagesFrom(0, QTextCursor::Start);
        return true;
    }
    return false;
}

// Two pages, so that there is room to scroll before the next one comes, seen
// from `where`.
void Dialog1::showPagesFrom(size_t first, QTextCursor::MoveOperation where) {
    const size_t count = std::min<size_t>(2, m_pages->pageCount() - first);
    QString text;
    std::deque<int> lengths;
    for (size_t k = first; k < first + count; ++k) {
        const auto page = pageText(k);
        if (!page)
            return;
        text += *page;
        lengths.push_back(static_cast<int>(page->size()));
    }
    m_first = first;
    m_lengths = std::move(lengths);
    m_moving = true;
    m_box->setPlainText(text);
    m_box->moveCursor(where);
    m_moving = false;
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
    m_pages.reset();
    styleBox(m_box, pointSize, QColor(255, 0, 0));
    m_box->setPlainText(text);
}
