#include "create/CreateDatabase.h"

#include <QWidget>

CreateDatabase& CreateDatabase::instance() {
    static CreateDatabase form;
    return form;
}

QWidget* CreateDatabase::CreateWidget() {
    auto* w = new QWidget;
    w->setWindowTitle(QStringLiteral("Create Database"));
    return w;
}
