// The keyword list of the entry view: the distinct keyword values of the table, kept up to date
// from the rows the view stores and handed to the search view, and dragged from the list into the
// keyword boxes.
#include "entry/DataInput.h"
#include "entry/EntryWidgets.h"

#include "shell/Module1Views.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QRegularExpression>
#include <QToolButton>

// ---- the widgets ----

QStringList KeywordList::mimeTypes() const { return {QStringLiteral("text/plain")}; }

QMimeData* KeywordList::mimeData(const QList<QListWidgetItem*>& items) const {
    if (items.isEmpty() || !items.first()) return nullptr;
    auto* data = new QMimeData;
    data->setText(items.first()->text());
    return data;
}

bool KeywordBox::CanTake(const QMimeData* data) const {
    return data && data->hasText() && isEnabled() && !isReadOnly() && acceptDrops() && !isHidden();
}

bool KeywordBox::DropText(const QMimeData* data) {
    if (!CanTake(data)) return false;
    // One keyword per box: the dropped entry replaces what the box held.
    QString text = data->text();
    if (const qsizetype eol = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))); eol >= 0) text.truncate(eol);
    setText(text);
    return true;
}

void KeywordBox::dragEnterEvent(QDragEnterEvent* e) {
    if (CanTake(e->mimeData())) e->acceptProposedAction();
    else e->ignore();
}

void KeywordBox::dragMoveEvent(QDragMoveEvent* e) {
    if (CanTake(e->mimeData())) e->acceptProposedAction();
    else e->ignore();
}

void KeywordBox::dropEvent(QDropEvent* e) {
    if (DropText(e->mimeData())) e->acceptProposedAction();
    else e->ignore();
}

// ---- the view's side ----

bool DataInput::Keywrd_OLEDragDrop(int Index, const QMimeData* data) {
    if (!IsLoaded()) return false;
    auto* box = dynamic_cast<KeywordBox*>(keywordBox(Index));
    return box && box->DropText(data);
}

QMimeData* DataInput::KeywordDragData() const {
    if (!IsLoaded() || !lstKeywrd) return nullptr;
    QListWidgetItem* item = lstKeywrd->currentItem();
    if (!item || !item->isSelected()) {
        const QList<QListWidgetItem*> selected = lstKeywrd->selectedItems();
        item = selected.isEmpty() ? nullptr : selected.first();
    }
    if (!item) return nullptr;
    auto* data = new QMimeData;
    data->setText(item->text());
    return data;
}

void DataInput::RefreshKeyList() {
    try {
        intKeyCount = Module1::GetKeyWrdCount();
        if (intKeyCount > 0) {
            // The keyword columns the load found (KeyWord1.. in a database of this program); the
            // list grows as it needs, so no count of values can overflow it.
            QStringList columns = keyColumns_.mid(0, intKeyCount);
            for (int j = int(columns.size()) + 1; j <= intKeyCount; ++j) columns << QStringLiteral("KeyWord%1").arg(j);
            db::Connection conn;
            conn.Open(Module1::DBConnStr);
            keywords_.Build(conn, columns);   // the shared list and lstKeywrd follow (keywordsChanged)
            conn.Close();
        } else {
            // No keyword column: the array starts again empty; the list keeps what it shows.
            keywords_.Clear();
            Module1::KeyWrdList.clear();
        }
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::NoCurrentRecord) {
            vb::MsgBox(QStringLiteral("A customer needs to be located before proceeding"), vb::vbOKOnly,
                       QStringLiteral("Data Entry"));
            if (IsLoaded() && cmdAction[0]) cmdAction[0]->setText(QStringLiteral("&Add"));
            bAddingRec = false;
        } else {
            vb::MsgBox(e.description.isEmpty() ? vb::describe(e.number) : e.description, vb::vbOKOnly,
                       QStringLiteral("Ravelstow"));
        }
    }
}

QStringList DataInput::TableKeywords() {
    if (keywords_.Following()) keywords_.Finish();
    else RefreshKeyList();
    return keywords_.List();
}

bool DataInput::TableHasRecords() {
    if (IsLoaded() && adoUserTbl.IsOpen()) return adoUserTbl.Connection().HasRows(QStringLiteral("UserTable"));
    db::Connection conn;
    conn.Open(Module1::DBConnStr);
    const bool has = conn.HasRows(QStringLiteral("UserTable"));
    conn.Close();
    return has;
}

void DataInput::adoUserTbl_RowWritten(const QVariantList& before, const QVariantList& after) {
    if (keyColumns_.isEmpty() || !adoUserTbl.IsOpen()) return;
    db::Recordset& rs = adoUserTbl.Recordset();
    QVariantList removed, added;
    for (int i = 0; i < rs.FieldCount(); ++i) {
        if (!keyColumns_.contains(rs.Fields(i).Name(), Qt::CaseInsensitive)) continue;
        if (i < before.size()) removed << before[i];
        if (i < after.size()) added << after[i];
    }
    keywords_.Written(removed, added);
}

void DataInput::keywordsChanged(const std::vector<KeywordTally::Change>* changes) {
    Module1::KeyWrdList = keywords_.List();
    Module1::KeyListChg = true;
    if (!IsLoaded() || !lstKeywrd) return;
    if (!changes) {
        QStringList values = Module1::KeyWrdList;
        Module1::FillKeyList(values, QStringLiteral("DataInput"));
        return;
    }
    // Only the entries that changed: the list may hold many thousands.
    auto find = [this](const QString& text) -> QListWidgetItem* {
        const QList<QListWidgetItem*> found = lstKeywrd->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        return found.isEmpty() ? nullptr : found.first();
    };
    for (const KeywordTally::Change& c : *changes) {
        switch (c.kind) {
        case KeywordTally::Change::Added: lstKeywrd->addItem(c.text); break;
        case KeywordTally::Change::Removed: delete find(c.text); break;
        case KeywordTally::Change::Respelled:
            if (QListWidgetItem* item = find(c.was)) item->setText(c.text);
            break;
        }
    }
}
