#pragma once
// An OpenDocument text file written as the word processors read it: the package (libzip) holds
// "mimetype" first and uncompressed, the manifest, styles.xml and content.xml. The body of
// content.xml is streamed to a temporary file as it is written, so a long document does not grow
// the program's memory. save() writes the package under a temporary name beside the target and
// renames it into place only when complete.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryFile>
#include <QXmlStreamWriter>
#include <memory>

namespace vb {
class ReplacingFile;
}

namespace office {

class OdtWriter {
public:
    // automaticStyles: the <style:...> elements of content.xml's automatic styles; styles: the
    // same for styles.xml's common styles; pageLayout: the attributes of the page layout's
    // <style:page-layout-properties> (sizes and margins).
    OdtWriter(const QByteArray& automaticStyles, const QByteArray& styles, const QByteArray& pageLayout);
    ~OdtWriter();
    OdtWriter(const OdtWriter&) = delete;
    OdtWriter& operator=(const OdtWriter&) = delete;

    // Writes elements of the document body (inside <office:text>), with their prefixes
    // ("text:p", "table:table", ...).
    QXmlStreamWriter& body() { return xml_; }

    // Writes the package to target; an existing file there is replaced only once the new one is
    // complete. Errors raise VbError (75, or 61 when the disk is full).
    void save(const QString& target);
    // Writes the package into file (which the caller commits or places).
    void writeTo(vb::ReplacingFile& file);

private:
    QTemporaryFile content_;
    QXmlStreamWriter xml_;
    QByteArray styles_, pageLayout_;
    bool finished_ = false;
    bool finishContent();   // false when the body could not be written
};

// Writes text as the content of a paragraph: runs of spaces, tabs and line breaks as the format's
// own elements (a word processor would otherwise fold them into one space), and the characters
// XML cannot hold left out.
void writeText(QXmlStreamWriter& w, const QString& text);

}  // namespace office
