#pragma once
// Pictures in the formats Qt encodes (".png", ".jpg", ...), written atomically
// like every other file of the program. ".bmp" exports go through
// CBitmapWriter, which writes the instrument's own bitmap layouts.
#include <QImage>
#include <QString>

// Encodes image in the format its path's suffix names and saves it through
// SaveFileAtomically. Non-zero on success; *error says why not.
int SavePictureFile(const QString& path, const QImage& image, QString* error = nullptr);
