#pragma once
// Drives the definition form the way a user does: New Database, the field count, "Create Fields",
// names typed into their boxes, types and decimals picked, boxes ticked, the keyword count typed.
#include "create/CreateDatabase.h"
#include "shell/frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

struct FieldRow {
    QString name;
    QString type;
    QString decimals;   // for "Number/Double"
    FieldRow(const char* n, const char* t = "Text", const char* dec = "")
        : name(QString::fromUtf8(n)), type(QString::fromUtf8(t)), decimals(QString::fromUtf8(dec)) {}
};

struct Definition {
    QList<FieldRow> fields;
    bool notes = false;
    bool security = false;
    QString keywords;   // typed as it is ("" leaves the box empty)
};

inline void typeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Backspace);
    else QTest::keyClicks(box, text);
}

// From the File menu to the definition layout with the fields, boxes and keyword count filled in.
inline void defineDatabase(frmMain& main, const Definition& d) {
    main.mnuCreateDB_Click();
    CreateDatabase& f = CreateDatabase::instance();
    typeInto(f.txtNoFields, QString::number(d.fields.size()));
    f.cmdInitialize->click();
    for (int i = 1; i <= d.fields.size(); ++i) {
        const FieldRow& s = d.fields[i - 1];
        typeInto(f.Text3[i], s.name);
        f.Combo1[i]->setCurrentIndex(f.Combo1[i]->findText(s.type));
        if (!s.decimals.isEmpty()) f.cmbDec[i]->setCurrentIndex(f.cmbDec[i]->findText(s.decimals));
    }
    f.chkMemo->setChecked(d.notes);
    f.chkusersec->setChecked(d.security);
    typeInto(f.txtKeyWrds, d.keywords);
}
