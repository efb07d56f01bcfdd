#pragma once
// The file dialog the common dialog shows: Qt's own, taking the text of its name box as one file
// name. Qt reads double quotes there as a list of names ("a" "b"), so a name holding a quote came
// back as another file in the dialog's folder; every dialog of the program takes one file.
#include <QFileDialog>

namespace vb {

class OneNameFileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    // The file chosen, as a full path.
    QString chosenFile() const;

protected:
    void accept() override;

private:
    QString typed_;   // the name box's text as one name, when Qt would have split it
};

}  // namespace vb
