#include "sim/ScreenRenderer.h"

#include "sim/BitmapFont.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Screen layout in pixels.
constexpr int kStatusHeight = 28;
constexpr int kGridLeft = 16;
constexpr int kGridTop = 40;
constexpr int kPixelsPerDivX = 40;
constexpr int kPixelsPerDivY = 50;
constexpr int kGridRowsDiv = 8;
constexpr int kGridHeight = kGridRowsDiv * kPixelsPerDivY;
constexpr int kGridCentreY = kGridTop + kGridHeight / 2;
constexpr int kCountsPerDiv = 25;
constexpr int kMaxCounts = kGridRowsDiv / 2 * kCountsPerDiv;
constexpr int kMenuLeft = 664;
constexpr int kMenuWidth = kScreenWidth - kMenuLeft - 8;
constexpr int kMenuTitleHeight = 40;
constexpr int kMenuItemHeight = (kGridHeight - kMenuTitleHeight) / 5;
constexpr int kReadoutTop = kGridTop + kGridHeight + 12;
constexpr int kMarkerWidth = 12;

// Record bytes that mark no sample.
constexpr uint8_t kClipMarker = 0x80;
constexpr uint8_t kGapMarker = 0x81;
constexpr uint8_t kScanGapMarker = 0xFF;

class CCanvas {
public:
    CCanvas() : m_pixels(static_cast<size_t>(kScreenWidth) * kScreenHeight, ScreenColour::kBackground) {}

    void Set(int x, int y, uint8_t colour)
    {
        if (x >= 0 && x < kScreenWidth && y >= 0 && y < kScreenHeight)
            m_pixels[static_cast<size_t>(y) * kScreenWidth + x] = colour;
    }

    void Fill(int x, int y, int width, int height, uint8_t colour)
    {
        const int x0 = std::max(x, 0), x1 = std::min(x + width, kScreenWidth);
        const int y0 = std::max(y, 0), y1 = std::min(y + height, kScreenHeight);
        for (int row = y0; row < y1; ++row)
            std::fill_n(m_pixels.begin() + static_cast<std::ptrdiff_t>(row) * kScreenWidth + x0,
                        std::max(x1 - x0, 0), colour);
    }

    void Frame(int x, int y, int width, int height, uint8_t colour)
    {
        Fill(x, y, width, 1, colour);
        Fill(x, y + height - 1, width, 1, colour);
        Fill(x, y, 1, height, colour);
        Fill(x + width - 1, y, 1, height, colour);
    }

    void VerticalSpan(int x, int yA, int yB, uint8_t colour)
    {
        Fill(x, std::min(yA, yB), 1, std::abs(yA - yB) + 1, colour);
    }

    // Draws text with its top-left corner at (x, y), cut at maxWidth pixels.
    void Text(int x, int y, std::string_view text, uint8_t colour, int scale, int maxWidth)
    {
        scale = std::clamp(scale, 1, 16);
        const int cell = BitmapFont::kCellWidth * scale;
        const size_t fits = maxWidth > 0 ? static_cast<size_t>((maxWidth + scale) / cell) : 0;
        text = text.substr(0, std::min(text.size(), fits));
        for (size_t i = 0; i < text.size(); ++i)
            Glyph(x + static_cast<int>(i) * cell, y, text[i], colour, scale);
    }

    std::vector<uint8_t> Take() { return std::move(m_pixels); }

private:
    void Glyph(int x, int y, char c, uint8_t colour, int scale)
    {
        for (int gy = 0; gy < BitmapFont::kGlyphHeight; ++gy) {
            for (int gx = 0; gx < BitmapFont::kGlyphWidth; ++gx) {
                if (BitmapFont::PixelSet(c, gx, gy))
                    Fill(x + gx * scale, y + gy * scale, scale, scale, colour);
            }
        }
    }

    std::vector<uint8_t> m_pixels;
};

int GridWidth(bool menuShown)
{
    return static_cast<int>(std::lround(ScreenGridDivisions(menuShown) * kPixelsPerDivX));
}

int CountsToY(int counts)
{
    counts = std::clamp(counts, -kMaxCounts, kMaxCounts);
    return std::min(kGridCentreY - counts * kPixelsPerDivY / kCountsPerDiv,
                    kGridTop + kGridHeight - 1);
}

void DrawStatusBar(CCanvas& canvas, const ScreenState& state)
{
    canvas.Fill(0, 0, kScreenWidth, kStatusHeight, ScreenColour::kStatusBar);
    canvas.Text(8, 6, state.modelName, ScreenColour::kText, 2, 180);
    const uint8_t runColour = state.running ? ScreenColour::kRunning : ScreenColour::kStopped;
    canvas.Fill(200, 3, 64, 22, runColour);
    canvas.Text(208, 6, state.running ? "RUN" : "STOP", ScreenColour::kBackground, 2, 56);
    canvas.Text(280, 6, state.stateText, ScreenColour::kText, 2, 120);
    canvas.Text(420, 6, state.triggerText, ScreenColour::kTrigger, 2, kScreenWidth - 428);
}

void DrawGraticule(CCanvas& canvas, int width)
{
    const int right = kGridLeft + width;
    const int bottom = kGridTop + kGridHeight;
    for (int x = kGridLeft; x < right; x += kPixelsPerDivX) {
        for (int y = kGridTop; y < bottom; y += 5)
            canvas.Set(x, y, ScreenColour::kGrid);
    }
    for (int y = kGridTop; y < bottom; y += kPixelsPerDivY) {
        for (int x = kGridLeft; x < right; x += 4)
            canvas.Set(x, y, ScreenColour::kGrid);
    }
    const int centreX = kGridLeft + width / 2;
    for (int x = kGridLeft; x < right; x += kPixelsPerDivX / 5)
        canvas.Fill(x, kGridCentreY - 2, 1, 5, ScreenColour::kGridAxis);
    for (int y = kGridTop; y < bottom; y += kPixelsPerDivY / 5)
        canvas.Fill(centreX - 2, y, 5, 1, ScreenColour::kGridAxis);
    canvas.Frame(kGridLeft - 1, kGridTop - 1, width + 2, kGridHeight + 2, ScreenColour::kGridAxis);
}

bool IsSample(uint8_t byte, bool scanMode)
{
    return byte != kClipMarker && byte != kGapMarker && !(scanMode && byte == kScanGapMarker);
}

// Joins the samples column by column: each pixel column shows the span of its
// samples and the step from the previous column.
void DrawTrace(CCanvas& canvas, const ScreenTrace& trace, int width, bool scanMode, uint8_t colour)
{
    const size_t n = trace.record.size();
    if (!trace.shown || n == 0)
        return;
    int previousY = -1;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t byte = trace.record[i];
        if (!IsSample(byte, scanMode)) {
            previousY = -1;
            continue;
        }
        const int x = kGridLeft + static_cast<int>((i * static_cast<size_t>(width)) / n);
        const int y = CountsToY(static_cast<int8_t>(byte));
        canvas.VerticalSpan(x, previousY < 0 ? y : previousY, y, colour);
        previousY = y;
    }
}

void DrawPositionMarker(CCanvas& canvas, const ScreenTrace& trace, char label, uint8_t colour)
{
    if (!trace.shown)
        return;
    const int y = CountsToY(trace.positionCounts);
    canvas.Fill(kGridLeft - kMarkerWidth - 2, y - 5, kMarkerWidth - 2, 11, colour);
    for (int i = 0; i < 5; ++i)
        canvas.Fill(kGridLeft - 4 + i, y - 4 + i, 1, 9 - 2 * i, colour);
    canvas.Text(kGridLeft - kMarkerWidth, y - 3, std::string_view(&label, 1),
                ScreenColour::kBackground, 1, BitmapFont::kCellWidth);
}

void DrawTriggerMarkers(CCanvas& canvas, const ScreenState& state, int width)
{
    const int y = CountsToY(state.triggerLevelCounts);
    const int right = kGridLeft + width + 1;
    for (int i = 0; i < 6; ++i)
        canvas.Fill(right + i, y - i, 1, 2 * i + 1, ScreenColour::kTrigger);
    const double offset = std::isfinite(state.triggerOffsetDiv) ? state.triggerOffsetDiv : 0.0;
    const double centre = kGridLeft + width / 2.0;
    const int x = static_cast<int>(std::clamp(centre + offset * kPixelsPerDivX,
                                              double{kGridLeft}, static_cast<double>(kGridLeft + width - 1)));
    for (int i = 0; i < 6; ++i)
        canvas.Fill(x - 5 + i, kGridTop - 8 + i, 11 - 2 * i, 1, ScreenColour::kTrigger);
}

void DrawReadouts(CCanvas& canvas, const ScreenState& state)
{
    constexpr int kColumn = 190;
    if (state.ch1.shown)
        canvas.Text(kGridLeft, kReadoutTop, "CH1 " + state.ch1Scale, ScreenColour::kCh1, 2, kColumn - 8);
    if (state.ch2.shown)
        canvas.Text(kGridLeft + kColumn, kReadoutTop, "CH2 " + state.ch2Scale, ScreenColour::kCh2, 2,
                    kColumn - 8);
    canvas.Text(kGridLeft + 2 * kColumn, kReadoutTop, "M " + state.timeBase, ScreenColour::kText, 2,
                kColumn - 8);
    canvas.Text(kGridLeft + 3 * kColumn, kReadoutTop, state.extraText, ScreenColour::kText, 2,
                kScreenWidth - kGridLeft - 3 * kColumn);
}

void DrawMenu(CCanvas& canvas, const ScreenState& state)
{
    canvas.Fill(kMenuLeft, kGridTop, kMenuWidth, kGridHeight, ScreenColour::kMenuBack);
    const int titleX = kMenuLeft + std::max(0, (kMenuWidth - BitmapFont::TextWidth(state.menuTitle, 2)) / 2);
    canvas.Text(titleX, kGridTop + 12, state.menuTitle, ScreenColour::kText, 2, kMenuWidth - 8);
    for (int i = 0; i < static_cast<int>(state.menuItems.size()); ++i) {
        const ScreenMenuItem& item = state.menuItems[static_cast<size_t>(i)];
        const int top = kGridTop + kMenuTitleHeight + i * kMenuItemHeight;
        const uint8_t back = i == state.selectedItem ? ScreenColour::kMenuSelected : ScreenColour::kMenuItem;
        canvas.Fill(kMenuLeft + 4, top + 3, kMenuWidth - 8, kMenuItemHeight - 6, back);
        canvas.Text(kMenuLeft + 10, top + 12, item.label, ScreenColour::kText, 1, kMenuWidth - 20);
        canvas.Text(kMenuLeft + 10, top + 32, item.value, ScreenColour::kText, 2, kMenuWidth - 20);
    }
}

void DrawMessage(CCanvas& canvas, const std::string& message, int width)
{
    if (message.empty())
        return;
    const int textWidth = std::min(BitmapFont::TextWidth(message, 2), width - 40);
    const int boxWidth = textWidth + 24;
    const int x = kGridLeft + (width - boxWidth) / 2;
    const int y = kGridTop + kGridHeight - 60;
    canvas.Fill(x, y, boxWidth, 32, ScreenColour::kMenuBack);
    canvas.Frame(x, y, boxWidth, 32, ScreenColour::kText);
    canvas.Text(x + 12, y + 9, message, ScreenColour::kText, 2, textWidth + 2);
}

} // namespace

double ScreenGridDivisions(bool menuShown)
{
    return menuShown ? 16.0 : 19.2;
}

std::vector<uint8_t> RenderScreen(const ScreenState& state)
{
    CCanvas canvas;
    const int width = GridWidth(state.menuShown);
    DrawStatusBar(canvas, state);
    DrawGraticule(canvas, width);
    DrawTrace(canvas, state.ch2, width, state.scanMode, ScreenColour::kCh2);
    DrawTrace(canvas, state.ch1, width, state.scanMode, ScreenColour::kCh1);
    DrawPositionMarker(canvas, state.ch2, '2', ScreenColour::kCh2);
    DrawPositionMarker(canvas, state.ch1, '1', ScreenColour::kCh1);
    DrawTriggerMarkers(canvas, state, width);
    DrawReadouts(canvas, state);
    if (state.menuShown)
        DrawMenu(canvas, state);
    DrawMessage(canvas, state.message, width);
    return canvas.Take();
}
