#pragma once
// The one way the program writes a file: into a temporary file beside the target, every write
// checked, flushed to the disk and closed with the close checked, and only then renamed over the
// target (or placed under a new name). Until then the old file stays as it was; on any failure, or
// when the object goes away uncommitted, the temporary file is removed, with any journal a
// database engine left beside it. Failures raise the cause through FileErrors (61 disk full, 70
// permission / read-only / locked, 75, 76).
//
// Writers that produce bytes write to the object as a QIODevice. Libraries that write a file by
// name (the zip, the workbook, the database engine) write to libraryPath() instead.
#include <QIODevice>
#include <QString>
#include <functional>

namespace vb {

// Raises the cause when a file cannot be written at target: a name too long, a folder that does
// not exist or may not be written, a target marked read-only or locked by another program.
void RequireWritableTarget(const QString& target);

class ReplacingFile : public QIODevice {
public:
    // Checks the target (RequireWritableTarget), creates the temporary file and opens the device.
    explicit ReplacingFile(const QString& target);
    ~ReplacingFile() override;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    QString target() const { return target_; }
    // The temporary file for a library that writes it by name; the device is not used then.
    QString libraryPath();
    // A library's write failed: removes the temporary file and raises the cause (the errno the
    // library left, else libraryWords).
    [[noreturn]] void failWrite(int errnoValue, const QString& libraryWords);

    // Finishes the file and renames it over the target.
    void commit();
    // Finishes the file and lets place move it to its final name (returned); place raises on failure.
    QString commitWith(const std::function<QString(const QString& temp)>& place);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override;

private:
    QString target_;
    QString temp_;
    int fd_ = -1;
    int error_ = 0;   // the first failed write's errno
    bool byName_ = false;
    bool replacing_ = false;
    unsigned mode_ = 0666;
    QByteArray buffer_;

    bool writeOut(const char* data, qint64 len);
    void finish();
    [[noreturn]] void fail(int errnoValue);
    void discard();
};

}  // namespace vb
