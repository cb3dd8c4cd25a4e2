#include "ui/PageControl.h"

#include <algorithm>

void CPageControl::SetRecordLength(int length)
{
    const long long pages = (static_cast<long long>(std::max(length, 0)) + kSamplesPerPage - 1) / kSamplesPerPage;
    m_pageCount = static_cast<int>(std::max(1LL, pages));
    m_page = std::min(m_page, m_pageCount);
}

bool CPageControl::Previous()
{
    return CanGoPrevious() && GoTo(m_page - 1);
}

bool CPageControl::Next()
{
    return CanGoNext() && GoTo(m_page + 1);
}

bool CPageControl::GoTo(int page)
{
    const int clamped = std::clamp(page, 1, m_pageCount);
    const bool changed = clamped != m_page;
    m_page = clamped;
    return changed;
}
