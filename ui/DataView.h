#pragma once
// CDataView: the base of every data window's view. It implements what all
// kinds share, so that a kind adds only its document fields, its format, its
// painting and its own tool-bar controls:
// - the document (CDataDoc) it draws, replaced as a whole when a file or a
//   workspace record has been read successfully;
// - Save and Save As: Save writes to the path the document was opened from;
//   Save of a never-opened document and Save As always ask (the kind's filter,
//   initial name "*" + extension, the extension appended when missing); the
//   stored path is never changed by saving, so the next Save asks again;
// - export through the kind's format choice, printing and preview (header
//   szPrintHeader, footer "Page: %d", margins 25 mm, the black-and-white
//   toggle), the common context-menu items;
// - Run and Stop (the running flag; the frame does the counting of timer 2);
// - the update message of the kind (LinkViewClass): it takes one acquisition
//   snapshot and hands it to OnAcquisition, then steps the progress bar
//   ("%3.0f%s" in the percentage pane, then "0%").
//
// The base is not a widget: a kind derives from its widget class and from
// CDataView, and forwards its event() and contextMenuEvent() to
// HandleViewEvent and ShowContextMenu.
#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>

#include "corvane/AcquisitionSnapshot.h"
#include "docs/DataDoc.h"
#include "link/LinkView.h"
#include "ui/ChildView.h"
#include "ui/DocKinds.h"

class IChildHost;
class IShell;
class QContextMenuEvent;
class QEvent;
class QMenu;
class QPainter;
class QPrinter;

// Command ids shared by the data windows (as in their menus).
inline constexpr int kIdExport = 32805;
inline constexpr int kIdPrintBlackWhite = 32871;
inline constexpr int kIdSaveDocument = 57603;
inline constexpr int kIdSaveDocumentAs = 57604;

class CDataView : public IChildView, public ILinkView {
    Q_DECLARE_TR_FUNCTIONS(CDataView)
public:
    using DocumentFactory = std::function<std::unique_ptr<CDataDoc>()>;

    // context.kind must be set. makeDocument makes an empty document of the
    // kind (the first one at once, fresh ones for each file read).
    CDataView(const ChildViewContext& context, DocumentFactory makeDocument);
    ~CDataView() override;

    const DocKind& Kind() const { return *m_kind; }
    CDataDoc& Document() { return *m_doc; }
    const CDataDoc& Document() const { return *m_doc; }
    // The frame; null until the frame is built (and in tests without one).
    IChildHost* Host() const { return m_host; }
    // The main window; null when there is none.
    IShell* Shell() const;
    CLinkSession* Session() const { return m_session; }

    // --- IChildView ---
    void AttachHost(IChildHost* host) override;
    int LoadDocument(const QString& path, QString* error) override;
    int SaveDocument(const QString& path, QString* error) override;
    bool SaveCommand(bool saveAs) override;
    int SerializeState(CArchive& ar) override;
    bool IsRunning() const override { return m_bRunning.load(); }
    void StartRun() override;
    void StopRun() override;

    // --- ILinkView ---
    LinkViewClass ViewClass() const override { return m_kind->linkClass; }
    QObject* Receiver() const override { return m_receiver.load(); }
    int32_t RecordLength() const override { return m_recordLength.load(); }
    void ChangeRecordLength(int32_t length) override;
    void StopAcquisition() override { StopRun(); }

    // Export through the kind's format choice; false when cancelled, not
    // offered by the kind, or failed (the user is told szExportFileFail).
    bool ExportCommand();
    // Printing: the print dialog then the pages; the preview dialog.
    void PrintCommand();
    void PrintPreviewCommand();
    // Draws one page on the printer: header, the kind's picture, footer.
    void PrintPage(QPrinter& printer, int page);
    bool PrintBlackWhite() const { return m_bPrintBlackWhite; }
    void TogglePrintBlackWhite() { m_bPrintBlackWhite = !m_bPrintBlackWhite; }

    // The update of the kind's message: snapshot, OnAcquisition, progress
    // steps, repaint. True when e was that message.
    bool HandleViewEvent(QEvent* e);
    // Runs one update now (also what the message does).
    void UpdateFromAcquisition();
    // Steps the frame's progress bar to its end with the percentage in the
    // percentage pane, then resets it and shows "0%".
    void StepProgress();
    // The context menu: the view's own items, then the common ones, at the
    // mouse point or, from the keyboard, at the widget's top-left + (5, 5).
    void ShowContextMenu(QContextMenuEvent* e);
    // The common items: Save DataFile (As), Export, print items, Full Screen,
    // Save Workspace (As).
    void AddCommonMenuItems(QMenu& menu);
    // Writes whether the view runs into the run-state pane.
    void ShowRunState();
    // The status text of a pane (kPanePercent ...), when there is a frame.
    void SetStatusText(int pane, const QString& text);

protected:
    // The object the update message goes to (the kind's widget); set by the
    // kind's constructor, else taken from Widget() when the frame is built.
    void SetReceiver(QObject* receiver) { m_receiver.store(receiver); }
    // The frame is built: add the kind's tool-bar controls.
    virtual void AddToolBarControls(IChildHost& host) {}
    // The kind's own start and stop work (the flag is already set).
    virtual void OnStartRun() {}
    virtual void OnStopRun() {}
    // A new acquisition, copied under g_csLock; compute outside the lock.
    virtual void OnAcquisition(const tagAcquisitionSnapshot& snapshot) {}
    // Before the document is stored (copy the window placement into it).
    virtual void BeforeStore() {}
    // A new document has replaced the old one (file or workspace record).
    virtual void OnDocumentReplaced() {}
    // Items of the view's own before the common ones.
    virtual void AddViewMenuItems(QMenu& menu) {}

    // Export: the format choice ("Bitmap Files(*.bmp)|*.bmp|All Files(*.*)|*.*|"),
    // the initial name ("*.bmp"), the extension appended when the chosen name
    // lacks it (null: none, the format follows the chosen name), and the
    // writing. A kind without export returns null from ExportFilter.
    virtual const char* ExportFilter() const { return nullptr; }
    virtual QString ExportInitialName() const { return QStringLiteral("*.bmp"); }
    virtual const char* ExportExtension() const { return ".bmp"; }
    virtual int WriteExport(const QString& path, QString* error) { return 0; }

    // Printing: the number of pages, the picture of a page (drawn scaled
    // from screen to printer resolution below the header), and the font of
    // the header and footer.
    virtual int PrintPageCount() const { return 1; }
    virtual QImage PrintPicture(int page, bool blackWhite) { return {}; }
    virtual QFont PrintFont() const;

private:
    void ReplaceDocument(std::unique_ptr<CDataDoc> doc);
    QWidget* DialogParent();

    const DocKind* m_kind;
    CLinkSession* m_session;
    IShell* m_shell;
    DocumentFactory m_makeDocument;
    std::unique_ptr<CDataDoc> m_doc;
    IChildHost* m_host = nullptr;
    std::atomic<QObject*> m_receiver{nullptr};
    std::atomic<bool> m_bRunning{false};
    std::atomic<int32_t> m_recordLength;
    bool m_bPrintBlackWhite = true;
};
