#pragma once

#include <QString>
#include <deque>
#include <optional>

class QWidget;

// The program's modal questions and file choices. Each can be answered in
// advance (the next-answer seam), so that a test never blocks on a dialog;
// without a prepared answer the real dialog is shown.
class Prompts {
  public:
    // Yes/No, Yes the default, no icon. True for Yes.
    bool askYesNo(QWidget* parent, const QString& text, const QString& title);
    // OK/Cancel. True for OK.
    bool askOkCancel(QWidget* parent, const QString& text, const QString& title);
    // OK/Cancel for what cannot be undone: Cancel the default, so that a
    // stray Enter keeps everything, and "此操作不能撤销" below the text.
    bool askBeforeIrreversible(QWidget* parent, const QString& text, const QString& title);
    // Save/Discard/Cancel about text not saved, Save the default: true to
    // save, false to discard, nothing to go on editing.
    std::optional<bool> askSaveChanges(QWidget* parent, const QString& text, const QString& title);
    // A message with an OK button.
    void inform(QWidget* parent, const QString& text, const QString& title);
    // A file to open; nothing when the learner cancels.
    std::optional<QString> chooseOpenFile(QWidget* parent, const QString& filter);
    // A file to write; answered in advance by setNextFile as well.
    std::optional<QString> chooseSaveFile(QWidget* parent, const QString& filter);
    // A folder to write into, starting in the home folder (the working folder
    // may be the read-only program folder); answered in advance by setNextFile
    // as well.
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title);

    // A line of text, starting with `initial` selected; nothing when cancelled.
    // Answered in advance by setNextFile as well.
    std::optional<QString> askText(QWidget* parent, const QString& text, const QString& title,
                                   const QString& initial = {});

    void setNextAnswer(bool yes) { m_nextAnswers.push_back(yes); }
    // Answers the next question with Cancel, or No where it has no Cancel.
    void setNextCancel() { m_nextAnswers.push_back(std::nullopt); }
    // An empty name answers as a cancelled dialog.
    void setNextFile(const QString& file) { m_nextFiles.push_back(file); }
    // Texts of the questions and messages shown so far, "title|text".
    const std::deque<QString>& asked() const { return m_asked; }
    // Filters of the file choices offered so far.
    const std::deque<QString>& fileFilters() const { return m_fileFilters; }

  private:
    std::optional<std::optional<bool>> preparedAnswer();
    std::optional<QString> preparedFileOr(QString (*choose)(QWidget*, const QString&),
                                          QWidget* parent, const QString& argument);
    bool preparedOr(bool (*show)(QWidget*, const QString&, const QString&), QWidget* parent,
                    const QString& text, const QString& title);

    std::deque<std::optional<bool>> m_nextAnswers;
    std::deque<QString> m_nextFiles;
    std::deque<QString> m_asked;
    std::deque<QString> m_fileFilters;
};
