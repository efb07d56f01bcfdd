#include "platform/office/OdtWriter.h"

#include "platform/core/VbError.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/fs/FileSystem.h"

#include <cerrno>
#include <zip.h>

namespace office {

namespace {

const char kNamespaces[] =
    R"( xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0")"
    R"( xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0")"
    R"( xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0")"
    R"( xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0")"
    R"( xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0")"
    R"( xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0")"
    R"( office:version="1.2")";

const char kMime[] = "application/vnd.oasis.opendocument.text";

QByteArray manifest() {
    return QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>)"
                      "\n"
                      R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">)"
                      R"(<manifest:file-entry manifest:full-path="/" manifest:version="1.2" manifest:media-type=")") +
           kMime +
           R"("/><manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>)"
           R"(<manifest:file-entry manifest:full-path="styles.xml" manifest:media-type="text/xml"/>)"
           R"(</manifest:manifest>)";
}

[[noreturn]] void zipFailed(const QString& what, zip_t* z) {
    const QString why = z ? QString::fromUtf8(zip_strerror(z)) : QString();
    vb::raise(vb::err::PathFileAccess, what + (why.isEmpty() ? QString() : QStringLiteral(": ") + why));
}

void addBuffer(zip_t* z, const char* name, const QByteArray& data, bool store) {
    // libzip reads the buffer when the archive is closed; the data stays alive until then because
    // the caller keeps it, so no copy is made.
    zip_source_t* src = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
    if (!src) zipFailed(QStringLiteral("The document cannot be written"), z);
    const zip_int64_t index = zip_file_add(z, name, src, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(src);
        zipFailed(QStringLiteral("The document cannot be written"), z);
    }
    if (store) zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0);
}

}  // namespace

void writeText(QXmlStreamWriter& w, const QString& text) {
    QString run;
    int spaces = 0;   // spaces after the first of a run, still to write
    bool atStart = true;
    auto flushSpaces = [&] {
        if (spaces == 0) return;
        w.writeEmptyElement(QStringLiteral("text:s"));
        if (spaces > 1) w.writeAttribute(QStringLiteral("text:c"), QString::number(spaces));
        spaces = 0;
    };
    auto flushRun = [&] {
        if (!run.isEmpty()) w.writeCharacters(run);
        run.clear();
    };
    QChar prev;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u == ' ') {
            // The first space of a run is text, unless it starts the paragraph or a line.
            if (!atStart && prev != u' ') {
                run += c;
            } else {
                flushRun();
                ++spaces;
            }
        } else if (u == '\t' || u == '\n') {
            flushRun();
            flushSpaces();
            w.writeEmptyElement(u == '\t' ? QStringLiteral("text:tab") : QStringLiteral("text:line-break"));
            atStart = u == '\n';
            prev = c;
            continue;
        } else if ((u < 0x20) || u == 0xFFFE || u == 0xFFFF) {
            continue;
        } else {
            flushSpaces();
            run += c;
        }
        atStart = false;
        prev = c;
    }
    flushRun();
    flushSpaces();
}

OdtWriter::OdtWriter(const QByteArray& automaticStyles, const QByteArray& styles, const QByteArray& pageLayout)
    : styles_(styles), pageLayout_(pageLayout) {
    if (!content_.open()) vb::raise(vb::err::PathFileAccess, QStringLiteral("No temporary file can be made."));
    content_.write(QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>)") + "\n<office:document-content" + kNamespaces +
                   "><office:automatic-styles>" + automaticStyles +
                   "</office:automatic-styles><office:body><office:text>");
    xml_.setDevice(&content_);
}

OdtWriter::~OdtWriter() = default;

bool OdtWriter::finishContent() {
    if (finished_) return true;
    finished_ = true;
    content_.write("</office:text></office:body></office:document-content>");
    return content_.flush() && content_.error() == QFileDevice::NoError;
}

void OdtWriter::writeTo(vb::ReplacingFile& file) {
    errno = 0;
    if (!finishContent()) file.failWrite(errno, content_.errorString());
    const QByteArray stylesXml = QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>)") + "\n<office:document-styles" +
                                 kNamespaces + "><office:styles>" + styles_ +
                                 R"(</office:styles><office:automatic-styles><style:page-layout style:name="Page">)"
                                 "<style:page-layout-properties " +
                                 pageLayout_ +
                                 R"(/></style:page-layout></office:automatic-styles><office:master-styles>)"
                                 R"(<style:master-page style:name="Standard" style:page-layout-name="Page"/>)"
                                 R"(</office:master-styles></office:document-styles>)";
    const QByteArray manifestXml = manifest();
    const QByteArray mime(kMime);

    const QByteArray name = QFile::encodeName(file.libraryPath());
    int err = 0;
    zip_t* z = zip_open(name.constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z) file.failWrite(err == ZIP_ER_OPEN ? errno : 0, QStringLiteral("the document cannot be made"));
    try {
        addBuffer(z, "mimetype", mime, true);
        addBuffer(z, "META-INF/manifest.xml", manifestXml, false);
        addBuffer(z, "styles.xml", stylesXml, false);
        zip_source_t* src = zip_source_file(z, QFile::encodeName(content_.fileName()).constData(), 0, -1);
        if (!src || zip_file_add(z, "content.xml", src, ZIP_FL_ENC_UTF_8) < 0) {
            if (src) zip_source_free(src);
            zipFailed(QStringLiteral("The document cannot be written"), z);
        }
    } catch (...) {
        zip_discard(z);
        throw;   // the file removes its temporary file
    }
    if (zip_close(z) != 0) {
        zip_error_t* ze = zip_get_error(z);
        const int sys = zip_error_system_type(ze) == ZIP_ET_SYS ? zip_error_code_system(ze) : 0;
        const QString why = QString::fromUtf8(zip_strerror(z));
        zip_discard(z);
        file.failWrite(sys, why);
    }
}

void OdtWriter::save(const QString& target) {
    vb::ReplacingFile file(target);
    writeTo(file);
    file.commit();
}

}  // namespace office
