#include "ui/dialogs/score_keeper.h"

#include "ui/common/prompts.h"
#include "ui/common/window_buttons.h"
#include "ui/dialogs/history_viewer.h"
#include "ui/dialogs/name_entry.h"
#include "ui/dialogs/save_failure_text.h"

#include <QAction>
#include <QFileInfo>

namespace {

std::u16string text16(const QString& text) {
    return text.toStdU16String();
}

} // namespace

ScoreKeeper::ScoreKeeper(QWidget* owner, HistoryFile& history, Prompts& prompts, QAction* sav,
                         QAction* delet)
    : QObject(owner), m_owner(owner), m_history(history), m_prompts(prompts), m_sav(sav),
      m_delet(delet) {}

// The dialog may have no owner, so it goes with the keeper (and the main window).
ScoreKeeper::~ScoreKeeper() {
    delete m_dialog;
}

Dialog& ScoreKeeper::ensureDialog() {
    if (!m_dialog) {
        m_dialog = new Dialog();
        connect(m_dialog, &Dialog::OKButton_Click, this, &ScoreKeeper::OKButton_Click);
    }
    return *m_dialog;
}

void ScoreKeeper::setFigure(DialogLabel label, const QString& text) {
    ensureDialog().setFigure(label, text);
}

// At the end of an attempt the dialog is a window of its own, owned by no
// other, so that the main window can be raised above it and used on.
void ScoreKeeper::showModeless() {
    Dialog& dialog = ensureDialog();
    if (!dialog.isVisible())
        dialog.setParent(nullptr, Qt::Window | kCloseButtonOnly);
    dialog.setWindowModality(Qt::NonModal);
    dialog.show();
    // A window of its own takes the keyboard from the typing box, which the
    // completion has just emptied, so that Enter saves rather than types on.
    dialog.raise();
    dialog.activateWindow();
}

// From `Sav` the main window owns it and waits for it; one already shown is
// brought to the front, wherever another window put it.
void ScoreKeeper::showModal() {
    Dialog& dialog = ensureDialog();
    if (dialog.isVisible()) {
        raiseDialog();
        return;
    }
    dialog.setParent(m_owner, Qt::Dialog | kCloseButtonOnly);
    dialog.open();
}

void ScoreKeeper::raiseDialog() {
    if (!m_dialog || !m_dialog->isVisible())
        return;
    m_dialog->raise();
    m_dialog->activateWindow();
}

void ScoreKeeper::OKButton_Click() {
    auto* entry = new inputname(m_dialog);
    entry->setAttribute(Qt::WA_DeleteOnClose);
    entry->offerName(m_offeredName);
    connect(entry, &QDialog::finished, this, [this, entry] {
        if (entry->cancel != 1)
            save(entry->str);
    });
    entry->open();
}

void ScoreKeeper::save(const QString& name) {
    const Dialog& d = *m_dialog;
    const ScoreRecord record{text16(name),
                             text16(d.figure(DialogLabel::Label11)),
                             text16(d.figure(DialogLabel::Label13)),
                             text16(d.figure(DialogLabel::L3)),
                             text16(d.figure(DialogLabel::Label2)),
                             text16(d.figure(DialogLabel::Label5)),
                             text16(d.figure(DialogLabel::Label7)),
                             text16(d.figure(DialogLabel::Label9))};
    emit scoreSaving(name);
    if (const auto problem = m_history.AppendScoreRecord(record)) {
        emit scoreNotSaved();
        const QString path = QString::fromStdString(m_history.path());
        m_prompts.inform(
            m_dialog,
            QStringLiteral("无法保存记录：%1。\n成绩还在这里，可以稍后再保存。\n（%2）")
                .arg(saveFailureReason(*problem, QFileInfo(path).fileName()), path),
            QStringLiteral("保存失败"));
        return;
    }
    m_delet->setEnabled(true);
    m_sav->setEnabled(false);
    m_dialog->close();
    emit scoreSaved(name);
}

ScoreKeeper::Clearing ScoreKeeper::clearHistory(QWidget* asker) {
    if (!m_prompts.askBeforeIrreversible(asker, QStringLiteral("真的要清除记录吗？"),
                                         QStringLiteral("记录清除")))
        return Clearing::Cancelled;
    m_delet->setEnabled(false);
    if (!m_history.DeleteHistoryFile()) {
        m_prompts.inform(asker, QStringLiteral("记录不存在！"), QStringLiteral("找不到文件！"));
        return Clearing::Failed;
    }
    return Clearing::Done;
}

void ScoreKeeper::Delet_Click() {
    clearHistory(m_owner);
}

void ScoreKeeper::See_Click() {
    auto* viewer = new Dialog1(m_history, m_owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    connect(viewer, &Dialog1::Clearhistory_Click, this, [this, viewer] {
        if (clearHistory(viewer) == Clearing::Done)
            viewer->showNoRecords();
    });
    viewer->open();
}
