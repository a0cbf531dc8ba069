#include "ui/score_keeper.h"

#include "ui/history_viewer.h"
#include "ui/name_entry.h"
#include "ui/prompts.h"

#include <QAction>

namespace {

std::u16string text16(const QString& text) {
    return text.toStdU16String();
}

QString saveFailureReason(FileProblem problem) {
    switch (problem) {
    case FileProblem::Folder:
        return QStringLiteral("user.cey 是一个文件夹");
    case FileProblem::NotARegularFile:
        return QStringLiteral("user.cey 不是普通文件");
    case FileProblem::NoPermission:
        return QStringLiteral("没有写入权限");
    case FileProblem::DiskFull:
    case FileProblem::TooLarge:
        return QStringLiteral("磁盘已满");
    case FileProblem::Missing:
        return QStringLiteral("文件夹不存在");
    case FileProblem::Failed:
        break;
    }
    return QStringLiteral("写入出错");
}

} // namespace

ScoreKeeper::ScoreKeeper(QWidget* owner, HistoryFile& history, Prompts& prompts, QAction* sav,
                         QAction* delet)
    : QObject(owner), m_owner(owner), m_history(history), m_prompts(prompts), m_sav(sav),
      m_delet(delet) {}

Dialog& ScoreKeeper::ensureDialog() {
    if (!m_dialog) {
        m_dialog = new Dialog(m_owner);
        connect(m_dialog, &Dialog::OKButton_Click, this, &ScoreKeeper::OKButton_Click);
    }
    return *m_dialog;
}

void ScoreKeeper::setFigure(DialogLabel label, const QString& text) {
    ensureDialog().setFigure(label, text);
}

void ScoreKeeper::showModeless() {
    Dialog& dialog = ensureDialog();
    dialog.setWindowModality(Qt::NonModal);
    dialog.show();
}

void ScoreKeeper::showModal() {
    Dialog& dialog = ensureDialog();
    if (dialog.isVisible())
        return;
    dialog.open();
}

void ScoreKeeper::OKButton_Click() {
    auto* entry = new inputname(m_dialog);
    entry->setAttribute(Qt::WA_DeleteOnClose);
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
    if (const auto error = m_history.AppendScoreRecord(record)) {
        m_prompts.inform(
            m_dialog,
            QStringLiteral("无法写入记录文件 %1（%2）。成绩还在这里，可以稍后再保存。")
                .arg(QString::fromStdString(m_history.path()), saveFailureReason(*error)),
            QStringLiteral("保存失败"));
        return;
    }
    m_delet->setEnabled(true);
    m_sav->setEnabled(false);
    m_dialog->close();
}

ScoreKeeper::Clearing ScoreKeeper::clearHistory(QWidget* asker) {
    if (!m_prompts.askOkCancel(asker, QStringLiteral("真的要清除记录吗？"),
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
    auto* viewer = new Dialog1(*this, m_history, m_owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->open();
}
