#pragma once
// The progress window of long work: a bar with a Cancel button, shown once the work has taken
// about a second, with the busy pointer while it runs. Call it with (done, total); it answers false
// once the user has pressed Cancel.
#include <QString>
#include <memory>

class QProgressDialog;

namespace vb {

class ProgressBox {
public:
    ProgressBox(const QString& title, const QString& label);
    ~ProgressBox();
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    bool operator()(qint64 done, qint64 total);

    // Tests: the n-th report of progress (from 1) answers as Cancel would; 0 never; -1 the first
    // that fills the bar.
    static void setCancelAtForTesting(int n);

private:
    std::unique_ptr<QProgressDialog> dlg_;
    int reports_ = 0;
};

}  // namespace vb
