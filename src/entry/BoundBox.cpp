#include "entry/BoundBox.h"

#include "platform/core/VbError.h"
#include "platform/db/Recordset.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextDocument>

BoundBox::BoundBox(QLineEdit* box) : line_(box) {}

BoundBox::BoundBox(QPlainTextEdit* box) : plain_(box) {
    edits_ = QObject::connect(box->document(), &QTextDocument::contentsChange, box, [this](int from, int removed, int added) {
        if (showing_) return;
        edited_ = true;
        breaks_.edited(from, removed, added);
    });
}

BoundBox::~BoundBox() { QObject::disconnect(edits_); }

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
    if (!plain_) return {};
    // The raw text: the plain one would turn non-breaking spaces into blanks.
    QString held = plain_->document()->toRawText();
    held.replace(QChar::ParagraphSeparator, u'\n');
    return breaks_.release(held);
}

void BoundBox::setShown(const QString& text) {
    if (line_) {
        if (line_->text() != text) {
            const QSignalBlocker block(line_);
            line_->setText(text);
            line_->setCursorPosition(0);
        }
        shown_ = line_->text();
    } else if (plain_) {
        if (!edited_ && text == shown_) return;   // held already
        const QSignalBlocker block(plain_);
        showing_ = true;
        plain_->setPlainText(breaks_.hold(text));
        showing_ = false;
        edited_ = false;
        // As the box gives it back (line ends as "\n"); a note is large, so not read back here.
        shown_ = text.contains(u'\r') ? Text() : text;
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
    const QString text = format_.display(value_, kind_);
    cut_ = line_ && text.size() > line_->maxLength();
    setShown(text);
}

bool BoundBox::Dirty() const {
    if (plain_ && !edited_) return false;
    return Alive() && Text() != shown_;
}

void BoundBox::Revert() { setShown(shown_); }

void BoundBox::CheckText() const {
    if (!Dirty()) return;
    (void)format_.parse(Text(), kind_, value_);
}

void BoundBox::Push(db::Recordset& rs) {
    if (!Dirty()) return;
    const QString text = Text();
    // The box holds only the start of the value: a column that would take the changed text would
    // lose the rest. A column that takes fewer characters names its own limit below.
    if (const qint64 limit = cut_ ? rs.Fields(field_).DefinedSize() : 0; cut_ && !(limit > 0 && text.size() > limit))
        vb::raise(vb::err::DB_E_ERRORSOCCURRED,
                  QStringLiteral("The field '%1' holds more text than its box can show (%2 characters).")
                      .arg(field_)
                      .arg(line_ ? line_->maxLength() : 0));
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
    edited_ = false;
}
