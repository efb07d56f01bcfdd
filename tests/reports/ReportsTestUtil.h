#pragma once
// Helpers of the reports tests: the database open and the reports view loaded on it, a print
// service that records previews, and the command-line readers of the files the reports write.
#include "entry/DataInput.h"
#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/print/ReportPreview.h"
#include "platform/print/ReportPrinter.h"
#include "reports/frmReports.h"
#include "shell/Module1.h"
#include "support/Fixture.h"
#include "support/TestDb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

namespace reportstest {

using namespace testdb;

// The database open as the Open command leaves it, the entry view's field list filled, and the
// reports view loaded.
inline frmReports& openReports(const QString& path) {
    openDatabase(path);
    DataInput::instance().Load();
    frmReports& v = frmReports::instance();
    v.Load();
    return v;
}

inline bool shown(const QWidget* w) { return w && !w->isHidden(); }

// Ticks the boxes of the slots (as the user's click does) and leaves their labels as given.
inline void tick(frmReports& v, std::initializer_list<int> boxes) {
    for (int k : boxes) {
        v.ChkRepLbl[size_t(k)]->setChecked(true);
        v.ChkRepLbl_Click(k);
    }
}

// Records the previews (shown in the real preview window when told); has a printer unless told otherwise.
class RecordingPrinter final : public report::PrintService {
public:
    RecordingPrinter() { report::setPrintService(this); }
    ~RecordingPrinter() override { report::setPrintService(nullptr); }
    bool HasPrinter() override { return printer; }
    void Preview(std::shared_ptr<const report::Document> doc, QWidget* parent, report::ErrorHandler onError) override {
        previews.push_back(doc);
        if (!show) return;
        report::ReportPreview window(doc, parent, std::move(onError));
        vb::ui().RunModal(window);
    }
    bool printer = true;
    bool show = false;
    std::vector<std::shared_ptr<const report::Document>> previews;
};

// Runs a program that a check needs; a missing program fails the test, naming its package.
inline QString run(const QString& program, const QStringList& args, const char* package, int timeoutMs = 60000) {
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("%1 is missing: install the Debian package %2 (scripts/install-deps)")
                                    .arg(program, QLatin1String(package))),
                     __FILE__, __LINE__);
        return {};
    }
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitCode() != 0) {
        QTest::qFail(qPrintable(program + " failed: " + QString::fromUtf8(p.readAllStandardError())), __FILE__, __LINE__);
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF file in reading order, its white space folded to single blanks.
inline QString pdfText(const QString& pdf) {
    return run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, "poppler-utils").simplified();
}
inline QString pdfInfo(const QString& pdf) { return run(QStringLiteral("pdfinfo"), {pdf}, "poppler-utils"); }

}  // namespace reportstest
