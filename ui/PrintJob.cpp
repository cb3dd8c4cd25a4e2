#include "ui/PrintJob.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "corvane/ScopedFlag.h"
#include "corvane/SharedState.h"

namespace {
void PrintPages(QPrinter& printer, int pageCount, const PagePrinter& printPage)
{
    for (int page = 1; page <= pageCount; ++page)
        printPage(printer, page);
}
}  // namespace

void PrintThroughDialog(QWidget* parent, int pageCount, const PagePrinter& printPage)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    CScopedFlag printing(g_bPrintProcess);
    if (dialog.exec() == QDialog::Accepted)
        PrintPages(printer, pageCount, printPage);
}

void ShowPrintPreview(QWidget* parent, int pageCount, const PagePrinter& printPage)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* p) { PrintPages(*p, pageCount, printPage); });
    CScopedFlag previewing(g_bPreview);
    preview.exec();
}
