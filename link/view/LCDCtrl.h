#pragma once
// CLCDCtrl: the mirror of the instrument's own screen inside the virtual
// front panel. It keeps two images of 800 × 480 colour references (red in the
// low byte), written together by the panel when a screen arrives, and draws
// the first one: stretched over the control in the enlarged mode, pixel for
// pixel and centred in the normal mode (g_nLCDMode). It also prints the
// picture, previews the printout and exports it as a ".bmp" file.
//
// All of it runs on the user-interface thread. The images belong to the
// control; the panel fills them from ADBufferUI while it holds g_csLock.
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <vector>

#include "corvane/SharedState.h"

class QPainter;
class QPrinter;

class CLCDCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kControlId = 1050;

    explicit CLCDCtrl(QWidget* parent = nullptr);
    ~CLCDCtrl() override;

    // Converts one screen of palette indices (kScreenWidth × kScreenHeight,
    // row by row) into both images. The caller holds g_csLock when the
    // indices are ADBufferUI.
    void StoreScreen(const unsigned char* indices);
    // Both images back to black.
    void ClearImages();
    // Colour reference of a pixel of the first image; 0 outside the picture.
    uint32_t ColorRefAt(int x, int y) const;
    // The first image as an opaque 800 × 480 picture.
    QImage Picture() const;

    // Paints the picture into target as the display mode says: stretched
    // with smoothing (enlarged) or unscaled and centred on black (normal).
    void Draw(QPainter& painter, const QRect& target) const;
    static LCD_MODE DisplayMode() { return g_nLCDMode; }
    void SetDisplayMode(LCD_MODE mode);

    // Export command: asks for a file name, then ExportBitmap. Non-zero when
    // a file was written.
    int ExportCommand();
    // Writes the picture as a ".bmp" file at the display's colour depth,
    // through a temporary file renamed into place. Non-zero on success; on
    // failure the user is told "Write File Error!" and no file is left behind.
    int ExportBitmap(const QString& path);
    int ExportBitmap(const QString& path, int bitsPerPixel);

    // Print command: the print dialog, then PrintTo. Non-zero when printed.
    int Print();
    // Prints the picture, scaled to the page, with the footer "Page 1 " on
    // the given printer; the job is abandoned without a message when it
    // cannot start. Non-zero on success.
    int PrintTo(QPrinter& printer);
    // Print preview of the same printout (modal).
    void PrintPreview();
    // The front panel's print button: tells szCheckPrinters when no printer
    // is installed, then the print dialog, then PrintCaptionedTo.
    int PrintWithCaptions();
    // Header line and the footer "Page:1 of 1"; tells szPrintErrors when the
    // job cannot be printed. Non-zero on success.
    int PrintCaptionedTo(QPrinter& printer);

    // The control keeps the screen's 5:3 shape in layouts; it starts at half
    // the screen's pixels (the panel keeps it in a CShapeKeepingBox, so it grows
    // with the panel window beyond its native size).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    enum class PageStyle { Footer, Captioned };
    int PrintPages(QPrinter& printer, PageStyle style);
    void RenderPage(QPainter& painter, const QRect& page, PageStyle style, int number) const;
    bool ChoosePrinter(QPrinter& printer);

    std::vector<uint32_t> m_image1;   // drawn, printed and exported
    std::vector<uint32_t> m_image2;   // a copy of the same screen
};
