#include "ui/common/prompts.h"

#include "ui/common/window_buttons.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

const QString kCannotBeUndone = QStringLiteral("此操作不能撤销。");

// A question box without an icon, with a close button only in its title bar.
QMessageBox::StandardButton ask(QWidget* parent, const QString& text, const QString& title,
                                QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, title, text, buttons, parent);
    showCloseButtonOnly(&box);
    if (buttons & QMessageBox::Yes)
        box.setDefaultButton(QMessageBox::Yes);
    if (buttons & QMessageBox::Save)
        box.setDefaultButton(QMessageBox::Save);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool showYesNo(QWidget* parent, const QString& text, const QString& title) {
    return ask(parent, text, title, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool showOkCancel(QWidget* parent, const QString& text, const QString& title) {
    return ask(parent, text, title, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool showIrreversible(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    showCloseButtonOnly(&box);
    box.setInformativeText(kCannotBeUndone);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool showMessage(QWidget* parent, const QString& text, const QString& title) {
    ask(parent, text, title, QMessageBox::Ok);
    return true;
}

} // namespace

std::optional<std::optional<bool>> Prompts::preparedAnswer() {
    if (m_nextAnswers.empty())
        return std::nullopt;
    const std::optional<bool> answer = m_nextAnswers.front();
    m_nextAnswers.pop_front();
    return answer;
}

bool Prompts::preparedOr(bool (*show)(QWidget*, const QString&, const QString&), QWidget* parent,
                         const QString& text, const QString& title) {
    m_asked.push_back(title + QLatin1Char('|') + text);
    if (const auto answer = preparedAnswer())
        return answer->value_or(false);
    return show(parent, text, title);
}

bool Prompts::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    return preparedOr(showYesNo, parent, text, title);
}

bool Prompts::askOkCancel(QWidget* parent, const QString& text, const QString& title) {
    return preparedOr(showOkCancel, parent, text, title);
}

bool Prompts::askBeforeIrreversible(QWidget* parent, const QString& text, const QString& title) {
    return preparedOr(showIrreversible, parent, text, title);
}

std::optional<bool> Prompts::askSaveChanges(QWidget* parent, const QString& text,
                                            const QString& title) {
    m_asked.push_back(title + QLatin1Char('|') + text);
    if (const auto answer = preparedAnswer())
        return *answer;
    const auto chosen =
        ask(parent, text, title, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (chosen == QMessageBox::Cancel)
        return std::nullopt;
    return chosen == QMessageBox::Save;
}

void Prompts::inform(QWidget* parent, const QString& text, const QString& title) {
    m_asked.push_back(title + QLatin1Char('|') + text);
    if (!preparedAnswer())
        showMessage(parent, text, title);
}

std::optional<QString> Prompts::preparedFileOr(QString (*choose)(QWidget*, const QString&),
                                               QWidget* parent, const QString& argument) {
    QString file;
    if (m_nextFiles.empty()) {
        file = choose(parent, argument);
    } else {
        file = m_nextFiles.front();
        m_nextFiles.pop_front();
    }
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<QString> Prompts::chooseOpenFile(QWidget* parent, const QString& filter) {
    m_fileFilters.push_back(filter);
    return preparedFileOr(
        [](QWidget* p, const QString& f) {
            return QFileDialog::getOpenFileName(p, QString(), QString(), f);
        },
        parent, filter);
}

std::optional<QString> Prompts::chooseSaveFile(QWidget* parent, const QString& filter) {
    m_fileFilters.push_back(filter);
    return preparedFileOr(
        [](QWidget* p, const QString& f) {
            return QFileDialog::getSaveFileName(p, QString(), QString(), f);
        },
        parent, filter);
}

std::optional<QString> Prompts::chooseFolder(QWidget* parent, const QString& title) {
    return preparedFileOr(
        [](QWidget* p, const QString& t) {
            return QFileDialog::getExistingDirectory(p, t, QDir::homePath());
        },
        parent, title);
}

std::optional<QString> Prompts::askText(QWidget* parent, const QString& text, const QString& title,
                                        const QString& initial) {
    m_asked.push_back(title + QLatin1Char('|') + text);
    if (!m_nextFiles.empty()) {
        const QString answer = m_nextFiles.front();
        m_nextFiles.pop_front();
        return answer.isEmpty() ? std::nullopt : std::optional(answer);
    }
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title, text, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional(answer) : std::nullopt;
}
