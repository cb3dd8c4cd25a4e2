#pragma once
// The window of a kind whose view is not built yet: it says so, and it keeps
// a running flag so that Run and Stop behave as for every other window. It
// has no file and no workspace state.
#include <QCoreApplication>
#include <QPointer>

#include <QLabel>

#include "ui/ChildView.h"

struct DocKind;

class CPlaceholderView : public IChildView {
    Q_DECLARE_TR_FUNCTIONS(CPlaceholderView)
public:
    explicit CPlaceholderView(const DocKind& kind);
    ~CPlaceholderView() override;

    QWidget* Widget() override;
    bool IsPlaceholder() const override { return true; }
    int LoadDocument(const QString& path, QString* error) override;
    int SaveDocument(const QString& path, QString* error) override;
    // Tells the user that the kind is not built yet.
    bool SaveCommand(bool saveAs) override;
    int SerializeState(CArchive& ar) override;
    bool IsRunning() const override { return m_bRunning; }
    void StartRun() override { m_bRunning = true; }
    void StopRun() override { m_bRunning = false; }

    // The text the window shows.
    QString Text() const;

private:
    QString NotBuiltText() const;

    const DocKind& m_kind;
    QPointer<QLabel> m_label;  // deleted with the view unless its window went first
    bool m_bRunning = false;
};
