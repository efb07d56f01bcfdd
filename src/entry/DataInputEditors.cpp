// The checks of the field boxes and the editors that write into them.
#include "entry/DataInput.h"

#include <QComboBox>
#include <QLineEdit>

// The check of field box Index when the focus leaves it or a command is about to run; Cancel
// keeps the focus in the box and stops the command. The checks by field type plug in here.
void DataInput::flddata_Validate(int Index, bool& Cancel) {
    Q_UNUSED(Index);
    Q_UNUSED(Cancel);
}

// A choice in the True/False combo of row Index is written into the row's box, which hands it to
// the record when the record is saved or left.
void DataInput::CmboTF_Click(int Index) {
    if (Index < 1 || Index > kRows || !CmboTF[size_t(Index)] || !flddata[size_t(Index)]) return;
    flddata[size_t(Index)]->setText(CmboTF[size_t(Index)]->currentText());
    flddata[size_t(Index)]->show();
}
