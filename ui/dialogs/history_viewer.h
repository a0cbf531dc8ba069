#pragma once

#include "core/regular_file.h"
#include "records/history_pages.h"

#include <QDialog>
#include <QTextCursor>
#include <deque>
#include <optional>

class HistoryFile;
class QPlainTextEdit;
class QPushButton;

// `Dialog1`: shows the whole history file, or "没有记录！" when there is none,
// or why it cannot be shown, and offers to clear it. It is filled anew each
// time it opens. A long history is shown a window of pages at a time: the
// first page at once, and the next or the previous one as the learner scrolls
// near the window's end or start, the page furthest away leaving; Ctrl+End and
// Ctrl+Home go to the file's end and start. So the viewer opens at once and
// holds a few pages whatever the file's size.
class Dialog1 final : public QDialog {
    Q_OBJECT
  public:
    explicit Dialog1(const HistoryFile& history, QWidget* parent = nullptr);

    // The history was cleared while the viewer is open.
    void showNoRecords();
    // Pages of the history the box holds at most.
    static constexpr size_t kWindowPages = 4;

  signals:
    // 清除记录 was pressed; whoever opened the viewer clears the history.
    void Clearhistory_Click();

  private:
    void Form_Load();
    void showUnreadable(FileProblem problem);
    void showMessage(const QString& text, qreal pointSize);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void followScroll();
    void appendPage();
    void prependPage();
    void showPagesFrom(size_t first, QTextCursor::MoveOperation where);
    std::optional<QString> pageText(size_t index);
    void removeText(int from, int to);
    template <typename Change> void keepTopLine(int shift, Change change);

    const HistoryFile& m_history;
    QPlainTextEdit* m_box;
    QPushButton* m_clear;
    std::optional<HistoryPages> m_pages; // while the history is shown
    size_t m_first = 0;                  // the box's first page
    std::deque<int> m_lengths;           // the characters of each page in the box
    bool m_moving = false;               // while the box changes under the reader
};
