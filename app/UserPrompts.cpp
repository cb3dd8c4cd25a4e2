#include "app/UserPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMetaObject>

#include "corvane/SharedState.h"
#include "link/UserMessage.h"

namespace {
QuestionHandler& Questions()
{
    static QuestionHandler handler;
    return handler;
}

NoticeHandler& Notices()
{
    static NoticeHandler handler;
    return handler;
}

FileDialogHandler& FileDialogs()
{
    static FileDialogHandler handler;
    return handler;
}

template <class Handler>
Handler Replace(Handler& slot, Handler handler)
{
    Handler previous = std::move(slot);
    slot = std::move(handler);
    return previous;
}

// Posted to the user-interface thread: the receive thread may be the caller.
void PostNotice(const std::string& text)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    const QString message = QString::fromStdString(text);
    QMetaObject::invokeMethod(
        app, [message] { TellUser(QApplication::activeWindow(), message); }, Qt::QueuedConnection);
}
}  // namespace

QuestionHandler SetQuestionHandler(QuestionHandler handler)
{
    return Replace(Questions(), std::move(handler));
}

NoticeHandler SetNoticeHandler(NoticeHandler handler)
{
    return Replace(Notices(), std::move(handler));
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler)
{
    return Replace(FileDialogs(), std::move(handler));
}

QMessageBox::StandardButton AskUser(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    if (Questions())
        return Questions()(text, buttons, defaultButton);
    return QMessageBox::question(parent, QCoreApplication::applicationName(), text, buttons, defaultButton);
}

void TellUser(QWidget* parent, const QString& text)
{
    if (Notices()) {
        Notices()(text);
        return;
    }
    QMessageBox::information(parent, QCoreApplication::applicationName(), text);
}

QString ChooseFile(QWidget* parent, FileDialogKind kind, const QString& filter, const QString& initialName)
{
    struct FileProcess {
        FileProcess() { g_bFileProcess.store(1); }
        ~FileProcess() { g_bFileProcess.store(0); }
    } busy;
    if (FileDialogs())
        return FileDialogs()(kind, filter, initialName);
    if (kind == FileDialogKind::Save)
        return QFileDialog::getSaveFileName(parent, QString(), initialName, filter);
    return QFileDialog::getOpenFileName(parent, QString(), initialName, filter);
}

void InstallUserMessageBoxes()
{
    SetUserMessageSink(PostNotice);
}
