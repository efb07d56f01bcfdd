#pragma once
// The print preview of a laid-out report: one page shown at a time (first, previous, page number,
// next, last), zoom, and Print. Only the page on screen is drawn, so a report of any length is
// previewed in the memory of one page.
#include "platform/print/ReportPrinter.h"
#include "platform/report/ReportModel.h"

#include <QDialog>
#include <memory>

namespace vb { struct VbError; }
class QLabel;
class QSpinBox;
class QToolButton;

namespace report {

class ReportPreview : public QDialog {
public:
    // Errors of printing go to onError (when none is given, the number and then the description).
    ReportPreview(std::shared_ptr<const Document> doc, QWidget* parent = nullptr, ErrorHandler onError = {});

    // Shows page index (0-based; kept within the report).
    void ShowPage(int index);
    int CurrentPage() const { return page_; }
    void Zoom(double factor);   // multiplies the scale, within 25% to 400%
    // Opens the print dialog and prints every page on the printer chosen; without a printer,
    // error 5007 goes to the error handler instead.
    void PrintAll();

private:
    std::shared_ptr<const Document> doc_;
    ErrorHandler onError_;
    int page_ = 0;
    double scale_ = 1.0;   // 1: the sheet at the screen's 96 dots to the inch
    QLabel* sheet_ = nullptr;
    QSpinBox* number_ = nullptr;
    void render();
    void reportError(const vb::VbError& e);
};

}  // namespace report
