#include "ui/PageBar.h"

#include <QAction>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "ui/ChildHost.h"

namespace {
QAction* AddButton(IChildHost& host, int id, const QString& text, QStyle::StandardPixmap icon)
{
    auto* action = new QAction(host.ToolBar()->style()->standardIcon(icon), text, host.ToolBar());
    action->setData(id);
    auto* button = new QToolButton(host.ToolBar());
    button->setDefaultAction(action);
    host.AddToolBarWidget(button, 0);   // the frame finds the command by the button's action
    return action;
}
}  // namespace

CPageBar::CPageBar(IChildHost& host, QObject* parent) : QObject(parent)
{
    m_previous = AddButton(host, kIdPreviousPage, tr("Previous page"), QStyle::SP_ArrowLeft);
    m_next = AddButton(host, kIdNextPage, tr("Next page"), QStyle::SP_ArrowRight);
    m_pageBox = new QLineEdit(QStringLiteral("1"), host.ToolBar());
    m_pageBox->setValidator(new QIntValidator(1, 1 << 30, m_pageBox));
    m_pageBox->setMaximumWidth(60);
    host.AddToolBarWidget(m_pageBox, 0);
    host.AddToolBarWidget(new QLabel(QStringLiteral(" / "), host.ToolBar()), 0);
    m_pageCount = new QLabel(QStringLiteral("1"), host.ToolBar());
    host.AddToolBarWidget(m_pageCount, 0);
    m_go = AddButton(host, kIdGoToPage, tr("Go"), QStyle::SP_DialogApplyButton);
    connect(m_previous, &QAction::triggered, this, &CPageBar::PreviousPage);
    connect(m_next, &QAction::triggered, this, &CPageBar::NextPage);
    connect(m_go, &QAction::triggered, this, [this] { GoToPage(m_pageBox->text()); });
    connect(m_pageBox, &QLineEdit::returnPressed, this, [this] { GoToPage(m_pageBox->text()); });
    UpdateStates();
}

QAction* CPageBar::Action(int id) const
{
    return id == kIdPreviousPage ? m_previous : id == kIdNextPage ? m_next : id == kIdGoToPage ? m_go : nullptr;
}

void CPageBar::PreviousPage()
{
    if (m_pages.Previous())
        ShowCurrentPage();
}

void CPageBar::NextPage()
{
    if (m_pages.Next())
        ShowCurrentPage();
}

void CPageBar::GoToPage(const QString& typed)
{
    m_pages.GoTo(typed.trimmed().toInt());
    ShowCurrentPage();
}

void CPageBar::Reset()
{
    m_pages.Reset();
    ShowCurrentPage();
}

void CPageBar::SetRecordLength(int length)
{
    m_pages.SetRecordLength(length);
    m_pageCount->setText(QString::number(m_pages.PageCount()));
    UpdateStates();
}

void CPageBar::ShowCurrentPage()
{
    m_pageBox->setText(QString::number(m_pages.CurrentPage()));
    UpdateStates();
    emit PageChosen(m_pages.CurrentPage());
}

void CPageBar::UpdateStates()
{
    m_previous->setEnabled(m_pages.CanGoPrevious());
    m_next->setEnabled(m_pages.CanGoNext());
    m_go->setEnabled(m_pages.CanGoTo());
}
