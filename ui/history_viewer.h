#pragma once

#include <QDialog>

class HistoryFile;
class QPlainTextEdit;
class QPushButton;

// `Dialog1`: shows the whole history file, or "没有记录！" when there is none,
// and offers to clear it. It is filled anew each time it opens: the first part
// of a long history at once, the rest a chunk per event-loop turn, so that the
// viewer opens at once even on a history of many megabytes.
class Dialog1 final : public QDialog {
    Q_OBJECT
  public:
    explicit Dialog1(const HistoryFile& history, QWidget* parent = nullptr);

    // The history was cleared while the viewer is open.
    void showNoRecords();

  signals:
    // 清除记录 was pressed; whoever opened the viewer clears the history.
    void Clearhistory_Click();

  private:
    void Form_Load();
    void appendNextChunk();

    const HistoryFile& m_history;
    QPlainTextEdit* m_box;
    QPushButton* m_clear;
    QString m_pending; // text still to be shown, line breaks as "\n"
    qsizetype m_shown = 0;
};
