#pragma once
// CDataDoc: the document of a data window. It owns the window's data (a kind
// adds its fields), its one file path and its title, and it reads and writes
// its kind's file format through Serialize. Views draw what the document
// holds and keep no copy of it.
//
// Files are read whole and written atomically (docs/Archive.h); a file must
// hold exactly one record of the kind's class, nothing after it.
#include <QByteArray>
#include <QString>

class CArchive;

class CDataDoc {
public:
    // The stored path of a document that was never saved or opened.
    static inline const QString kNeverSavedPath = QStringLiteral(" ");
    // Files are read whole; no data file is near this size.
    static constexpr qint64 kMaxFileSize = qint64(512) << 20;

    virtual ~CDataDoc() = default;

    // The kind's record (class record, then the fields in the format's
    // order), both directions. Non-zero on success; a damaged record fails
    // the archive, and the document then holds what was read so far and is to
    // be thrown away.
    virtual int Serialize(CArchive& ar) = 0;
    // The class name of the record ("CYTSheetView"); null for a format
    // without a class record (the file is then judged by its fields alone).
    virtual const char* ClassName() const = 0;
    // The kind's file extension (".wfm").
    virtual const char* Extension() const = 0;
    // The kind's name in messages ("waveform sheet"), translated.
    virtual QString KindName() const = 0;

    // The bytes of the document's file.
    QByteArray Store();
    // Reads a whole file's bytes. Non-zero on success; otherwise *error says
    // whether the bytes are not a file of this kind or are damaged or
    // truncated.
    int LoadBytes(const QByteArray& bytes, QString* error = nullptr);
    // Writes the file atomically (the old file is untouched on failure).
    int SaveFile(const QString& path, QString* error = nullptr);
    // Reads a file; on success the path becomes the document's path name.
    int LoadFile(const QString& path, QString* error = nullptr);

    // Title: "Wave_3" for a new window, the full path of an opened file.
    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    // The path-setting step of an opened file: the title becomes the full
    // path and the modified flag is cleared.
    void SetPathName(const QString& path);
    // " " until the document is opened from a file (Save As does not change it).
    const QString& PathName() const { return m_path; }
    bool HasPath() const { return m_path != kNeverSavedPath; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

protected:
    // Called after a record was read successfully (derive display state).
    virtual void AfterLoad() {}

private:
    QString m_title;
    QString m_path = kNeverSavedPath;
    bool m_bModified = false;
};
