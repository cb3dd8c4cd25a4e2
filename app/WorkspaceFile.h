#pragma once
// The workspace file (".wrk"): which data windows are open and each window's
// own state, so that a working arrangement can be saved and restored.
//
// Archive layout (docs/Archive.h rules, little-endian):
//   the settings panel's record            (ShellHooks: SerializePanelState)
//   the workspace file's name without its folder, counted string
//   N, 32-bit: the number of window records
//   N × { window kind (1 waveform sheet, 2 measurement, 3 data table,
//         4 power spectrum, 5 arithmetic, 6 bus analysis), 32-bit;
//         the window's own record (IChildView::SerializeState) }
#include <QString>

#include <functional>
#include <vector>

class CArchive;
class IChildView;
struct DocKind;

class CWorkspaceFile {
public:
    // Workspace files are read whole; none is near this size.
    static constexpr qint64 kMaxFileSize = qint64(1) << 30;

    struct Window {
        const DocKind* kind;
        IChildView* view;
    };

    // Writes the records; windows in the order given. Non-zero on success.
    static int Write(CArchive& ar, const QString& fileName, const std::vector<Window>& windows);

    // Creates the window of a record: the kind and the window's title. Returns
    // the new window's view, or null when it cannot be made (reading stops).
    using WindowMaker = std::function<IChildView*(const DocKind& kind, const QString& title)>;
    // Reads the records, creating each window through make and letting its
    // view read its own record. Titles are the kind's prefix and a counter
    // per kind starting at 1. *storedName receives the stored name. Returns
    // the number of windows restored, or -1 when the file is damaged (the
    // windows made before the damage stay).
    static int Read(CArchive& ar, QString* storedName, const WindowMaker& make);

    // The file itself: Write into a file written atomically (non-zero on
    // success, else *error says why), and Read from a whole file
    // (kUnreadable when it cannot be read, *error says why).
    static constexpr int kUnreadable = -2;
    static int Save(const QString& path, const std::vector<Window>& windows, QString* error);
    static int Load(const QString& path, QString* storedName, const WindowMaker& make, QString* error);

    // The name with ".wrk" appended unless its last four characters are ".wrk".
    static QString WithExtension(const QString& name);
};
