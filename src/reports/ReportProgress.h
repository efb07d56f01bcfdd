#pragma once
// The progress window of long report work (the preview and the file exports), with Cancel: the
// layout reports the rows it has placed; a file export then reports the pages it has written, as
// the second half of the bar. Cancel makes the next report throw ReportCancelled, which stops the
// work where it is: nothing is shown, and no file is written (an old one stays as it was).
#include "platform/ui/ProgressBox.h"

struct ReportCancelled {};

class ReportProgress {
public:
    // `writesPages`: a file is written page by page after the layout.
    explicit ReportProgress(bool writesPages);

    void rows(qint64 done, qint64 total);   // as the layout reports them
    void page(int done, int pages);

private:
    vb::ProgressBox box_;
    qint64 total_ = 1;   // the report's rows, once the layout has said
    bool writesPages_ = false;
    void report(qint64 done, qint64 total);
};
