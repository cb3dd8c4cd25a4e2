// The waveform sheet's zoom and scroll geometry.
//
// Zoom z is the factor of the logical-to-device mapping: the graph is
// 100 × z by 80 × z device pixels (5.0 shows 100 %), drawn 30 pixels in
// from the picture's top-left corner; the whole picture is 125 × z by
// 100 × z. Zoom steps by 1.0 between 1.0 (20 %) and 36.0 (720 %); a zoom
// typed into the frame's box may go up to 37.5 (750 %), and a step up never
// lowers it.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class CYTSheetZoom {
public:
    static constexpr float kMin = 1.0f;
    static constexpr float kMax = 36.0f;       // highest zoom a step reaches
    static constexpr float kMaxTyped = 37.5f;  // highest zoom at all (750 %)
    static constexpr float kDefault = 5.0f;
    static constexpr float kStep = 1.0f;

    static float ZoomIn(float zoom);
    static float ZoomOut(float zoom);
    // The largest zoom up to 100 % at which the graph fits the client area
    // (client at least 100 × z wide and 80 × z high), never below kMin.
    static float Fit(QSize client);
    // The view centre after a fit: the middle of the graph at that zoom.
    static QPoint FitCentre(float zoom);
    // A view centre (picture pixels) moved with a zoom change so that the same
    // graph point stays in the middle of the window.
    static QPoint ScaleCentre(QPoint centre, float oldZoom, float newZoom);
    // The picture size at a zoom.
    static QSize PictureSize(float zoom);
    // The scroll area: the client size, grown to the picture where it is
    // larger; *needed (when given) says whether a scroll bar is needed.
    static QSize ScrollSize(QSize client, float zoom, bool* needed = nullptr);
    // The scroll position that puts a centre in the middle of the client area,
    // held inside the scroll area.
    static QPoint ScrollForCentre(QPoint centre, QSize client, float zoom);
    // "100%": z × 100 ÷ 5 truncated.
    static int Percent(float zoom);
    static QString ZoomText(float zoom);
    // Zoom factor of a picked, typed or stored factor, held inside
    // kMin … kMaxTyped; a non-number gives kDefault.
    static float Clamp(float zoom);
};
