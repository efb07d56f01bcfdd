// The checks of the field boxes by field type, run when the focus leaves a box and before every
// command of the view, and the reminder a key press gives in an empty table.
#include "entry/DataInput.h"

#include "platform/db/NumericRange.h"
#include "platform/db/YesNo.h"
#include "platform/format/Locale.h"
#include "platform/format/UserDates.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"
#include "platform/ui/RefusedBox.h"

#include <QLineEdit>
#include <cmath>
#include <QPushButton>
#include <QToolButton>

namespace {
const QString kTypeErrorTitle = QStringLiteral("Data Type Error");
const QString kNumericMessage = QStringLiteral("This is a numeric field, please enter all numbers");

// The values the column behind a numeric box can hold, as the data layer checks them on saving.
std::optional<db::NumericRange> columnRange(DataInput& view, const QString& column, vb::ValueKind kind) {
    try {
        if (view.adoUserTbl.IsOpen()) {
            const db::Field& f = view.adoUserTbl.Recordset().Fields(column);
            if (auto r = db::numericRangeOf(f.Type(), f.Precision(), f.NumericScale())) return r;
        }
    } catch (const vb::VbError&) {
        // no such column in the record set: the kind's own range below
    }
    switch (kind) {
    case vb::ValueKind::Integer: return db::numericRangeOf(db::adInteger);
    case vb::ValueKind::Currency: return db::numericRangeOf(db::adCurrency);
    case vb::ValueKind::Decimal:
    case vb::ValueKind::Double: return db::numericRangeOf(db::adDouble);
    default: return std::nullopt;
    }
}

QString boundText(double v, int places) {
    // The currency bound has more digits than a Double carries: written out.
    if (places == 4 && std::fabs(v) > 9.0e14)
        return (v < 0 ? vb::Locale::negativeSign() : QString()) + QStringLiteral("922337203685477") +
               vb::Locale::decimalPoint() + QStringLiteral("5807");
    if (places < 0) return vb::Format(v);
    return vb::Format(v, places > 0 ? QStringLiteral("0.") + QString(places, u'0') : QStringLiteral("0"));
}

QString rangeMessage(const QString& column, const db::NumericRange& r) {
    return QStringLiteral("The Field %1 Can Only Hold A Number From %2 To %3")
        .arg(column, boundText(r.low, r.places), boundText(r.high, r.places));
}
}  // namespace

const DBFlds* DataInput::fieldOfRow(int i) {
    DBFldFunct& fields = DBDefMain().DBFldFunct();
    // The box's own column decides: a column the view leaves out (a type it cannot show) shifts
    // the items of DBDefMain against the rows after it.
    if (i >= 1 && i <= kRows) {
        if (const BoundBox* binding = BindingOf(flddata[size_t(i)])) {
            for (const auto& f : fields)
                if (f->FldName == binding->DataField()) return f.get();
        }
    }
    if (i < 1 || i > fields.Count()) return nullptr;
    return &fields.Item(i);
}

void DataInput::flddata_Validate(int Index, bool& Cancel) {
    if (!IsLoaded()) return;
    QLineEdit* box = fieldBox(Index);
    const DBFlds* field = fieldOfRow(Index);
    if (!field) return;
    const vb::FieldType T = vb::FieldType::parse(field->FldType);
    const QString S = box->text();
    const BoundBox* binding = BindingOf(box);

    auto reject = [&](const QString& message) {
        vb::MsgBox(message, vb::vbOKOnly, kTypeErrorTitle);
        box->setText(QString());
        if (box->isVisible()) vb::FocusRefused(box);
        Cancel = true;
    };
    // A number the column cannot hold: the field's range is named, and the text stays to be
    // corrected (nothing is stored).
    const vb::ValueKind kind = T.valueKind();
    auto outOfRange = [&]() {
        const std::optional<db::NumericRange> r = columnRange(*this, field->FldName, kind);
        if (!r) return false;
        const std::optional<double> n = vb::parseNumber(S);
        if (n ? r->contains(*n) : !vb::NumberBeyondDouble(S)) return false;
        vb::MsgBox(rangeMessage(field->FldName, *r), vb::vbOKOnly, kTypeErrorTitle);
        Cancel = true;
        return true;
    };
    const bool numericKind = kind == vb::ValueKind::Integer || kind == vb::ValueKind::Double ||
                             kind == vb::ValueKind::Decimal || kind == vb::ValueKind::Currency;
    if (numericKind && !S.isEmpty() && vb::NumberBeyondDouble(S) && outOfRange()) return;

    if (T.kind == vb::FieldKind::Integer) {
        if (S.isEmpty()) return;
        const qsizetype L = S.size();   // every character counts: sign, blanks and separators too
        if (!vb::IsNumeric(S)) return reject(kNumericMessage);
        if (L >= 11) {
            // The text stays for the user to shorten.
            vb::MsgBox(QStringLiteral("An Integer Field Can Only Be 10 digits"), vb::vbOKOnly, kTypeErrorTitle);
            Cancel = true;
            return;
        }
        // A fraction would be rounded away on the write: refused, the text stays to be corrected.
        const std::optional<double> n = vb::parseNumber(S);
        if (n && *n != std::trunc(*n)) {
            vb::MsgBox(QStringLiteral("An Integer Field Can Only Hold Whole Numbers"), vb::vbOKOnly, kTypeErrorTitle);
            Cancel = true;
            return;
        }
        if (outOfRange()) return;
    } else if (T.kind == vb::FieldKind::Double || T.kind == vb::FieldKind::Decimal) {
        if (S.isEmpty()) return;
        const std::optional<double> n = vb::parseNumber(S);
        if (!n) return reject(kNumericMessage);
        if (outOfRange()) return;
        // A Decimal is written with the column's places: at least one whole digit, no grouping.
        // A value shown untouched is the stored one already and is left as shown.
        if (T.kind != vb::FieldKind::Double && !(binding && !binding->Dirty())) {
            const int places = T.scale;
            const QString pattern = places > 0 ? QStringLiteral("0.") + QString(places, u'0') : QStringLiteral("0");
            box->setText(vb::Format(*n, pattern));
        }
    } else if (T.kind == vb::FieldKind::Currency) {
        if (S.isEmpty()) return;
        if (!vb::IsNumeric(S)) return reject(QStringLiteral("This is a Currency field, please enter a monetary value"));
        if (outOfRange()) return;
    } else if (T.kind == vb::FieldKind::DateTime) {
        if (S.isEmpty()) return;
        // The one rule every date box reads by (the box's format plays no part in it).
        if (!vb::isUserDate(S))
            return reject(QStringLiteral("This Is Not A Valid Date, Please Enter A Valid Date Value"));
    } else if (T.kind == vb::FieldKind::Boolean) {
        QString text = S;
        if (text.isEmpty()) {
            text = QStringLiteral("FALSE");
            box->setText(text);
        }
        // Any yes/no the program reads is taken: "TRUE", "FALSE", "True" and "False" as typed,
        // every other spelling ("t", "yes", "0") written out as "True" or "False".
        static const QStringList kept = {QStringLiteral("TRUE"), QStringLiteral("FALSE"), QStringLiteral("True"),
                                         QStringLiteral("False")};
        if (!kept.contains(text)) {
            const std::optional<bool> b = db::readYesNo(QStringView(text));
            if (!b) return reject(QStringLiteral("Please Enter TRUE or FALSE, or T or F for Value"));
            box->setText(*b ? QStringLiteral("True") : QStringLiteral("False"));
        }
    } else {
        return;   // Text, file paths and any other type: no check
    }

    // The text passed its type's check; a value the column still cannot take (an integer beyond
    // 32 bits) is reported here, while the user is at the box, and the text stays to be corrected.
    if (binding) {
        try {
            binding->CheckText();
        } catch (const vb::VbError& e) {
            vb::ShowErrorPair(e);
            Cancel = true;
        }
    }
}

void DataInput::flddata_KeyDown(int Index) {
    Q_UNUSED(Index);
    if (!IsLoaded() || bAddingRec) return;
    const bool empty = !adoUserTbl.IsOpen() || adoUserTbl.Recordset().RecordCount() < 1;
    if (empty && cmdAction[0] && cmdAction[0]->text() == QLatin1String("&Add"))
        vb::MsgBox(QStringLiteral("Select The Add Command, before entering data"));
}
