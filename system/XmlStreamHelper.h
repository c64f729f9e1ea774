// Reads and writes the program's XML files (project files, the settings file):
// an XML stream reader and writer paired with the one file they work on, and
// a forward-only search of elements by name.
#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <memory>

class QFile;

class XmlStreamHelper {
public:
    XmlStreamHelper();
    ~XmlStreamHelper();
    XmlStreamHelper(const XmlStreamHelper&) = delete;
    XmlStreamHelper& operator=(const XmlStreamHelper&) = delete;

    // False, with a line on the error stream, when the file cannot be read.
    bool openRead(const QString& path);
    // Always true: a file that cannot be created receives nothing.
    bool openWrite(const QString& path);
    void beginDocument(const QString& rootName);
    void writeStartElement(const QString& name);
    void writeTextElement(const QString& name, const QString& text);
    void writeEndElement();
    void endDocument();
    void close();

    // Moves forward to the next start element of that name, at any depth, and
    // stores its text; false (text unchanged) at the end of the input.
    bool findElementText(const QString& name, QString& text);

private:
    bool scanTo(const QString& name);

    QXmlStreamReader reader_;
    QXmlStreamWriter writer_;
    std::unique_ptr<QFile> file_;
};
