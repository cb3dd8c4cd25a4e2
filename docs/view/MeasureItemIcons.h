#pragma once
// The item pictures of the measurement grid: a small pulse with the measured
// feature marked (a level, a span of time or an edge), one per item.
#include <QPixmap>

QPixmap MeasureItemIcon(int item);
