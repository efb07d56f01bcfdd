#include "reports/FrmMailLbls.h"

#include "entry/DataInput.h"
#include "platform/db/CauseMessage.h"
#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/db/Connection.h"
#include "platform/paths/AppPaths.h"
#include "platform/shellexec/ShellExecute.h"
#include "platform/ui/FormWidgets.h"
#include "platform/ui/ProgressBox.h"
#include "reports/ExportTexts.h"
#include "reports/MailLabels.h"
#include "shell/Module1.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {
const QString kChooseField = QStringLiteral("Choose Field");
const QString kChooseSize = QStringLiteral("Choose Label Size:");
const char* const kPartNames[reports::kMailParts] = {"First Name", "Last Name", "Address1", "Address2",
                                                     "City",       "State",     "Postal Code", "Country"};
const int kLabelWidths[reports::kMailParts] = {1095, 1095, 1095, 1095, 1095, 615, 1335, 855};

// The errors of the label steps: a statement the database cannot run has a message of its own.
void reportLabelError(const vb::VbError& e, const QString& title) {
    if (e.number == vb::err::DB_E_ERRORSINCOMMAND) vb::MsgBox(reports::texts::kLabelError, vb::vbOKOnly, title);
    else if (!vb::ShowCause(e, QStringLiteral("the labels were not written."), title)) vb::ShowErrorPair(e);
}
}  // namespace

struct FrmMailLbls::Spec {
    reports::MailSpec mail;
};

FrmMailLbls& FrmMailLbls::instance() {
    static FrmMailLbls form;
    return form;
}

QWidget* FrmMailLbls::CreateWidget() {
    // Esc and the close box close the window as Cancel does, releasing the reports view's button.
    auto* w = new vb::CommandDialog([this] { cmdCancel_Click(); });
    w->setWindowTitle(QStringLiteral("Create Mailing Labels"));
    w->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    w->setFixedSize(vb::twipsToPx(8430), vb::twipsToPx(2985));
    const QFont bold = vb::BoldFont(QStringLiteral("Arial"), 9.75);
    LblMail.assign(reports::kMailParts, nullptr);
    cmbMail.assign(reports::kMailParts, nullptr);
    for (int i = 0; i < reports::kMailParts; ++i) {
        const bool odd = i % 2 == 1;
        const int top = 240 + (i / 2) * 480;
        auto* l = vb::Placed(new QLabel(QString::fromLatin1(kPartNames[i]), w), QStringLiteral("LblMail_%1").arg(i),
                             odd ? 4616 : 649, top, kLabelWidths[i], 255);
        l->setFont(bold);
        LblMail[size_t(i)] = l;
        auto* c = vb::Placed(new QComboBox(w), QStringLiteral("cmbMail_%1").arg(i), odd ? 5760 : 2085, top, 2055, 315);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        cmbMail[size_t(i)] = c;
    }
    lblno = vb::Placed(new QLabel(QStringLiteral("Determine Labels Per Sheet"), w), "lblno", 120, 2400, 2775, 255);
    lblno->setFont(bold);
    cmboLblSz = vb::Placed(new QComboBox(w), "cmboLblSz", 3000, 2400, 1935, 315);
    cmboLblSz->setEditable(true);
    cmboLblSz->setInsertPolicy(QComboBox::NoInsert);
    cmdCreate = vb::Placed(new QPushButton(QStringLiteral("Create"), w), "cmdCreate", 5280, 2400, 1215, 375);
    cmdCancel = vb::Placed(new QPushButton(QStringLiteral("Cancel"), w), "cmdCancel", 6720, 2400, 1335, 375);

    QList<QWidget*> order;
    for (QComboBox* c : cmbMail) order << c;
    vb::TabOrder(order << cmdCreate << cmdCancel << cmboLblSz);
    vb::OnClicked(cmdCreate, w, [this] { cmdCreate_Click(); });
    vb::OnClicked(cmdCancel, w, [this] { cmdCancel_Click(); });
    return w;
}

void FrmMailLbls::Form_Load() {
    bLblAbort = false;
    spec_ = std::make_shared<Spec>();
    cmboLblSz->addItems({QStringLiteral("(10) 2 x 4"), QStringLiteral("(14) 1 1/3 x 4"), QStringLiteral("(20) 1 x 4"),
                         QStringLiteral("(30) 1 x 2 5/8")});
    cmboLblSz->setCurrentIndex(-1);
    cmboLblSz->setEditText(kChooseSize);
    try {
        static const QStringList hidden = {"KeyWord", "SrchInt", "SrchKey", "Memofld"};
        QStringList names;
        for (const auto& f : DataInput::instance().DBDefMain().DBFldFunct())
            if (!hidden.contains(f->FldName.left(7))) names << f->FldName;
        for (QComboBox* c : cmbMail) {
            c->addItems(names);
            c->setCurrentIndex(-1);
            c->setEditText(kChooseField);
        }
    } catch (const vb::VbError& e) {
        reportLabelError(e, QStringLiteral("Deletion"));
    }
}

bool FrmMailLbls::collect() {
    reports::MailSpec& m = spec_->mail;
    m = reports::MailSpec();
    const DBFldFunct& list = DataInput::instance().DBDefMain().DBFldFunct();
    bool any = false;
    for (int i = 0; i < reports::kMailParts; ++i) {
        const QString text = cmbMail[size_t(i)]->currentText();
        if (text == kChooseField) continue;
        any = true;
        // A typed name must be one of the fields; the column's own spelling is used.
        bool found = false;
        for (const auto& f : list) {
            if (f->FldName.compare(text, Qt::CaseInsensitive) == 0) {
                m.parts[size_t(i)] = f->FldName;
                m.types[size_t(i)] = f->FldType;
                found = true;
                break;
            }
        }
        if (!found) vb::raise(vb::err::DB_E_ERRORSINCOMMAND, QStringLiteral("No field is named %1.").arg(text));
    }
    if (!any) {
        vb::MsgBox(reports::texts::kChooseField, vb::vbOKOnly);
        return false;
    }
    m.searchResult = SearchResultChosen && SearchResultChosen() && Module1::SrchFlg;
    return true;
}

void FrmMailLbls::BuildMailData() {
    strMailDoc = vb::inProgramFolder(QStringLiteral("Mail.odt"));
    try {
        if (!collect()) {
            bLblAbort = true;
            return;
        }
        bLblAbort = false;
        db::Connection conn;
        conn.Open(Module1::DBConnStr);
        vb::ProgressBox progress(QStringLiteral("Create Mailing Labels"), QStringLiteral("Writing the label data..."));
        if (reports::WriteMailData(conn, spec_->mail, strMailDoc, std::ref(progress)) < 0) bLblAbort = true;
    } catch (const vb::VbError& e) {
        bLblAbort = true;
        reportLabelError(e, reports::texts::kLabelsTitle);
    }
}

void FrmMailLbls::CreateLabels() {
    try {
        db::Connection conn;
        conn.Open(Module1::DBConnStr);
        QString path;
        {
            vb::ProgressBox progress(QStringLiteral("Create Mailing Labels"), QStringLiteral("Laying out the labels..."));
            path = reports::WriteLabels(conn, spec_->mail, reports::productForSize(cmboLblSz->currentText()),
                                        std::ref(progress));
        }
        if (path.isEmpty()) {
            bLblAbort = true;
            return;
        }
        if (vb::ShellExecute(path) <= 32) {
            bLblAbort = true;
            vb::MsgBox(reports::texts::savedNotOpened(reports::texts::kLabelsSavedAs, QDir::toNativeSeparators(path),
                                                      reports::texts::kLabelsNotOpened, reports::texts::kNoWordProcessor),
                       vb::vbOKOnly, reports::texts::kLabelsTitle);
            return;
        }
        Unload();
        if (ClearOption) ClearOption();
    } catch (const vb::VbError& e) {
        bLblAbort = true;
        reportLabelError(e, reports::texts::kLabelsTitle);
    }
}

void FrmMailLbls::cmdCreate_Click() {
    BuildMailData();
    if (!bLblAbort) CreateLabels();
}

void FrmMailLbls::cmdCancel_Click() {
    if (ClearOption) ClearOption();
    Unload();
}
