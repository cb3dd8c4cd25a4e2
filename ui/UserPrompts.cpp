#include "ui/UserPrompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMetaObject>

#include "ui/RecentFolders.h"
#include "corvane/ScopedFlag.h"
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

namespace {
// The standard buttons carry the program's own words, so that they follow
// the program's language (Qt's own translations are not shipped).
void NameButtons(QMessageBox& box)
{
    struct Name {
        QMessageBox::StandardButton button;
        const char* text;
    };
    static const Name names[] = {
        {QMessageBox::Yes, QT_TRANSLATE_NOOP("UserPrompts", "&Yes")},
        {QMessageBox::No, QT_TRANSLATE_NOOP("UserPrompts", "&No")},
        {QMessageBox::Cancel, QT_TRANSLATE_NOOP("UserPrompts", "Cancel")},
        {QMessageBox::Ok, QT_TRANSLATE_NOOP("UserPrompts", "OK")},
    };
    for (const Name& n : names)
        if (QAbstractButton* b = box.button(n.button))
            b->setText(QCoreApplication::translate("UserPrompts", n.text));
}

QMessageBox::StandardButton RunBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, QCoreApplication::applicationName(), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    NameButtons(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
}  // namespace

QMessageBox::StandardButton AskUser(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    if (Questions())
        return Questions()(text, buttons, defaultButton);
    return RunBox(parent, QMessageBox::Question, text, buttons, defaultButton);
}

void TellUser(QWidget* parent, const QString& text)
{
    if (Notices()) {
        Notices()(text);
        return;
    }
    RunBox(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

CRecentFolders& RecentFolders()
{
    static CRecentFolders folders;
    return folders;
}

QString ChooseFile(QWidget* parent, FileDialogKind kind, const QString& filter, const QString& initialName)
{
    CScopedFlag busy(g_bFileProcess);
    QString chosen;
    if (FileDialogs())
        chosen = FileDialogs()(kind, filter, initialName);
    else if (kind == FileDialogKind::Save)
        chosen = QFileDialog::getSaveFileName(parent, QString(), RecentFolders().StartPath(filter, initialName), filter);
    else
        chosen = QFileDialog::getOpenFileName(parent, QString(), RecentFolders().StartPath(filter, initialName), filter);
    RecentFolders().Remember(chosen);
    return chosen;
}

void InstallUserMessageBoxes()
{
    SetUserMessageSink(PostNotice);
}
