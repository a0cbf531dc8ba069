#pragma once

#include "core/ports.h"
#include "records/history_file.h"
#include "ui/dialogs/score_dialog.h"

#include <QObject>
#include <QPointer>

class Prompts;
class QAction;
class QWidget;

// The life of the save dialog and the history file behind it: the dialog is
// created by the first figure written into it, shown modeless at completion or
// modal from `Sav`, and destroyed when closed. Saving asks for a name and
// appends a record; clearing deletes the file after a confirmation.
class ScoreKeeper final : public QObject {
    Q_OBJECT
  public:
    ScoreKeeper(QWidget* owner, HistoryFile& history, Prompts& prompts, QAction* sav,
                QAction* delet);
    ~ScoreKeeper() override;

    void setFigure(DialogLabel label, const QString& text);
    void showModeless();
    // Shows the dialog modal, unless it is on screen already.
    void showModal();
    Dialog* dialog() const { return m_dialog; }

    // The name the name entry starts with, selected: the chosen learner's.
    // Without one it starts empty, so that one Enter never files a score
    // under the name of whoever saved before.
    void offerName(const QString& name) { m_offeredName = name; }
    // The dialog, when it is shown, in front again (after a message over the
    // main window hid it).
    void raiseDialog();
    void OKButton_Click();
    void See_Click();
    void Delet_Click();

    enum class Clearing { Cancelled, Failed, Done };
    // Asks, disables `Delet`, deletes the file; tells the learner when it fails.
    Clearing clearHistory(QWidget* asker);

  signals:
    // The score of the last attempt is about to be appended to the history
    // under `name`; then it was, or it could not be.
    void scoreSaving(const QString& name);
    void scoreSaved(const QString& name);
    void scoreNotSaved();

  private:
    Dialog& ensureDialog();
    void save(const QString& name);

    QWidget* m_owner;
    HistoryFile& m_history;
    Prompts& m_prompts;
    QAction* m_sav;
    QAction* m_delet;
    QPointer<Dialog> m_dialog;
    QString m_offeredName;
};
