#pragma once
// The banded report engine's model. A report definition has five sections (report header, page
// header, detail, page footer, report footer) holding labels, bound fields and bound check boxes
// at twip positions, a page set-up and a data source given as an SQL text on a database file.
// Running it lays the report out into a Document, a list of pages of placed items, from which
// every output draws (painter, PDF, HTML, RTF). The pages are made when they are asked for and
// only a few are held at a time, so a report of any length takes bounded memory.
#include <QDateTime>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace report {

enum class SectionKind { ReportHeader = 0, PageHeader, Detail, PageFooter, ReportFooter };

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double size = 9;   // points
    bool bold = false, italic = false, underline = false;
};

// Alignment codes of the controls: 0 left, 1 right, 2 centred.
enum Alignment : int { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

enum class ControlKind {
    Label,        // fixed caption
    Field,        // a bound value (DataField), or "=Now"
    CheckBox,     // a bound True/False value
    PageNumber,   // the number of the page it is printed on
    PageCount,    // the number of pages of the report
};

struct Control {
    ControlKind kind = ControlKind::Label;
    QString name;
    QString caption;        // labels and check boxes
    QString dataField;      // fields and check boxes: the column name, or "=Now"
    QString outputFormat;   // a Format() pattern, "" for the value's own text
    double left = 0, top = 0, width = 0, height = 0;   // twips, within the section, from the left margin
    FontSpec font;
    int alignment = AlignLeft;
    bool multiLine = false;
    bool canGrow = false;
    int borderTop = 0, borderBottom = 0;   // border styles (0 none; 6 double; 12 thick double)
    bool opaque = false;                   // BackStyle 1
    uint32_t backColor = 0xFFFFFF;         // Windows RGB
};

struct Section {
    SectionKind kind = SectionKind::Detail;
    QString name;
    double height = 0;
    bool visible = true;
    uint32_t backColor = 0xFFFFFF;
    std::vector<Control> controls;

    Control& Add(ControlKind kind, const QString& name);
    // The control of that name, or nullptr.
    Control* Find(const QString& name);
    const Control* Find(const QString& name) const;
};

// Paper codes as the printer drivers number them.
enum PaperSize : int { PaperLetter = 1, PaperLedger = 4 };
enum Orientation : int { OrientPortrait = 1, OrientLandscape = 2 };

struct PageSetup {
    int paperSize = PaperLetter;
    int orientation = OrientPortrait;
    double paperWidth = 0;   // twips; 0 leaves the paper's own width
    double leftMargin = 1440, rightMargin = 1440, topMargin = 1440, bottomMargin = 1440;
    double printWidth = 0;

    // The sheet as it lies on the page, in twips: a paper width set explicitly wins over the
    // paper code's width in that orientation.
    QSizeF PaperTwips() const;
};

struct ReportDefinition {
    QString title;          // the document's name (PDF title, HTML title, print job)
    PageSetup page;
    std::array<Section, 5> sections;
    QString databasePath;   // the data source: a database file ...
    QString sql;            // ... and the SELECT whose rows are the detail records
    // Runs when the report starts generating pages (the page set-up is made there).
    std::function<void(ReportDefinition&)> onReportStart;

    ReportDefinition();
    Section& section(SectionKind kind) { return sections[size_t(kind)]; }
    const Section& section(SectionKind kind) const { return sections[size_t(kind)]; }
    // The section of that name ("ReportHeader", "PageHeader", "Detail", "PageFooter", "ReportFooter").
    Section& section(const QString& name);
};

// ---- The laid-out report ----

struct Item {
    ControlKind kind = ControlKind::Label;   // PageNumber/PageCount items hold their text already
    QRectF rect;                             // twips on the sheet (from its top-left corner)
    QString text;
    bool checked = false;                    // check boxes
    bool wrap = false;                       // text wraps within the width
    QStringList lines;                       // a growing field's wrapped lines (empty: text as it is)
    double lineHeight = 0;                   // twips between those lines
    bool fits = false;                       // measured: one line within the width
    const Control* control = nullptr;        // the control it comes from (font, alignment, borders)
};

struct Band {
    SectionKind section = SectionKind::Detail;
    double top = 0, height = 0;   // twips on the sheet
    std::vector<Item> items;
};

struct Page {
    std::vector<Band> bands;
};

// Makes the pages of a laid-out report on demand (see ReportEngine).
class PageSource {
public:
    virtual ~PageSource() = default;
    virtual int Count() const = 0;
    virtual const Page& At(int index) = 0;
    virtual int Held() const = 0;       // pages held now
    virtual int MostHeld() const = 0;   // the most pages held at once so far
};

// The pages of a document, read like a list. A page stays valid until a page further away is
// asked for (the outputs use one page at a time, in order).
class PageList {
public:
    PageList() = default;
    explicit PageList(std::shared_ptr<PageSource> source) : source_(std::move(source)) {}
    size_t size() const { return source_ ? size_t(source_->Count()) : 0; }
    bool empty() const { return size() == 0; }
    const Page& operator[](size_t index) const { return source_->At(int(index)); }
    const Page& front() const { return (*this)[0]; }
    int Held() const { return source_ ? source_->Held() : 0; }
    int MostHeld() const { return source_ ? source_->MostHeld() : 0; }

private:
    std::shared_ptr<PageSource> source_;
};

// Pages made beforehand and all held (a document built by hand).
class HeldPages final : public PageSource {
public:
    explicit HeldPages(std::vector<Page> pages) : pages_(std::move(pages)) {}
    int Count() const override { return int(pages_.size()); }
    const Page& At(int index) override { return pages_.at(size_t(index)); }
    int Held() const override { return Count(); }
    int MostHeld() const override { return Count(); }

private:
    std::vector<Page> pages_;
};

struct Document {
    QString title;
    QSizeF paper;             // twips
    int orientation = OrientPortrait;
    double leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;
    QDateTime printedAt;
    PageList pages;
    // Keeps the definition whose controls the items point to.
    std::shared_ptr<const ReportDefinition> definition;
};

}  // namespace report
