#pragma once
// Draws the pages of a laid-out report with QPainter, and writes them as a PDF file.
#include "platform/report/ReportModel.h"

#include <functional>

class QPainter;
class QFontMetricsF;

namespace report {

class FontCache;

// Paints one page; the painter's coordinates must be twips from the sheet's top-left corner.
void PaintPage(QPainter& painter, const Document& doc, int pageIndex);
// The same with fonts kept from page to page (for painting many pages).
void PaintPage(QPainter& painter, const Document& doc, int pageIndex, FontCache& fonts);

// The QPainter text flags a wrapping text is drawn with: it breaks between words, and inside a
// word only when a word is wider than the box. Measuring with them gives the drawn height.
int WrapFlags(const QFontMetricsF& metrics, double width, const QString& text);

// The glyphs a check box prints as (also used by the HTML and RTF writers).
QString CheckGlyph(bool checked);

// Called by the file writers before every 50th page they write (the first included) and once
// more when every page is written, just before the new file takes the target's place: the pages
// done and the count. Whatever it throws stops the writing, and the target is not touched.
using PageProgress = std::function<void(int done, int pages)>;
// Calls onPage (when given) for page `done` of `pages` where the writers report.
void ReportPage(const PageProgress& onPage, int done, int pages);

// Writes every page to a PDF file of the document's paper size. The file is written beside the
// target and renamed over it only when complete, so a failure leaves an existing file as it was;
// a failure raises 75 (path/file access error) with the reason.
void WritePdf(const Document& doc, const QString& path, const PageProgress& onPage = {});

}  // namespace report
