#pragma once
// The list of user accounts, shown modally by the User Maintenance command. Supervisors add,
// delete and edit accounts (through dlgUserSecur); everyone else can only look at the list.
#include "accounts/AccountStore.h"
#include "shell/Form.h"

#include <QAbstractTableModel>
#include <QPointer>

class QLabel;
class QPushButton;
class QTableView;

// The accounts as the grid shows them: the columns of UserProfile in table order, one row per
// account, each row knowing its row id.
class AccountListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void SetRows(accounts::AccountRows rows);
    qint64 KeyAt(int row) const;
    int RowOfKey(qint64 key) const;   // -1 when absent
    QString NameAt(int row) const;    // column UserName, "" for a null
    int ColumnOf(const QString& name) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    accounts::AccountRows rows_;
};

class frmUserSecurity : public DialogForm {
public:
    static frmUserSecurity& instance();

    // Set by Properties; the properties dialog saves an existing account only when it is set.
    bool bUserExist = false;

    void Form_Load() override;
    // A click on a row of the grid (row number of the model).
    void grdUserSecur_Click(int row);
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdProperties_Click();
    void cmdExit_Click();

    // Reads the accounts again and hides the password column; the pick and the current row follow
    // their accounts by row id.
    void RefreshGrid();
    // The grid's current row: its account's row id (0 when there is none) and name.
    qint64 CurrentRowKey() const;
    // The account picked with a click during this showing (0: none).
    qint64 PickedKey() const { return pickedKey_; }

    QPointer<QLabel> Label1;
    QPointer<QTableView> grdUserSecur;
    QPointer<QPushButton> cmdAdd, cmdDelete, cmdProperties, cmdExit;
    QPointer<AccountListModel> adoSecur;

protected:
    QWidget* CreateWidget() override;

private:
    frmUserSecurity() : DialogForm(QStringLiteral("frmUserSecurity")) {}
    void hidePasswordColumn();
    qint64 pickedKey_ = 0;
    bool movingByCode_ = false;
};
