#include "accounts/frmUserSecurity.h"

#include "accounts/dlgUserSecur.h"
#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/ui/FormWidgets.h"
#include "platform/ui/WindowLook.h"
#include "shell/Module1.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTableView>

using vb::twipsToPx;

// ---- the grid's model ----

void AccountListModel::SetRows(accounts::AccountRows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

qint64 AccountListModel::KeyAt(int row) const { return row >= 0 && row < rows_.keys.size() ? rows_.keys[row] : 0; }

int AccountListModel::RowOfKey(qint64 key) const { return key > 0 ? int(rows_.keys.indexOf(key)) : -1; }

int AccountListModel::ColumnOf(const QString& name) const {
    for (int i = 0; i < rows_.columns.size(); ++i)
        if (rows_.columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString AccountListModel::NameAt(int row) const {
    const int col = ColumnOf(QStringLiteral("UserName"));
    if (row < 0 || row >= rows_.values.size() || col < 0) return {};
    const QVariant v = rows_.values[row].value(col);
    return v.isNull() ? QString() : v.toString();
}

int AccountListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.values.size()); }
int AccountListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.columns.size()); }

QVariant AccountListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const QVariant v = rows_.values.value(index.row()).value(index.column());
    return v.isNull() ? QVariant(QString()) : v;
}

QVariant AccountListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return rows_.columns.value(section);
    return {};
}

// ---- the window ----

frmUserSecurity& frmUserSecurity::instance() {
    static frmUserSecurity form;
    return form;
}

QWidget* frmUserSecurity::CreateWidget() {
    auto* dlg = new vb::CommandDialog([this] { cmdExit_Click(); });
    dlg->setWindowTitle(QStringLiteral("User Maintenance"));
    dlg->setSizeGripEnabled(true);

    QFont labelFont = vb::BoldFont(QStringLiteral("Liberation Sans"), 9.75);
    labelFont.setItalic(true);
    Label1 = vb::Placed(new QLabel(QStringLiteral("Select a user account to modify from the list below, or click Add to "
                                                  "create a new user account."),
                                   dlg),
                        "Label1", 600, 120, 5175, 735);
    Label1->setFont(labelFont);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    adoSecur = new AccountListModel(dlg);
    adoSecur->setObjectName(QStringLiteral("adoSecur"));
    grdUserSecur = vb::Placed(new QTableView(dlg), "grdUserSecur", 120, 1080, 6615, 1455);
    grdUserSecur->setModel(adoSecur);
    grdUserSecur->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdUserSecur->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdUserSecur->setSelectionMode(QAbstractItemView::SingleSelection);

    auto button = [&](QPointer<QPushButton>& b, const char* name, const QString& caption, int left, int width) {
        b = vb::Placed(new QPushButton(caption, dlg), name, left, 2880, width, 375);
        b->setAutoDefault(false);
    };
    button(cmdAdd, "cmdAdd", QStringLiteral("Add"), 720, 1215);
    button(cmdDelete, "cmdDelete", QStringLiteral("Delete"), 2040, 1215);
    button(cmdProperties, "cmdProperties", QStringLiteral("Properties"), 3360, 1215);
    button(cmdExit, "cmdExit", QStringLiteral("Close"), 4680, 1095);
    vb::TabOrder({cmdAdd, cmdDelete, cmdProperties, cmdExit, grdUserSecur});

    QObject::connect(grdUserSecur.data(), &QTableView::clicked, dlg,
                     [this](const QModelIndex& i) { vb::RunTrapped([&] { grdUserSecur_Click(i.row()); }); });
    // Moving the highlight with the keys picks the account too, so Delete never acts on a row
    // other than the highlighted one.
    QObject::connect(grdUserSecur->selectionModel(), &QItemSelectionModel::currentRowChanged, dlg,
                     [this](const QModelIndex& now, const QModelIndex&) {
                         if (!movingByCode_ && now.isValid()) vb::RunTrapped([&] { grdUserSecur_Click(now.row()); });
                     });
    vb::OnClicked(cmdAdd, dlg, [this] { cmdAdd_Click(); });
    vb::OnClicked(cmdDelete, dlg, [this] { cmdDelete_Click(); });
    vb::OnClicked(cmdProperties, dlg, [this] { cmdProperties_Click(); });
    QObject::connect(cmdExit.data(), &QPushButton::clicked, dlg, [this] { cmdExit_Click(); });

    // Rows as tall as their text needs; the list shows kShownRows of them whole, the buttons stand a
    // margin under it and the window ends a margin under them (no row cut, no empty band).
    constexpr int kShownRows = 5;
    const int margin = twipsToPx(180);
    grdUserSecur->verticalHeader()->setDefaultSectionSize(grdUserSecur->fontMetrics().height() + 8);
    grdUserSecur->resize(grdUserSecur->width(), 2 * grdUserSecur->frameWidth() + grdUserSecur->horizontalHeader()->sizeHint().height() +
                                                    kShownRows * grdUserSecur->verticalHeader()->defaultSectionSize());
    for (QPushButton* b : {cmdAdd.data(), cmdDelete.data(), cmdProperties.data(), cmdExit.data()})
        b->move(b->x(), grdUserSecur->geometry().bottom() + 1 + margin);

    // Centred on the screen that holds the main window.
    const QSize size(twipsToPx(6915), cmdAdd->geometry().bottom() + 1 + margin);
    dlg->resize(size);
    const QWidget* main = vb::LookMainWindow();
    if (const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen())
        dlg->move(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    return dlg;
}

void frmUserSecurity::Form_Load() {
    // Each showing starts without a pick: a name picked in an earlier showing, perhaps in another
    // database, is never acted on.
    pickedKey_ = 0;
    try {
        RefreshGrid();
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
    if (adoSecur->rowCount() > 0) {
        const QScopedValueRollback<bool> byCode(movingByCode_, true);
        grdUserSecur->setCurrentIndex(adoSecur->index(0, 0));
    } else {
        Module1::AddUserMode = true;
        cmdAdd->setEnabled(true);
        cmdDelete->setEnabled(false);
        cmdProperties->setEnabled(false);
    }
    // Only a supervisor maintains accounts; any other level only looks.
    const bool supervisor = accounts::IsSupervisor(Module1::GetCurrentUserLevel());
    cmdAdd->setEnabled(supervisor);
    cmdDelete->setEnabled(supervisor);
    cmdProperties->setEnabled(supervisor);
}

void frmUserSecurity::hidePasswordColumn() {
    grdUserSecur->setColumnHidden(4, true);
    const int pw = adoSecur->ColumnOf(QStringLiteral("PassWrd"));
    if (pw >= 0) grdUserSecur->setColumnHidden(pw, true);
}

void frmUserSecurity::RefreshGrid() {
    if (!IsLoaded()) return;
    const qint64 current = CurrentRowKey();
    accounts::AccountRows rows;
    try {
        rows = accounts::ReadAccounts(Module1::GetDBConnStr());
    } catch (...) {
        adoSecur->SetRows({});
        pickedKey_ = 0;
        throw;
    }
    const QScopedValueRollback<bool> byCode(movingByCode_, true);
    adoSecur->SetRows(std::move(rows));
    hidePasswordColumn();
    vb::WidenHeaderSections(grdUserSecur->horizontalHeader());
    // The pick follows its account (renamed by the properties dialog, or gone).
    const int picked = adoSecur->RowOfKey(pickedKey_);
    if (picked < 0) pickedKey_ = 0;
    else if (!adoSecur->NameAt(picked).isEmpty()) Module1::SelUserName = adoSecur->NameAt(picked);
    int row = adoSecur->RowOfKey(current);
    if (row < 0 && adoSecur->rowCount() > 0) row = 0;
    if (row >= 0) {
        const QScopedValueRollback<bool> byCode(movingByCode_, true);
        grdUserSecur->setCurrentIndex(adoSecur->index(row, 0));
    }
}

qint64 frmUserSecurity::CurrentRowKey() const {
    if (!IsLoaded() || !grdUserSecur) return 0;
    const QModelIndex i = grdUserSecur->currentIndex();
    return i.isValid() ? adoSecur->KeyAt(i.row()) : 0;
}

void frmUserSecurity::grdUserSecur_Click(int row) {
    if (row < 0 || row >= adoSecur->rowCount()) return;
    grdUserSecur->setCurrentIndex(adoSecur->index(row, 0));
    const QString name = adoSecur->NameAt(row);
    if (name.isEmpty()) return;
    Module1::SelUserName = name;
    pickedKey_ = adoSecur->KeyAt(row);
}

void frmUserSecurity::cmdAdd_Click() {
    Module1::AddUserMode = true;
    dlgUserSecur::instance().ShowModal();
}

void frmUserSecurity::cmdProperties_Click() {
    bUserExist = true;
    // Properties always edits the grid's current account, even after an Add that was closed.
    Module1::AddUserMode = false;
    dlgUserSecur::instance().ShowModal();
}

void frmUserSecurity::cmdDelete_Click() {
    // Only an account picked in this showing is deleted.
    if (pickedKey_ == 0) return;
    const QString name = Module1::SelUserName;
    const QString current = Module1::GetCurrentUser();
    if (accounts::SameName(name, current)) {
        vb::MsgBox(QStringLiteral("Current User Is: ") + current + QStringLiteral("\r\n") +
                       QStringLiteral("Current User Cannot Be Deleted, Please Login As Admin And Delete User\""),
                   vb::vbOKOnly, QStringLiteral("Delete User"));
        return;
    }
    if (accounts::IsAdminName(name)) {
        vb::MsgBox(QStringLiteral("Admin User Account Cannot Be Deleted."), vb::vbOKOnly, QStringLiteral("User Accounts"));
        return;
    }
    try {
        accounts::DeleteAccount(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + Module1::CurrentDBPath,
                                pickedKey_);
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
        return;
    }
    pickedKey_ = 0;
    try {
        RefreshGrid();
    } catch (const vb::VbError& e) {
        vb::ShowErrorPair(e);
    }
}

void frmUserSecurity::cmdExit_Click() { Unload(); }
