#include "ui/PlaceholderView.h"

#include "ui/DocKinds.h"
#include "docs/Archive.h"
#include "ui/UserPrompts.h"

CPlaceholderView::CPlaceholderView(const DocKind& kind) : m_kind(kind), m_label(new QLabel)
{
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    m_label->setText(NotBuiltText());
}

// The label may have been reparented into the frame; it goes with the view.
CPlaceholderView::~CPlaceholderView()
{
    delete m_label.data();
}

QWidget* CPlaceholderView::Widget()
{
    return m_label.data();
}

QString CPlaceholderView::Text() const
{
    return m_label->text();
}

QString CPlaceholderView::NotBuiltText() const
{
    return tr("The %1 window (%2 files) is not available in this version yet.")
        .arg(tr(m_kind.description), QLatin1String(m_kind.extension));
}

int CPlaceholderView::LoadDocument(const QString&, QString* error)
{
    if (error)
        *error = NotBuiltText();
    return 0;
}

int CPlaceholderView::SaveDocument(const QString&, QString* error)
{
    return LoadDocument(QString(), error);
}

bool CPlaceholderView::SaveCommand(bool)
{
    TellUser(m_label.data(), NotBuiltText());
    return false;
}

int CPlaceholderView::SerializeState(CArchive& ar)
{
    ar.SetFailed();
    return 0;
}
