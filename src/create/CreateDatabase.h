#pragma once
// The database definition form: where a new database's fields, notes, keywords and security are
// defined before the file is built.
#include "shell/Form.h"

class CreateDatabase : public Form {
public:
    static CreateDatabase& instance();

protected:
    QWidget* CreateWidget() override;

private:
    CreateDatabase() : Form(QStringLiteral("CreateDatabase")) {}
};
