#pragma once
// Every question, notice and file dialog of the shell goes through these
// functions, so that the user-interface answers can be supplied by a handler
// instead of a modal box (the tests answer them; the scripted demonstration
// runs without anyone to click). Without a handler the ordinary Qt boxes and
// file dialogs are shown.
#include <QMessageBox>
#include <QString>

#include <functional>

class CRecentFolders;
class QWidget;

// A question with the given buttons; returns the button chosen.
using QuestionHandler = std::function<QMessageBox::StandardButton(
    const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)>;
// A notice with an OK button.
using NoticeHandler = std::function<void(const QString& text)>;

enum class FileDialogKind { Open, Save };
// A file dialog; returns the chosen path, or an empty text for Cancel.
// filter is in Qt's form ("WorkData file (*.wrk);;All Files (*)").
using FileDialogHandler = std::function<QString(FileDialogKind kind, const QString& filter,
                                                const QString& initialName)>;

// Install a handler (an empty function restores the modal boxes). Each
// returns the handler it replaced.
QuestionHandler SetQuestionHandler(QuestionHandler handler);
NoticeHandler SetNoticeHandler(NoticeHandler handler);
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

QMessageBox::StandardButton AskUser(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton);
void TellUser(QWidget* parent, const QString& text);
// g_bFileProcess is 1 while the dialog is open. The dialog opens in the
// folder last used for the kind of file (RecentFolders()); a handler gets the
// initial name as given.
QString ChooseFile(QWidget* parent, FileDialogKind kind, const QString& filter, const QString& initialName);
// The folders last used, by kind of file, for this run of the program.
CRecentFolders& RecentFolders();

// Routes the link's user messages (link/UserMessage.h) to notices shown on
// the user-interface thread; the sink returns at once whatever thread calls it.
void InstallUserMessageBoxes();
