#include "platform/xls/XlsWorkbook.h"

#include "platform/core/VbError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

namespace xls {

namespace {

// The most a reader's answer may take: a workbook's names and column headings are far less.
constexpr qsizetype kMostAnswerBytes = 64 * 1024 * 1024;

[[noreturn]] void refuseWorkbook(const QString& path, const QString& reason) {
    vb::raise(vb::err::E_FAIL_, QStringLiteral("The workbook '%1' cannot be opened: %2.").arg(path, reason));
}

[[noreturn]] void refuseSheet(const QString& sheet, const QString& reason) {
    vb::raise(vb::err::DB_E_ERRORSINCOMMAND, QStringLiteral("The worksheet '%1' cannot be read: %2.").arg(sheet, reason));
}

// The environment of the reader: its temporary files in a folder removed after it, however it
// ends. In a build with sanitizers, their reports on the reader go to its error output, which is
// dropped (a damaged workbook is refused instead), and its leaks are not looked for.
QProcessEnvironment readerEnvironment(const QTemporaryDir& scratch) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (scratch.isValid()) env.insert(QStringLiteral("TMPDIR"), scratch.path());
    const auto add = [&env](const QString& name, const QString& options) {
        const QString before = env.value(name);
        env.insert(name, before.isEmpty() ? options : before + QLatin1Char(':') + options);
    };
    add(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0:log_path=stderr"));
    add(QStringLiteral("UBSAN_OPTIONS"), QStringLiteral("log_path=stderr"));
    return env;
}

// Runs the reader on path; the workbook's content, or why it cannot be opened.
WorkbookContent readInReader(const QString& program, const QString& path, int timeLimitMs) {
    WorkbookContent content;
    const QTemporaryDir scratch;
    QProcess reader;
    reader.setProcessEnvironment(readerEnvironment(scratch));
    reader.setStandardInputFile(QProcess::nullDevice());
    reader.setStandardErrorFile(QProcess::nullDevice());
    const QDeadlineTimer deadline(timeLimitMs);
    reader.start(program, {path});
    if (!reader.waitForStarted(timeLimitMs)) {
        content.refusal = QStringLiteral("the workbook reader (%1) cannot be started").arg(program);
        return content;
    }
    QByteArray answer;
    while (reader.state() != QProcess::NotRunning && !deadline.hasExpired() && answer.size() <= kMostAnswerBytes) {
        const int wait = int(std::min<qint64>(deadline.remainingTime(), 1000));
        if (!reader.waitForReadyRead(wait) && reader.state() != QProcess::NotRunning) reader.waitForFinished(std::min(wait, 100));
        answer += reader.readAllStandardOutput();
    }
    const bool late = reader.state() != QProcess::NotRunning && deadline.hasExpired();
    if (reader.state() != QProcess::NotRunning) {
        reader.kill();
        reader.waitForFinished(5000);
    }
    if (answer.size() <= kMostAnswerBytes) answer += reader.readAllStandardOutput();
    if (late) {
        content.refusal = QStringLiteral("reading it took longer than %1 seconds").arg(timeLimitMs / 1000);
    } else if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0 || answer.size() > kMostAnswerBytes ||
               !Decode(answer, content)) {
        content = WorkbookContent{};
        content.refusal = QStringLiteral("reading it stopped the workbook reader; the file may be damaged");
    }
    return content;
}

}  // namespace

QString DefaultReaderProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ravelstow-xlsreader");
}

void Workbook::SetReader(const QString& program, int timeLimitMs) {
    reader_ = program;
    timeLimitMs_ = timeLimitMs;
}

void Workbook::Open(const QString& path) {
    Close();
    WorkbookContent content = readInReader(reader_.isEmpty() ? DefaultReaderProgram() : reader_, path, timeLimitMs_);
    if (!content.refusal.isEmpty()) refuseWorkbook(path, content.refusal);
    content_ = content;
    path_ = path;
    open_ = true;
}

void Workbook::Close() {
    open_ = false;
    path_.clear();
    content_ = WorkbookContent{};
}

QStringList Workbook::SheetNames() const {
    QStringList names;
    for (const SheetContent& s : content_.sheets) names << s.name;
    return names;
}

QList<SheetColumn> Workbook::Columns(const QString& sheet) const {
    if (!open_) refuseSheet(sheet, QStringLiteral("no workbook is open"));
    const SheetContent* found = nullptr;
    for (const SheetContent& s : content_.sheets)
        if (!found && s.name == sheet) found = &s;
    for (const SheetContent& s : content_.sheets)
        if (!found && s.name.compare(sheet, Qt::CaseInsensitive) == 0) found = &s;
    if (!found) refuseSheet(sheet, QStringLiteral("the workbook has no worksheet of that name"));
    if (!found->problem.isEmpty()) refuseSheet(sheet, found->problem);
    return found->columns;
}

}  // namespace xls
