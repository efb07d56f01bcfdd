#pragma once
// The data entry view: the records of the open database, one at a time, in controls generated
// from the table's columns.
#include "shell/DBDef.h"
#include "shell/Form.h"

#include <QPointer>

class QListWidget;

class DataInput : public Form {
public:
    static DataInput& instance();

    // The fields of the open table, created on first use; survives the unloading of the window.
    DBDef& DBDefMain() { return dbDefMain_; }

    QPointer<QListWidget> lstKeywrd;

    // State of the view's record set that the File commands read. A view that is not loaded (or
    // whose record set is not open) counts as idle: no edit in progress, at the end of its records.
    int EditMode() const;
    // Applies the shared form and text colours to the view's labels and frames.
    void UpdateFrmClr();
    bool AtBofOrEof() const;

protected:
    QWidget* CreateWidget() override;

private:
    DataInput() : Form(QStringLiteral("DataInput")) {}
    DBDef dbDefMain_;
};
