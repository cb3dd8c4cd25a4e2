#pragma once
// A data view for the shell tests: records what the frame asks of it and
// keeps one number as its file and workspace state.
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <memory>
#include <vector>

#include "corvane/SharedState.h"
#include "docs/Archive.h"
#include "link/LinkView.h"
#include "ui/ChildHost.h"
#include "ui/ChildView.h"
#include "ui/DocKinds.h"
#include "ui/PageBar.h"
#include "ui/SheetToolBar.h"
#include "ui/SourceButtons.h"

class FakeView : public IChildView, public ILinkView {
public:
    // Tool-bar controls the view puts on its frame, as the measurement (two
    // sources), the data table (three sources and pages) and the waveform
    // sheet (zoom box and scale selectors) do.
    enum Controls { kNoControls, kTwoSources, kSourcesAndPages, kSheetSelectors };

    explicit FakeView(Controls controls = kNoControls) : m_controls(controls), m_widget(new QWidget) {}
    ~FakeView() override { delete m_widget.data(); }

    QWidget* Widget() override { return m_widget.data(); }
    ILinkView* LinkView() override { return this; }
    void AttachHost(IChildHost* host) override
    {
        this->host = host;
        if (m_controls == kSheetSelectors)
            return AddSheetSelectors(*host);
        if (m_controls == kNoControls)
            return;
        sources = new CSourceButtons(*host, m_controls == kSourcesAndPages, m_widget);
        QObject::connect(sources, &CSourceButtons::SourceChosen, [this](int mode) {
            source = mode;
            if (pageBar)
                pageBar->Reset();
        });
        if (m_controls != kSourcesAndPages)
            return;
        pageBar = new CPageBar(*host, m_widget);
        QObject::connect(pageBar, &CPageBar::PageChosen, [this](int page) { pages.push_back({page, 0, true}); });
    }
    void UpdateCommandStates() override
    {
        if (sources)
            sources->SetEnabled(running.load());
        if (pageBar)
            pageBar->SetRecordLength(waveDataLen);
        if (sheetBar)
            sheetBar->SetSelectorsVisible(!running.load());
    }
    int LoadDocument(const QString& path, QString* error) override
    {
        loadedPath = path;
        if (failLoad && error)
            *error = QStringLiteral("damaged file");
        return failLoad ? 0 : 1;
    }
    int SaveDocument(const QString& path, QString*) override
    {
        savedPath = path;
        return 1;
    }
    bool SaveCommand(bool saveAs) override
    {
        saveCommands.push_back(saveAs);
        return true;
    }
    int SerializeState(CArchive& ar) override
    {
        ar.Transfer(state);
        return ar.Failed() ? 0 : 1;
    }
    bool IsRunning() const override { return running.load(); }
    void StartRun() override { running = true; }
    void StopRun() override { running = false; }

    // ILinkView
    LinkViewClass ViewClass() const override { return LinkViewClass::WaveformSheet; }
    QObject* Receiver() const override { return m_widget.data(); }
    int32_t RecordLength() const override { return 3200; }
    void ChangeRecordLength(int32_t) override {}
    void StopAcquisition() override { running = false; }

    struct Scale {
        int index = -1;
        double value = 0.0;
    };
    struct Page {
        int page, rows;
        bool reload;
    };
    int32_t state = 0;
    bool failLoad = false;
    QString loadedPath, savedPath;
    std::atomic<bool> running{false};
    double zoom = 5.0;
    Scale horizontal, vertical;
    int source = 0;
    std::vector<Page> pages;
    std::vector<bool> saveCommands;
    IChildHost* host = nullptr;
    CSourceButtons* sources = nullptr;
    CPageBar* pageBar = nullptr;
    CSheetToolBar* sheetBar = nullptr;

private:
    void AddSheetSelectors(IChildHost& host)
    {
        sheetBar = new CSheetToolBar(host, m_widget);
        QObject::connect(sheetBar, &CSheetToolBar::ZoomChosen, [this](double factor) { zoom = factor; });
        QObject::connect(sheetBar, &CSheetToolBar::HorizontalScaleChosen,
                         [this](int index, double scale) { horizontal = {index, scale}; });
        QObject::connect(sheetBar, &CSheetToolBar::VerticalScaleChosen,
                         [this](int index, double scale) { vertical = {index, scale}; });
    }

    Controls m_controls;
    QPointer<QWidget> m_widget;
};

// Attaches FakeView to a kind for the lifetime of the object and restores
// the kind's own view afterwards. created lists every view made.
class ScopedFakeViews {
public:
    explicit ScopedFakeViews(std::initializer_list<const char*> typeNames)
    {
        for (const char* name : typeNames)
            m_saved.push_back({name, SetChildViewFactory(QString::fromLatin1(name), [this](const ChildViewContext&) {
                                   auto view = std::make_unique<FakeView>();
                                   created.push_back(view.get());
                                   return std::unique_ptr<IChildView>(std::move(view));
                               })});
    }
    ~ScopedFakeViews()
    {
        for (auto& [name, factory] : m_saved)
            SetChildViewFactory(QString::fromLatin1(name), factory);
    }
    std::vector<FakeView*> created;

private:
    std::vector<std::pair<const char*, ChildViewFactory>> m_saved;
};

// Kinds that open a placeholder for the test's length, whatever view they
// have registered.
class ScopedPlaceholderKinds {
public:
    explicit ScopedPlaceholderKinds(std::initializer_list<const char*> typeNames)
    {
        for (const char* name : typeNames)
            m_saved.push_back({name, SetChildViewFactory(QString::fromLatin1(name), {})});
    }
    ~ScopedPlaceholderKinds()
    {
        for (auto& [name, factory] : m_saved)
            SetChildViewFactory(QString::fromLatin1(name), factory);
    }

private:
    std::vector<std::pair<const char*, ChildViewFactory>> m_saved;
};
