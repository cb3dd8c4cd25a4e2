#pragma once
// The page controls of the data-table window on its tool bar: previous and
// next buttons, the page box, a "/" label, the page-count label and a go
// button, over a CPageControl. The view tells it the record length and
// shows the page it announces.
#include <QObject>

#include "ui/PageControl.h"

class IChildHost;
class QAction;
class QLabel;
class QLineEdit;

inline constexpr int kIdPreviousPage = 59147;
inline constexpr int kIdNextPage = 59148;
inline constexpr int kIdGoToPage = 59149;

class CPageBar : public QObject {
    Q_OBJECT
public:
    explicit CPageBar(IChildHost& host, QObject* parent = nullptr);

    void PreviousPage();
    void NextPage();
    // The typed page, clamped to 1 ... page count (not a number: page 1).
    void GoToPage(const QString& typed);
    // Back to page 1 (a new source).
    void Reset();
    // The page count for a record of length samples; refreshes the controls.
    void SetRecordLength(int length);
    const CPageControl& Pages() const { return m_pages; }
    QAction* Action(int id) const;

signals:
    // The current page was set (also when it stayed the same).
    void PageChosen(int page);

private:
    void ShowCurrentPage();
    void UpdateStates();

    CPageControl m_pages;
    QAction* m_previous;
    QAction* m_next;
    QAction* m_go;
    QLineEdit* m_pageBox;
    QLabel* m_pageCount;
};
