#pragma once
// Answers the shell's questions and file dialogs for a test and collects its
// notices; the ordinary boxes come back when the object goes.
#include <QStringList>

#include <deque>

#include "ui/UserPrompts.h"

class ScopedPrompts {
public:
    ScopedPrompts()
    {
        m_question = SetQuestionHandler([this](const QString& text, QMessageBox::StandardButtons,
                                               QMessageBox::StandardButton) {
            questions << text;
            if (answers.empty())
                return QMessageBox::No;
            const QMessageBox::StandardButton a = answers.front();
            answers.pop_front();
            return a;
        });
        m_notice = SetNoticeHandler([this](const QString& text) { notices << text; });
        m_file = SetFileDialogHandler([this](FileDialogKind, const QString& filter, const QString& initialName) {
            ++fileDialogs;
            lastFilter = filter;
            lastInitialName = initialName;
            return chosenFile;
        });
    }
    ~ScopedPrompts()
    {
        SetQuestionHandler(m_question);
        SetNoticeHandler(m_notice);
        SetFileDialogHandler(m_file);
    }

    std::deque<QMessageBox::StandardButton> answers;  // next answers; No when empty
    QStringList questions;
    QStringList notices;
    QString chosenFile;   // what every file dialog returns ("" = Cancel)
    int fileDialogs = 0;
    QString lastFilter, lastInitialName;   // of the last file dialog

private:
    QuestionHandler m_question;
    NoticeHandler m_notice;
    FileDialogHandler m_file;
};
