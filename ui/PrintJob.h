#pragma once
// Printing of a data window through the print dialog or the preview dialog:
// the window draws each page, these routines run the dialogs and keep
// g_bPrintProcess (printing) or g_bPreview (preview) set while they are up.
#include <functional>

class QPrinter;
class QWidget;

// Draws page (from 1) on the printer.
using PagePrinter = std::function<void(QPrinter& printer, int page)>;

// The print dialog, then pages 1 ... pageCount when it is accepted.
void PrintThroughDialog(QWidget* parent, int pageCount, const PagePrinter& printPage);
// The preview dialog showing pages 1 ... pageCount.
void ShowPrintPreview(QWidget* parent, int pageCount, const PagePrinter& printPage);
