#pragma once
// What the benchmarks share: their users, who answer every box at once, the clock and the memory.
#include "platform/core/UiServices.h"
#include "shell/Module1.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
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
    QString openPath;   // what the open dialog answers ("": Cancel)

    QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
    bool ShowOpen(vb::CommonDialog& d) override {
        d.FileName = openPath;
        return !openPath.isEmpty();
    }
    bool ShowSave(vb::CommonDialog&) override { return false; }
    bool ShowColor(vb::CommonDialog&) override { return false; }
    bool ShowFont(vb::CommonDialog&) override { return false; }
    void ShowHelp(const vb::CommonDialog&) override {}
    int RunModal(QDialog&) override { return 0; }
};

// The export benchmarks' user: the choice dialogs are answered "Export all fields", the save
// dialog with saveAs; a box other than the output database's question fails the benchmark.
class ExportAllUi final : public SilentUi {
public:
    QString saveAs;
    ExportAllUi() {
        expected = [](const QString& prompt, const QString&) { return prompt.startsWith(QLatin1String("DATABASE: ")); };
    }
    bool ShowSave(vb::CommonDialog& d) override {
        d.FileName = saveAs;
        return true;
    }
    int RunModal(QDialog& dlg) override {
        if (auto* all = dlg.findChild<QRadioButton*>(QStringLiteral("optAllFlds"))) all->click();
        if (auto* all = dlg.findChild<QRadioButton*>(QStringLiteral("OptAllFields"))) all->click();
        dlg.findChild<QPushButton*>(QStringLiteral("cmdApply"))->click();
        return 1;
    }
};

// A size from /proc/self/status in KB ("VmRSS:", "VmHWM:"); 0 when it cannot be read.
inline long statusKb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
    return 0;
}

// The database at path open as the Open command leaves it, with the default colours.
inline void openAsTheOpenCommand(const QString& path) {
    Module1::CurrentDBPath = path;
    Module1::BuildConnStr();
    Module1::DBOpen = true;
    Module1::SetCurrentUser(QStringLiteral("Admin"));
    Module1::SetCurrentUserLevel(QStringLiteral("SUPRVR"));
    Module1::SetFrmColor(QStringLiteral("16711680"));
    Module1::SetTextColor(QStringLiteral("16777215"));
}

inline double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

}  // namespace bench
