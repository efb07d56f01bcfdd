#pragma once
// The printer and the print preview of a laid-out report. The program goes through the installed
// service, so tests put a recording one in its place.
#include "platform/report/ReportModel.h"

#include <memory>

class QPrinter;
class QWidget;

namespace report {

class PrintService {
public:
    virtual ~PrintService() = default;
    // Whether the system has a printer to print on.
    virtual bool HasPrinter() = 0;
    // Shows the pages in the print preview window (zoom, page through, print), modally.
    virtual void Preview(std::shared_ptr<const Document> doc, QWidget* parent) = 0;
};

PrintService& printService();
void setPrintService(PrintService* service);

// Sets the printer's page to the document's sheet, margins none (the document places everything).
void SetUpPrinter(QPrinter& printer, const Document& doc);
// Prints every page of the document on the printer (a printer set up by SetUpPrinter).
void PrintDocument(QPrinter& printer, const Document& doc);

}  // namespace report
