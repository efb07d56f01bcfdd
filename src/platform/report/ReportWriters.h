#pragma once
// The HTML and RTF files of a laid-out report. Both keep the report's pages: each page is a table
// (page header captions, then the detail rows) with the report's title lines above the first and
// the page footer's text below each; pages are separated by page breaks. Every value is written
// as the text it is (markup and control characters escaped). The file is written beside the
// target and renamed over it when complete; a failure raises 75 and leaves the old file. The
// writers report their pages to onPage as WritePdf does.
#include "platform/report/ReportModel.h"
#include "platform/report/ReportPainter.h"

namespace report {

QByteArray HtmlOf(const Document& doc, const PageProgress& onPage = {});
QByteArray RtfOf(const Document& doc, const PageProgress& onPage = {});
void WriteHtml(const Document& doc, const QString& path, const PageProgress& onPage = {});
void WriteRtf(const Document& doc, const QString& path, const PageProgress& onPage = {});

}  // namespace report
