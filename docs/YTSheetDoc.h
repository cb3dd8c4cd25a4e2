// CYTSheetDoc: the document of a waveform sheet window. It carries no data of
// its own (everything a sheet shows and stores lives in its view, see
// CYTSheetData); it names new sheets and refuses a sheet beyond the limit of
// open analysis windows.
#pragma once

#include <QString>

class CYTSheetDoc {
public:
    // A new sheet is refused while this many or more analysis windows are
    // open (the tenth window opens, the eleventh does not).
    static constexpr int kMaxOpenWindows = 10;

    // New-document step. openWindows is the size of the open analysis-window
    // list, not counting this sheet. Non-zero on success (the title is set
    // from "Wave_%d" with the next number of the process-wide counter); 0
    // when the list is full, with szExceedFileNum in the current language in
    // *message (when given). Numbers are never reused.
    int OnNewDocument(int openWindows, QString* message = nullptr);
    // The path-setting step of an opened file: the title becomes the full
    // path and the modified flag is cleared.
    void SetPathName(const QString& path);

    const QString& GetTitle() const { return m_title; }
    const QString& GetPathName() const { return m_path; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    // The number the next new sheet will get.
    static int NextSheetNumber();

private:
    QString m_title;
    QString m_path;
    bool m_bModified = false;
};
