#include "corvane/UiHelpers.h"

#include <atomic>

namespace {

std::atomic<DoEventPump> s_doEventPump{nullptr};

constexpr std::array<tagLayoutRect, kDlgLayOutRects> kDlgRects = {{
    {10, 10, 380, 130},
    {75, 50, 325, 150},
    {50, 50, 350, 75},
    {150, 90, 250, 115},
    {130, 135, 210, 160},
    {210, 135, 290, 160},
    {290, 135, 370, 160},
    {50, 25, 150, 45},
    {200, 25, 300, 45},
    {350, 50, 370, 75},
}};

}  // namespace

void SetDoEventPump(DoEventPump pump)
{
    s_doEventPump.store(pump);
}

void DoEvent()
{
    if (DoEventPump pump = s_doEventPump.load()) {
        pump();
    }
}

void DlgLayOut(tagLayoutRect& dialog, std::array<tagLayoutRect, kDlgLayOutRects>& rects)
{
    dialog.right = dialog.left + kDlgLayOutWidth;
    dialog.bottom = dialog.top + kDlgLayOutHeight;
    rects = kDlgRects;
}
