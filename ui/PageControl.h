#pragma once
// Paging of the data-table window: 3200 samples a page, the page count from
// the record length, the current page and the enabling of the previous, next
// and go controls.
inline constexpr int kSamplesPerPage = 3200;
inline constexpr int kSpectrumRowsPerPage = 1024;

class CPageControl {
public:
    // Recomputes the page count for a record of length samples (at least one
    // page) and keeps the current page inside it.
    void SetRecordLength(int length);
    int PageCount() const { return m_pageCount; }
    int CurrentPage() const { return m_page; }

    // Each returns whether the current page changed.
    bool Previous();
    bool Next();
    // Goes to page, clamped to 1 ... page count.
    bool GoTo(int page);
    void Reset() { GoTo(1); }

    bool CanGoPrevious() const { return m_page > 1; }
    bool CanGoNext() const { return m_page < m_pageCount; }
    bool CanGoTo() const { return m_pageCount > 1; }

private:
    int m_pageCount = 1;
    int m_page = 1;
};
