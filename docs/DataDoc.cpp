#include "docs/DataDoc.h"

#include <QCoreApplication>

#include "docs/Archive.h"

QByteArray CDataDoc::Store()
{
    CArchive ar;
    Serialize(ar);
    return ar.Failed() ? QByteArray() : ar.Buffer();
}

int CDataDoc::LoadBytes(const QByteArray& bytes, QString* error)
{
    CArchive probe(bytes);
    if (ClassName() && !probe.ReadClass(ClassName())) {
        if (error)
            *error = QCoreApplication::translate("CDataDoc", "The file is not a %1 file (%2).").arg(KindName(), QLatin1String(Extension()));
        return 0;
    }
    CArchive ar(bytes);
    if (!Serialize(ar) || ar.Failed() || ar.Remaining() != 0) {
        if (error)
            *error = QCoreApplication::translate("CDataDoc", "The %1 file is damaged or truncated.").arg(KindName());
        return 0;
    }
    AfterLoad();
    return 1;
}

int CDataDoc::SaveFile(const QString& path, QString* error)
{
    const QByteArray bytes = Store();
    if (bytes.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("CDataDoc", "The %1 could not be written.").arg(KindName());
        return 0;
    }
    return SaveFileAtomically(path, bytes, error);
}

int CDataDoc::LoadFile(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!LoadFileBytes(path, &bytes, kMaxFileSize, error) || !LoadBytes(bytes, error))
        return 0;
    SetPathName(path);
    return 1;
}

void CDataDoc::SetPathName(const QString& path)
{
    m_path = path;
    m_title = path;
    m_bModified = false;
}
