#pragma once
// The account properties dialog: adds an account (AddUserMode true when it loads) or edits the
// account of the account list's current row. Unloaded each time it ends, so every showing loads
// afresh. Passwords are held and stored only in scrambled form.
#include "shell/Form.h"

#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class dlgUserSecur : public DialogForm {
public:
    static dlgUserSecur& instance();

    void Form_Load() override;

    // A character typed into the user-name box: letters and Backspace are taken; anything else is
    // refused with a message. Returns whether the key is taken.
    bool txtusernme_KeyPress(QChar ch);
    // Leaving the user-name box: a changed name longer than 8 characters is refused (the box is
    // emptied), one holding anything but letters too; Cancel keeps the focus in the box.
    void txtusernme_Validate(bool& Cancel);
    // Leaving the password box: typed text is replaced by its scrambled form.
    void txtPasswrd_Validate(bool& Cancel);
    // A change the user made to the password box: a text longer than the account column holds is
    // refused whole (the box goes back to what it held), with a message when more than one
    // character came in at once (pasted).
    void txtPasswrd_Edited(const QString& text);
    void OKButton_Click();
    void CancelButton_Click();

    // The mode fixed when the dialog loaded; in edit mode, the row id of the account (0 when it was
    // not found, and then nothing can be saved).
    bool AddMode() const { return addMode_; }
    // The scrambled password that Update stores.
    QString StoredPassword() const { return pwdStored_; }

    QPointer<QLabel> Label1, Label2, Label3, Label4, Label5;
    QPointer<QLineEdit> txtusernme, txtfullnme, txtuserdescp, txtPasswrd;
    QPointer<QRadioButton> OptSuperv, OptResUser;
    QPointer<QPushButton> OKButton, CancelButton;

protected:
    QWidget* CreateWidget() override;

private:
    dlgUserSecur() : DialogForm(QStringLiteral("dlgUserSecur")) {}
    void loadAdd();
    void loadEdit();
    bool save();
    QString chosenLevel() const;

    bool addMode_ = true;
    qint64 editKey_ = 0;
    bool protected_ = false;     // the built-in Admin account: name and level stay as stored
    QString loadedName_, loadedLevel_;
    QString pwdStored_;
    QString pwdAccepted_;   // the last text of the password box that fits the column
    bool pwdDirty_ = false;
};
