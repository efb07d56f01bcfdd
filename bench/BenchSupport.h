#pragma once
// What the benchmarks share: their user, who answers every box at once, and the clock.
#include "platform/core/UiServices.h"

#include <QElapsedTimer>
#include <cstdio>
#include <functional>

namespace bench {

// Every box is answered at once with `answer`. A box the benchmark does not expect (see
// `expected`) is printed and counted in `boxes`: a benchmark that shows one has failed.
class SilentUi : public vb::UiServices {
public:
    int boxes = 0;
    int answer = vb::vbOK;
    std::function<bool(const QString& prompt, const QString& title)> expected;

    int MsgBox(const QString& prompt, int, const QString& title) override {
        if (!expected || !expected(prompt, title)) {
            ++boxes;
            std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        }
        return answer;
    }
    QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
    bool ShowOpen(vb::CommonDialog&) override { return false; }
    bool ShowSave(vb::CommonDialog&) override { return false; }
    bool ShowColor(vb::CommonDialog&) override { return false; }
    bool ShowFont(vb::CommonDialog&) override { return false; }
    void ShowHelp(const vb::CommonDialog&) override {}
    int RunModal(QDialog&) override { return 0; }
};

inline double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

}  // namespace bench
