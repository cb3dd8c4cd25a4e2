#pragma once
// Drawing of a small fixed-size plot with its axis labels and captions onto
// any QPainter (window, printer, picture): a white plot whose logical
// extent is mapped onto the plot rectangle, a grey grid, labels under the
// vertical lines and beside the horizontal ones, a title above, a caption
// under the labels and a rotated caption on the left. The spectrum trace and
// the input-signal trace share it.
#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class QPen;

struct LabelledPlot {
    QSize logicalSize;        // extent of the plot's own coordinates (2500 x 200)
    QStringList xLabels;      // under the vertical grid lines, left to right
    QStringList yLabels;      // beside the horizontal grid lines, bottom to top
    QString title;
    QString xCaption;
    QString yCaption;
};

inline const QColor kPlotGridColour{0xC0, 0xC0, 0xC0};

// The rectangle of area the plot occupies once room is left for the title,
// the labels and the captions.
QRect LabelledPlotArea(const QRect& area, int fontHeight);

// Paints plot into area: the labels and captions in "Arial", the white plot
// with its grid (one line per label), then drawContent in the plot's logical
// coordinates (pens should be cosmetic).
void PaintLabelledPlot(QPainter& painter, const QRect& area, const LabelledPlot& plot,
                       const std::function<void(QPainter&)>& drawContent);

// A one-pixel pen whatever the mapping.
QPen CosmeticPen(const QColor& colour);
