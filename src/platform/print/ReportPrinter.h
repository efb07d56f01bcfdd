#pragma once
// The printer and the print preview of a laid-out report. The program goes through the installed
// service, so tests put a recording one in its place.
#include "platform/report/ReportModel.h"

#include <cstdint>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace report {

// The report's error event: the number and description of an error met while its pages are shown
// or printed (5007 when there is no printer to print on).
using ErrorHandler = std::function<void(int32_t number, const QString& description)>;

class PrintService {
public:
    virtual ~PrintService() = default;
    // Whether the system has a printer to print on.
    virtual bool HasPrinter() = 0;
    // Shows the pages in the print preview window (zoom, page through, print), modally; the
    // preview needs no printer, printing from it does.
    virtual void Preview(std::shared_ptr<const Document> doc, QWidget* parent, ErrorHandler onError) = 0;
};

PrintService& printService();
void setPrintService(PrintService* service);

// Sets the printer's page to the document's sheet, margins none (the document places everything).
void SetUpPrinter(QPrinter& printer, const Document& doc);
// Prints every page of the document on the printer (a printer set up by SetUpPrinter).
void PrintDocument(QPrinter& printer, const Document& doc);

}  // namespace report
