// CYTSheetPropertiesDialog: the waveform sheet's "Properties" dialog:
// graticule style and colours, trace style, colours and visibility, colour
// mode, trigger marks, the scale read-out, cursor style and tracking, and the
// read-out fonts. OK applies everything at once (Apply); Cancel changes nothing.
#pragma once

#include <QDialog>
#include <QFont>

#include "docs/YTSheetData.h"

class QCheckBox;
class QComboBox;
class QPushButton;

class CYTSheetPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // What the dialog edits, read from a sheet and applied back to it.
    struct Choices {
        int32_t graticuleType = GRATICULE_FULL;
        DSOColor gtColor = 0xFFFFFF;
        DSOColor bgColor = 0x000000;
        int32_t wfmStyle = WFM_VECTORS;
        DSOColor wfmColor[kTraceCount] = {kDefaultTraceColor[0], kDefaultTraceColor[1], kDefaultTraceColor[2]};
        int32_t wfmShow[kTraceCount] = {1, 1, 1};
        int32_t colorMode = COLOR_MODE_RGB;
        int32_t showTrigger = 1;
        int32_t lockTrigger = 0;
        int32_t showScale = 1;
        QFont scaleFont;
        DSOColor scaleColor = 0xFFFFFF;
        int32_t cursorType = CDSOCursor::CURSOR_NONE;
        int32_t tracking = 0;
        QFont cursorFont;
        DSOColor cursorColor = 0xFFFFFF;
    };

    CYTSheetPropertiesDialog(const CYTSheetData& sheet, QWidget* parent = nullptr);

    static Choices ChoicesOf(const CYTSheetData& sheet);
    // Applies choices to a sheet: the objects take their values, the colour
    // mode becomes the sheet's saved mode, and a changed cursor type puts
    // both cursors back at their stored places.
    static void ApplyChoices(const Choices& choices, CYTSheetData& sheet);

    Choices GetChoices() const;
    void SetChoices(const Choices& choices);
    void Apply(CYTSheetData& sheet) const { ApplyChoices(GetChoices(), sheet); }

private:
    QWidget* BuildGraticuleGroup();
    QWidget* BuildWaveformGroup();
    QWidget* BuildDisplayGroup();
    QWidget* BuildCursorGroup();
    QPushButton* ColorButton(const QString& text, DSOColor* color);
    void PickFont(QFont* font, DSOColor* color);
    static void Paint(QPushButton* button, DSOColor color);

    Choices m_choices;
    QComboBox* m_graticuleStyle = nullptr;
    QComboBox* m_wfmStyle = nullptr;
    QCheckBox* m_show[kTraceCount] = {};
    QComboBox* m_colorMode = nullptr;
    QCheckBox* m_showTrigger = nullptr;
    QCheckBox* m_lockTrigger = nullptr;
    QCheckBox* m_showScale = nullptr;
    QComboBox* m_cursorStyle = nullptr;
    QCheckBox* m_tracking = nullptr;
};
