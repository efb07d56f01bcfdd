#pragma once
// The HTML and RTF files of a laid-out report. Both keep the report's pages: each page is a table
// (page header captions, then the detail rows) with the report's title lines above the first and
// the page footer's text below each; pages are separated by page breaks. Every value is written
// as the text it is (markup and control characters escaped). The file is written beside the
// target and renamed over it when complete; a failure raises 75 and leaves the old file.
#include "platform/report/ReportModel.h"

namespace report {

QByteArray HtmlOf(const Document& doc);
QByteArray RtfOf(const Document& doc);
void WriteHtml(const Document& doc, const QString& path);
void WriteRtf(const Document& doc, const QString& path);

}  // namespace report
