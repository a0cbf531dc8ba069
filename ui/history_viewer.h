#pragma once

#include <QDialog>

class HistoryFile;
class QPlainTextEdit;
class QPushButton;
class ScoreKeeper;

// `Dialog1`: shows the whole history file, or "没有记录！" when there is none,
// and can clear it. It is filled anew each time it opens: the first part of a
// long history at once, the rest a chunk per event-loop turn, so that the
// viewer opens at once even on a history of many megabytes.
class Dialog1 final : public QDialog {
    Q_OBJECT
  public:
    Dialog1(ScoreKeeper& scores, const HistoryFile& history, QWidget* parent = nullptr);

    void Clearhistory_Click();

  private:
    void Form_Load();
    void showNoRecords();
    void appendNextChunk();

    ScoreKeeper& m_scores;
    const HistoryFile& m_history;
    QPlainTextEdit* m_box;
    QPushButton* m_clear;
    QString m_pending; // text still to be shown, line breaks as "\n"
    qsizetype m_shown = 0;
};
