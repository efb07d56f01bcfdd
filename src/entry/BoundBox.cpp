#include "entry/BoundBox.h"

#include "platform/core/VbError.h"
#include "platform/db/Recordset.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

BoundBox::BoundBox(QLineEdit* box) : line_(box) {}
BoundBox::BoundBox(QPlainTextEdit* box) : plain_(box) {}

QWidget* BoundBox::Widget() const {
    if (line_) return line_;
    return plain_;
}

void BoundBox::Bind(const QString& dataField, const vb::DataFormat& format, vb::ValueKind kind) {
    field_ = dataField;
    format_ = format;
    kind_ = kind;
}

void BoundBox::SetFormat(const vb::DataFormat& format) {
    const bool dirty = Dirty();
    format_ = format;
    if (!dirty) setShown(format_.display(value_, kind_));
    else shown_ = format_.display(value_, kind_);
}

QString BoundBox::Text() const {
    if (line_) return line_->text();
    if (plain_) return plain_->toPlainText();
    return {};
}

void BoundBox::setShown(const QString& text) {
    shown_ = text;
    if (Text() == text) return;
    if (line_) {
        const QSignalBlocker block(line_);
        line_->setText(text);
        line_->setCursorPosition(0);
    } else if (plain_) {
        const QSignalBlocker block(plain_);
        plain_->setPlainText(text);
    }
}

void BoundBox::Show(db::Recordset* rs) {
    QVariant value;
    if (rs && rs->IsOpen() && !field_.isEmpty()) {
        try {
            const bool adding = rs->EditMode() == db::adEditAdd;
            if (adding || (!rs->Bof() && !rs->Eof())) value = rs->Fields(field_).Value();
        } catch (const vb::VbError&) {
            value = QVariant();   // the row is gone, or the column: an empty box
        }
    }
    value_ = value;
    setShown(format_.display(value_, kind_));
}

bool BoundBox::Dirty() const { return Alive() && Text() != shown_; }

void BoundBox::Revert() { setShown(shown_); }

void BoundBox::CheckText() const {
    if (!Dirty()) return;
    (void)format_.parse(Text(), kind_, value_);
}

void BoundBox::Push(db::Recordset& rs) {
    if (!Dirty()) return;
    const QString text = Text();
    QVariant value;
    try {
        value = format_.parse(text, kind_, value_);
    } catch (const vb::VbError&) {
        vb::raise(vb::err::DB_E_ERRORSOCCURRED,
                  QStringLiteral("The field '%1' cannot take the value '%2'.").arg(field_, text));
    }
    rs.Fields(field_).SetValue(value);
    value_ = value;
    shown_ = text;
}
