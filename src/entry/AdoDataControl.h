#pragma once
// The entry view's data control: a connection string and a record source, opened by Refresh into
// an updatable keyset record set over the file. Every change of the current row is reported to
// MoveComplete, which the view uses to show the row in its bound boxes and its record counter.
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <functional>
#include <memory>

class AdoDataControl {
public:
    AdoDataControl();
    ~AdoDataControl();
    AdoDataControl(const AdoDataControl&) = delete;
    AdoDataControl& operator=(const AdoDataControl&) = delete;

    QString ConnectionString;
    QString RecordSource;

    // Opens the record source again (a pending change is dropped) on the first row. The connection
    // is opened again only when the connection string changed.
    void Refresh();
    // Drops a pending change, closes the record set and the connection.
    void Close();
    bool IsOpen() const;

    // The open record set; closed: 3704.
    db::Recordset& Recordset();
    const db::Recordset& Recordset() const;
    db::Connection& Connection() { return conn_; }

    // Called after every change of the current row.
    std::function<void()> MoveComplete;
    // Called after a row was stored through the record set (see db::Recordset::SetWriteHandler).
    db::Recordset::WriteHandler RowWritten;

private:
    db::Connection conn_;
    std::unique_ptr<db::Recordset> rs_;
};
