#include "docs/PictureFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>

#include "docs/Archive.h"

int SavePictureFile(const QString& path, const QImage& image, QString* error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QFileInfo(path).suffix().toLatin1());
    if (image.isNull() || !writer.write(image)) {
        if (error)
            *error = QCoreApplication::translate("CBitmapWriter", "There is no picture to export.");
        return 0;
    }
    return SaveFileAtomically(path, bytes, error);
}
