#pragma once

#include "core/regular_file.h"
#include "records/history_pages.h"

#include <QDialog>
#include <optional>

class HistoryFile;
class QPlainTextEdit;
class QPushButton;

// `Dialog1`: shows the whole history file, or "没有记录！" when there is none,
// or why it cannot be shown, and offers to clear it. It is filled anew each
// time it opens: the first page of a long history at once, the rest a page per
// event-loop turn, so that the viewer opens at once and stays responsive even
// on a history of many megabytes.
class Dialog1 final : public QDialog {
    Q_OBJECT
  public:
    explicit Dialog1(const HistoryFile& history, QWidget* parent = nullptr);

    // The history was cleared while the viewer is open.
    void showNoRecords();
    // True while pages of the history are still to come.
    bool filling() const { return m_pending.has_value(); }

  signals:
    // 清除记录 was pressed; whoever opened the viewer clears the history.
    void Clearhistory_Click();

  private:
    void Form_Load();
    void showUnreadable(FileProblem problem);
    void showMessage(const QString& text, qreal pointSize);
    void appendNextPage();

    const HistoryFile& m_history;
    QPlainTextEdit* m_box;
    QPushButton* m_clear;
    std::optional<HistoryPages> m_pending; // what is still to be shown
};
