#pragma once
// A text box bound to a column of the data control's record set: it shows the current row's
// value through its display format, and hands what the user typed back to the record set, read
// through the same format, when the record is saved or left (Push). A box is dirty while its text
// differs from what it held right after showing a value or handing one over: a value the box
// cannot hold as stored (longer than a line box takes, line ends the notes box holds as "\n") is
// not an edit, and is never written back unless the user changes it.
#include "entry/SoftBreaks.h"
#include "platform/format/DataFormat.h"

#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace db {
class Recordset;
}

class BoundBox {
public:
    explicit BoundBox(QLineEdit* box);
    explicit BoundBox(QPlainTextEdit* box);
    ~BoundBox();
    BoundBox(const BoundBox&) = delete;
    BoundBox& operator=(const BoundBox&) = delete;

    QWidget* Widget() const;
    bool Alive() const { return Widget() != nullptr; }

    // DataField and DataFormat of the box; the kind of value says how typed text is read.
    void Bind(const QString& dataField, const vb::DataFormat& format, vb::ValueKind kind);
    void SetFormat(const vb::DataFormat& format);   // a new format; the value is shown again through it
    const QString& DataField() const { return field_; }
    const vb::DataFormat& Format() const { return format_; }
    vb::ValueKind Kind() const { return kind_; }

    // Shows the record set's current row (no current row: an empty box).
    void Show(db::Recordset* rs);
    bool Dirty() const;
    // Hands a changed text to the current row. A text the column cannot take raises 0x80040E21
    // naming the field, as does a changed text of a value the line box could not hold whole; the
    // box keeps the text and stays dirty.
    void Push(db::Recordset& rs);
    // Reads a changed text as Push would, without handing it over: raises the error Push would
    // meet reading it (13 no value of the kind, 6 beyond the type's range).
    void CheckText() const;
    // Forgets the change: the text is shown again from the last value.
    void Revert();

    // The box's text; the notes box's without the breaks it added to long lines.
    QString Text() const;

private:
    void setShown(const QString& text);
    QPointer<QLineEdit> line_;
    QPointer<QPlainTextEdit> plain_;
    QMetaObject::Connection edits_;   // the notes box's document reports each edit
    SoftBreaks breaks_;
    bool showing_ = false;   // the box is being given a value: not an edit
    bool edited_ = false;    // the notes box was edited since it was last given a value
    bool cut_ = false;       // the line box holds only the start of the value
    QString field_;
    vb::DataFormat format_;
    vb::ValueKind kind_ = vb::ValueKind::Text;
    QVariant value_;    // the value the box shows
    QString shown_;     // the text it showed for it
};
