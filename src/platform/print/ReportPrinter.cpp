#include "platform/print/ReportPrinter.h"

#include "platform/core/UiServices.h"
#include "platform/print/ReportPreview.h"
#include "platform/report/ReportPainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace report {

namespace {

class QtPrintService final : public PrintService {
public:
    bool HasPrinter() override { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

    // Our own preview draws only the page on screen (Qt's keeps a picture of every page).
    void Preview(std::shared_ptr<const Document> doc, QWidget* parent, ErrorHandler onError) override {
        ReportPreview dialog(std::move(doc), parent, std::move(onError));
        dialog.resize(1000, 760);
        vb::ui().RunModal(dialog);
    }
};

PrintService* g_service = nullptr;

}  // namespace

PrintService& printService() {
    static QtPrintService real;
    return g_service ? *g_service : real;
}

void setPrintService(PrintService* service) { g_service = service; }

void SetUpPrinter(QPrinter& printer, const Document& doc) {
    printer.setDocName(doc.title);
    printer.setFullPage(true);
    const QSizeF points = doc.paper / 20.0;
    const bool landscape = points.width() > points.height();
    const QSizeF portrait = landscape ? points.transposed() : points;
    printer.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Point, QString(), QPageSize::FuzzyMatch),
                                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
}

void PrintDocument(QPrinter& printer, const Document& doc) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    // The painter draws in twips: 1440 to the inch.
    const double scale = printer.resolution() / 1440.0;
    for (int i = 0; i < int(doc.pages.size()); ++i) {
        if (i > 0) printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        PaintPage(painter, doc, i);
        painter.restore();
    }
    painter.end();
}

}  // namespace report
