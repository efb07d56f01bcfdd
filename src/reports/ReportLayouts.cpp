#include "reports/ReportLayouts.h"

#include "platform/core/UiServices.h"
#include "platform/db/Connection.h"
#include "platform/format/FieldType.h"
#include "platform/format/UserDates.h"
#include "platform/report/ReportEngine.h"
#include "platform/report/ReportPainter.h"
#include "shell/Module1.h"

#include <QFontMetricsF>
#include <cmath>

using namespace report;

namespace {

// Where a layout puts things (twips).
struct Geometry {
    double titleLeft;
    double step;                // from one column to the next
    double captionWidth;
    double otherFieldWidth;     // fields of types without an output format
    double fieldOffset;         // data fields stand this far right of their caption
    double notesStep;
    double notesCaptionWidth;
    double notesFieldWidth;
    double dateLeft;            // 0: where the template puts it
    double printWidth;          // between the page's margins (0: not known)
    double captionSize = 8;     // point size of the column captions
    bool titleLeft0 = false;    // the title labels keep the engine's default left
};

constexpr Geometry kPortrait{2530, 1530, 1370, 1440, 0, 1490, 1090, 1440, 0, 12240 - 1440};
constexpr Geometry kPortraitFew{2530, 2160, 2000, 2000, 0, 2160, 2000, 2100, 0, 12240 - 2880};
// The landscape data boxes stand 200 right of their captions: the notes start where the last
// box ends, so a value that fills its box never prints over a note.
constexpr Geometry kLandscape{5280, 1530, 1370, 1440, 200, 200 + 1440, 1090, 1440, 12560, 16560 - 1440};
constexpr Geometry kLegal{8240, 1530, 1370, 1440, 0, 1690, 1440, 1540, 14400, 24480 - 1440};
// The older portrait form: one geometry for every column count.
constexpr Geometry kMain{0, 1300, 1440, 1440, 200, 1290, 1090, 1090, 0, 0, 9, true};

FontSpec reportFont(const ReportChoices& c) {
    FontSpec f;
    f.family = c.fontName;
    f.size = c.fontSize;
    f.bold = c.fontBold;
    return f;
}

// The height of a label's text wrapped within its width, in lines as the engine lays them out.
double wrappedHeight(const Control& l) {
    const QFont font = QtFont(l.font);
    const QFontMetricsF fm(font);
    if (fm.horizontalAdvance(l.caption) <= l.width && !l.caption.contains(QLatin1Char('\n'))) return fm.height();
    return double(WrapLines(l.caption, font, l.width).size()) * fm.lineSpacing();
}

void addTitles(ReportDefinition& r, const ReportChoices& c, const Geometry& g) {
    Section& header = r.section(SectionKind::ReportHeader);
    int filled = 0;
    for (const QString& t : c.titles)
        if (!t.isEmpty()) ++filled;
    if (filled == 0) {
        header.visible = false;
        return;
    }
    double top = 0, moved = 0;
    for (int i = 0; i < 4; ++i) {
        const QString& text = c.titles[size_t(i)];
        if (text.isEmpty()) continue;
        Control& l = header.Add(ControlKind::Label, QStringLiteral("RepTitle%1").arg(i));
        l.caption = text;
        l.multiLine = true;
        l.alignment = AlignCenter;
        l.height = 360;
        l.width = 4215;
        if (i > 0) top += 450;
        l.top = top + moved;
        if (!g.titleLeft0) l.left = g.titleLeft;
        l.font.family = c.fontName;
        l.font.size = 16;
        l.font.italic = true;
        l.font.bold = c.fontBold;
        l.font.underline = (i == 0);
        // A title that wraps takes the height of its lines; what follows moves down by as much.
        const double needed = wrappedHeight(l);
        if (needed > l.height) {
            moved += needed - l.height;
            l.height = needed;
        }
    }
    header.height += moved;
}

Control& addCaption(Section& s, const QString& name, const QString& caption, double left, double width,
                    const ReportChoices& c, double size) {
    Control& l = s.Add(ControlKind::Label, name);
    l.caption = caption;
    l.multiLine = true;
    l.alignment = AlignCenter;
    l.height = 450;
    l.width = width;
    l.top = 0;
    l.left = left;
    l.font.family = c.fontName;
    l.font.size = size;
    l.font.bold = true;
    l.opaque = true;
    l.backColor = 0xFFFFFF;
    l.borderBottom = 12;
    l.borderTop = 6;
    return l;
}

// maxSlot: only the boxes 1..maxSlot are looked at.
void build(ReportDefinition& r, const ReportChoices& c, const Geometry& g, const QString& sql, int maxSlot = 20) {
    r.title = QStringLiteral("User Table");
    r.databasePath = c.dbPath;
    r.sql = sql;
    addTitles(r, c, g);

    Section& ph = r.section(SectionKind::PageHeader);
    ph.height = 820;
    ph.backColor = 0xFFFFFF;
    Section& detail = r.section(SectionKind::Detail);
    detail.height = 480;
    detail.backColor = 0xFFFFFF;

    const FontSpec font = reportFont(c);
    int x = 0;   // the column's position
    bool first = true;
    for (const ReportColumn& col : c.columns) {
        if (col.slot > maxSlot) continue;
        if (!first) x += int(g.step);
        first = false;
        addCaption(ph, QStringLiteral("lbl") + col.fieldName, col.label, x, g.captionWidth, c, g.captionSize);
        const vb::FieldKind kind = vb::FieldType::parse(col.fieldType).kind;
        if (kind == vb::FieldKind::Boolean) {
            Control& box = detail.Add(ControlKind::CheckBox, col.fieldName);
            box.alignment = AlignCenter;
            box.height = 270;
            box.top = 0;
            box.left = x + 320;
            box.width = 500;
            box.caption = QString();
            box.font = font;
            box.opaque = true;
            box.dataField = col.fieldName;
        } else {
            Control& f = detail.Add(ControlKind::Field, QStringLiteral("Rpt") + col.fieldName);
            f.height = 270;
            f.width = g.otherFieldWidth;
            f.alignment = AlignLeft;
            f.top = 0;
            f.left = x + g.fieldOffset;
            f.canGrow = true;
            if (kind == vb::FieldKind::Currency) f.outputFormat = QStringLiteral("$#,##0.00");
            // The third section prints a stored zero, which the digit placeholders alone drop.
            else if (kind == vb::FieldKind::Double) f.outputFormat = QStringLiteral("####.000;;0.000");
            else if (kind == vb::FieldKind::Integer) f.outputFormat = QStringLiteral("#####;;0");
            if (!f.outputFormat.isEmpty()) f.width = 1440;
            f.font = font;
            f.opaque = true;
            f.dataField = col.fieldName;
        }
    }

    if (g.dateLeft > 0)
        if (Control* date = r.section(SectionKind::PageFooter).Find(QStringLiteral("dtefld"))) date->left = g.dateLeft;

    if (c.hasNotes && c.inclNotes) {
        x += int(g.notesStep);
        addCaption(ph, QStringLiteral("lblMemo"), QStringLiteral("Notes"), x, g.notesCaptionWidth, c, 9);
        Control& f = detail.Add(ControlKind::Field, QStringLiteral("fldMemo"));
        f.height = 270;
        // The notes box ends at the page's right margin at the latest.
        f.width = g.printWidth > 0 ? std::min(g.notesFieldWidth, g.printWidth - x) : g.notesFieldWidth;
        f.top = 0;
        f.left = x;
        f.multiLine = true;
        f.canGrow = true;
        f.font = font;
        f.opaque = true;
        f.dataField = QStringLiteral("Memofld");
    }
}

}  // namespace

LayoutChoice ChooseLayout(int columns) {
    LayoutChoice c;
    c.columns = columns;
    if (columns >= 1 && columns <= 7) {
        c.layout = ReportLayout::Portrait;
        c.fewCols = columns <= 4;
    } else if (columns >= 8 && columns <= 10) {
        c.layout = ReportLayout::Landscape;
    } else if (columns == 11 || columns == 12) {
        c.layout = ReportLayout::Wide;
    }
    return c;
}

void SetLayoutFlags(const LayoutChoice& choice) {
    Module1::bRptWide = choice.layout == ReportLayout::Wide;
    Module1::bRptLandscape = choice.layout == ReportLayout::Landscape;
    Module1::bRptPortrait = choice.layout == ReportLayout::Portrait;
    if (choice.layout == ReportLayout::Portrait) Module1::bRptFewCols = choice.fewCols;
}

std::shared_ptr<ReportDefinition> NewReport() {
    auto r = std::make_shared<ReportDefinition>();
    r->section(SectionKind::ReportHeader).height = 2010;
    r->section(SectionKind::PageHeader).height = 60;
    r->section(SectionKind::Detail).height = 1470;
    r->section(SectionKind::PageFooter).height = 465;
    r->section(SectionKind::ReportFooter).height = 360;
    Section& footer = r->section(SectionKind::PageFooter);
    auto place = [&](ControlKind kind, const char* name, double left, double width) -> Control& {
        Control& c = footer.Add(kind, QString::fromLatin1(name));
        c.left = left;
        c.top = 90;
        c.width = width;
        c.height = 270;
        return c;
    };
    // The number boxes hold five digits (99,999 pages) with a space's room on either side.
    place(ControlKind::Label, "lblPage", 90, 540).caption = QStringLiteral("Page");
    place(ControlKind::PageNumber, "txtPageNumber", 630, 570).alignment = AlignCenter;
    place(ControlKind::Label, "lblOf", 1230, 360).caption = QStringLiteral("Of");
    place(ControlKind::PageCount, "txtPageCount", 1590, 600).alignment = AlignCenter;
    Control& date = place(ControlKind::Field, "dtefld", 7560, 2250);
    date.dataField = QStringLiteral("=Now");
    date.outputFormat = vb::userDatePattern() + QStringLiteral(" h:mm AM/PM");   // the program's short date
    r->onReportStart = ActiveReport_ReportStart;
    return r;
}

void ActiveReport_ReportStart(ReportDefinition& report) {
    PageSetup& p = report.page;
    const double m = p.leftMargin + p.rightMargin;
    const auto landscape = [&](double paperWidth, int paperSize) {
        p.printWidth = paperWidth - m;
        p.orientation = OrientLandscape;
        p.paperSize = paperSize;
        p.paperWidth = paperWidth;
        p.leftMargin = p.rightMargin = 720;
    };
    if (Module1::bRptWide) {
        landscape(24480, PaperLedger);
    } else if (Module1::bRptLandscape) {
        landscape(16560, PaperLetter);
    } else if (Module1::bRptPortrait) {
        p.printWidth = 12240 - m;
        p.orientation = OrientPortrait;
        p.paperSize = PaperLetter;
        p.leftMargin = p.rightMargin = Module1::bRptFewCols ? 1440 : 720;
    }
}

QString ReportSource(const ReportChoices& c, ReportLayout layout) {
    const QString sorted = c.sortField.isEmpty() ? QString() : QStringLiteral(" Order by ") + db::Connection::Bracket(c.sortField);
    if (c.allRecords) {
        if (!sorted.isEmpty()) return QStringLiteral("Select * From UserTable") + sorted;
        return layout == ReportLayout::Portrait ? QStringLiteral("Select * From UserTable Order by TolvaneID")
                                                : QStringLiteral("Select * From UserTable Order By TolvaneID");
    }
    if (c.searchResults) return c.searchSql;
    return QStringLiteral("Select * From UserTable") + sorted;
}

void BuildPortaitRep(ReportDefinition& report, const ReportChoices& choices) {
    build(report, choices, Module1::bRptFewCols ? kPortraitFew : kPortrait, ReportSource(choices, ReportLayout::Portrait));
}

void BuildLandscapeRep(ReportDefinition& report, const ReportChoices& choices) {
    build(report, choices, kLandscape, ReportSource(choices, ReportLayout::Landscape));
}

void BuildLegalRep(ReportDefinition& report, const ReportChoices& choices) {
    build(report, choices, kLegal, ReportSource(choices, ReportLayout::Wide));
}

QString MainReportSource(const ReportChoices& c) {
    if (c.searchResults) return c.searchSql;
    const QString sorted = c.sortField.isEmpty() ? QString() : QStringLiteral(" Order by ") + db::Connection::Bracket(c.sortField);
    return QStringLiteral("Select * From UserTable") + sorted;
}

void BuildMainRep(ReportDefinition& report, const ReportChoices& choices, int NoRptfld) {
    build(report, choices, kMain, MainReportSource(choices), NoRptfld);
}

std::shared_ptr<ReportDefinition> BuildReport(const ReportChoices& choices) {
    const LayoutChoice layout = ChooseLayout(choices.ColumnCount());
    if (layout.layout == ReportLayout::Refused) return nullptr;
    Module1::bRptWide = Module1::bRptLandscape = Module1::bRptPortrait = false;
    SetLayoutFlags(layout);
    auto r = NewReport();
    switch (layout.layout) {
    case ReportLayout::Wide: BuildLegalRep(*r, choices); break;
    case ReportLayout::Landscape: BuildLandscapeRep(*r, choices); break;
    default: BuildPortaitRep(*r, choices); break;
    }
    return r;
}

void ActiveReport_Error(int32_t number, const QString& description) {
    if (number == vb::err::PrinterError) {
        vb::MsgBox(QStringLiteral("A Printer Needs To Be Installed"), vb::vbOKOnly, QStringLiteral("Reports"));
        return;
    }
    vb::MsgBox(QString::number(number), vb::vbOKOnly, QStringLiteral("Reports"));
    vb::MsgBox(description, vb::vbOKOnly, QStringLiteral("Reports"));
}
