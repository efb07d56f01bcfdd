#include "entry/AdoDataControl.h"

#include "platform/core/VbError.h"

AdoDataControl::AdoDataControl() = default;

AdoDataControl::~AdoDataControl() {
    MoveComplete = nullptr;   // the view that listened may be partly gone
    RowWritten = nullptr;
    try {
        Close();
    } catch (...) {
    }
}

bool AdoDataControl::IsOpen() const { return rs_ && rs_->IsOpen(); }

void AdoDataControl::Close() {
    if (rs_ && rs_->IsOpen()) {
        if (rs_->EditMode() != db::adEditNone) rs_->CancelUpdate();
        rs_->Close();
    }
    if (conn_.IsOpen()) conn_.Close();
}

void AdoDataControl::Refresh() {
    // The same record set object is opened again, so references to it stay valid.
    if (!rs_) {
        rs_ = std::make_unique<db::Recordset>();
        rs_->SetMoveCompleteHandler([this] {
            if (MoveComplete) MoveComplete();
        });
        rs_->SetWriteHandler([this](const QVariantList& before, const QVariantList& after) {
            if (RowWritten) RowWritten(before, after);
        });
    }
    if (rs_->IsOpen()) {
        if (rs_->EditMode() != db::adEditNone) rs_->CancelUpdate();
        rs_->Close();
    }
    if (conn_.IsOpen() && conn_.ConnectionString() != ConnectionString) conn_.Close();
    if (!conn_.IsOpen()) conn_.Open(ConnectionString);
    rs_->Open(RecordSource, conn_, db::adOpenKeyset, db::adLockOptimistic);
}

db::Recordset& AdoDataControl::Recordset() {
    if (!IsOpen()) vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return *rs_;
}

const db::Recordset& AdoDataControl::Recordset() const {
    if (!IsOpen()) vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return *rs_;
}
