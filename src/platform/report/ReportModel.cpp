#include "platform/report/ReportModel.h"

#include "platform/core/VbError.h"

namespace report {

Control& Section::Add(ControlKind kind, const QString& name) {
    Control c;
    c.kind = kind;
    c.name = name;
    controls.push_back(c);
    return controls.back();
}

Control* Section::Find(const QString& name) {
    for (Control& c : controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

const Control* Section::Find(const QString& name) const { return const_cast<Section*>(this)->Find(name); }

QSizeF PageSetup::PaperTwips() const {
    // Portrait sheets: Letter 8.5 x 11 in, Ledger/Tabloid 11 x 17 in.
    QSizeF sheet = paperSize == PaperLedger ? QSizeF(15840, 24480) : QSizeF(12240, 15840);
    if (orientation == OrientLandscape) sheet.transpose();
    if (paperWidth > 0) sheet.setWidth(paperWidth);
    return sheet;
}

ReportDefinition::ReportDefinition() {
    const char* names[] = {"ReportHeader", "PageHeader", "Detail", "PageFooter", "ReportFooter"};
    for (size_t i = 0; i < sections.size(); ++i) {
        sections[i].kind = SectionKind(i);
        sections[i].name = QString::fromLatin1(names[i]);
    }
}

Section& ReportDefinition::section(const QString& name) {
    for (Section& s : sections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) return s;
    vb::raise(vb::err::ItemNotFound, QStringLiteral("The report has no section named %1.").arg(name));
}

}  // namespace report
