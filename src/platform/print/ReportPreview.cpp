#include "platform/print/ReportPreview.h"

#include "platform/core/UiServices.h"
#include "platform/core/VbError.h"
#include "platform/print/ReportPrinter.h"
#include "platform/report/ReportPainter.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace report {

namespace {

QToolButton* button(QWidget* parent, const char* name, const QString& text, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    return b;
}

}  // namespace

ReportPreview::ReportPreview(std::shared_ptr<const Document> doc, QWidget* parent, ErrorHandler onError)
    : QDialog(parent), doc_(std::move(doc)), onError_(std::move(onError)) {
    setWindowTitle(QStringLiteral("Print Preview - ") + doc_->title);
    auto* bar = new QHBoxLayout;
    QToolButton* first = button(this, "cmdFirst", QStringLiteral("|<"), QStringLiteral("First Page"));
    QToolButton* prev = button(this, "cmdPrevious", QStringLiteral("<"), QStringLiteral("Previous Page"));
    number_ = new QSpinBox(this);
    number_->setObjectName(QStringLiteral("txtPage"));
    const int count = std::max(1, int(doc_->pages.size()));
    number_->setRange(1, count);
    auto* of = new QLabel(QStringLiteral("of %1").arg(count), this);
    of->setObjectName(QStringLiteral("lblPageCount"));
    QToolButton* next = button(this, "cmdNext", QStringLiteral(">"), QStringLiteral("Next Page"));
    QToolButton* last = button(this, "cmdLast", QStringLiteral(">|"), QStringLiteral("Last Page"));
    QToolButton* zoomOut = button(this, "cmdZoomOut", QStringLiteral("-"), QStringLiteral("Zoom Out"));
    QToolButton* zoomIn = button(this, "cmdZoomIn", QStringLiteral("+"), QStringLiteral("Zoom In"));
    QToolButton* print = button(this, "cmdPrint", QStringLiteral("Print..."), QStringLiteral("Print"));
    for (QWidget* w : std::initializer_list<QWidget*>{first, prev, number_, of, next, last, zoomOut, zoomIn}) bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(print);

    sheet_ = new QLabel;
    sheet_->setObjectName(QStringLiteral("sheet"));
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(sheet_);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll, 1);

    connect(first, &QToolButton::clicked, this, [this] { ShowPage(0); });
    connect(prev, &QToolButton::clicked, this, [this] { ShowPage(page_ - 1); });
    connect(next, &QToolButton::clicked, this, [this] { ShowPage(page_ + 1); });
    connect(last, &QToolButton::clicked, this, [this] { ShowPage(int(doc_->pages.size()) - 1); });
    connect(number_, &QSpinBox::valueChanged, this, [this](int n) {
        if (n - 1 != page_) ShowPage(n - 1);
    });
    connect(zoomIn, &QToolButton::clicked, this, [this] { Zoom(1.25); });
    connect(zoomOut, &QToolButton::clicked, this, [this] { Zoom(0.8); });
    connect(print, &QToolButton::clicked, this, [this] { PrintAll(); });
    ShowPage(0);
}

void ReportPreview::ShowPage(int index) {
    page_ = std::clamp(index, 0, std::max(0, int(doc_->pages.size()) - 1));
    number_->setValue(page_ + 1);
    render();
}

void ReportPreview::Zoom(double factor) {
    scale_ = std::clamp(scale_ * factor, 0.25, 4.0);
    render();
}

void ReportPreview::render() {
    // The page painted in twips onto an image of the sheet at the zoom (15 twips to a dot).
    const double dots = scale_ / 15.0;
    QImage image((doc_->paper * dots).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    try {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(dots, dots);
        if (!doc_->pages.empty()) PaintPage(p, *doc_, page_);
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
    sheet_->setPixmap(QPixmap::fromImage(image));
    sheet_->resize(image.size());
}

void ReportPreview::PrintAll() {
    if (!printService().HasPrinter()) {
        reportError(vb::VbError(vb::err::PrinterError, QString()));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, *doc_);
    QPrintDialog dialog(&printer, this);
    if (vb::ui().RunModal(dialog) != QDialog::Accepted) return;
    try {
        PrintDocument(printer, *doc_);
    } catch (const vb::VbError& e) {
        reportError(e);
    }
}

void ReportPreview::reportError(const vb::VbError& e) {
    if (onError_) onError_(e.number, e.description);
    else vb::ShowErrorPair(e);
}

}  // namespace report
