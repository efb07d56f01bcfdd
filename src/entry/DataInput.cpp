#include "entry/DataInput.h"

#include <QListWidget>
#include <QVBoxLayout>
#include <QWidget>

DataInput& DataInput::instance() {
    static DataInput form;
    return form;
}

QWidget* DataInput::CreateWidget() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Data Entry"));
    auto* layout = new QVBoxLayout(w);
    lstKeywrd = new QListWidget(w);
    lstKeywrd->setObjectName(QStringLiteral("lstKeywrd"));
    layout->addWidget(lstKeywrd);
    return w;
}

int DataInput::EditMode() const { return 0; }

bool DataInput::AtBofOrEof() const { return true; }

void DataInput::UpdateFrmClr() {}
