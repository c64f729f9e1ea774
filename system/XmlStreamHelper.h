// Reads and writes the program's XML files (project files, the settings file):
// an XML stream reader and writer paired with the one file they work on, and
// a forward-only search of elements by name.
//
// Files are written through a temporary file that replaces the old one only
// when the whole document was written: a crash or a full disk in the middle
// of a save leaves the previous project as it was.
#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <memory>

class QFileDevice;

class XmlStreamHelper {
public:
    XmlStreamHelper();
    ~XmlStreamHelper();
    XmlStreamHelper(const XmlStreamHelper&) = delete;
    XmlStreamHelper& operator=(const XmlStreamHelper&) = delete;

    // False, with a line on the error stream, when the file cannot be read.
    bool openRead(const QString& path);
    // False when the file cannot be created; what is written then goes nowhere.
    bool openWrite(const QString& path);
    // Switches auto-formatting on (for this and every later document of the
    // helper) and writes the declaration and the root's start tag.
    void beginDocument(const QString& rootName);
    void writeStartElement(const QString& name);
    void writeTextElement(const QString& name, const QString& text);
    void writeEndElement();
    // Closes every open element, ends with a line feed and closes the file;
    // true when the document reached the disk.
    bool endDocument();
    // Closes the file held; a file being written replaces the old one only
    // now, and only when every write succeeded. True when nothing was being
    // written or the written file is in place.
    bool close();

    // The forward-only search: from the current token on (the current one
    // first), at any depth; false at the end of the input, which every later
    // search then meets too.
    bool findElement(const QString& name);
    // As findElement, then the element's text into text (unchanged when not found).
    bool findElementText(const QString& name, QString& text);
    // Finds parent, then the next element named child after its start tag,
    // wherever it stands.
    bool findChildElementText(const QString& parent, const QString& child, QString& text);

    // The first element of the document is named name (it becomes current;
    // a later search for another name moves on from it).
    bool rootIs(const QString& name);
    // Reads on to the end of the input; true when the whole document was
    // well-formed.
    bool readToEndWellFormed();

private:
    bool scanTo(const QString& name);
    bool readText(QString& text);

    QXmlStreamReader reader_;
    // Each document gets a writer of its own: a writer that failed once
    // keeps its error and would write nothing into the next file.
    std::unique_ptr<QXmlStreamWriter> writer_;
    bool autoFormatting_ = false;
    std::unique_ptr<QFileDevice> file_;
    bool writing_ = false;
};
