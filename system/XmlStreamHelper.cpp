#include "XmlStreamHelper.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

XmlStreamHelper::XmlStreamHelper() = default;

XmlStreamHelper::~XmlStreamHelper()
{
    close();
}

bool XmlStreamHelper::openRead(const QString& path)
{
    close();
    auto file = std::make_unique<QFile>(path);
    const bool opened = file->open(QIODevice::ReadOnly | QIODevice::Text);
    file_ = std::move(file);
    if (!opened) {
        std::fprintf(stderr, "Error: Cannot read file %s: %s\n", path.toLocal8Bit().constData(),
                     file_->errorString().toLocal8Bit().constData());
        std::fflush(stderr);
        reader_.clear();
        return false;
    }
    reader_.setDevice(file_.get());
    return true;
}

bool XmlStreamHelper::openWrite(const QString& path)
{
    close();
    auto file = std::make_unique<QSaveFile>(path);
    const bool opened = file->open(QIODevice::WriteOnly);
    file_ = std::move(file);
    writing_ = true;
    // A file that could not be opened gets no writer: the document goes
    // nowhere and close() reports it.
    if (!opened)
        return false;
    writer_ = std::make_unique<QXmlStreamWriter>(file_.get());
    writer_->setAutoFormatting(autoFormatting_);
    writer_->setAutoFormattingIndent(4);
    return true;
}

void XmlStreamHelper::beginDocument(const QString& rootName)
{
    autoFormatting_ = true;
    if (!writer_)
        return;
    writer_->setAutoFormatting(true);
    writer_->writeStartDocument(QStringLiteral("1.0"));
    writer_->writeStartElement(rootName);
}

void XmlStreamHelper::writeStartElement(const QString& name)
{
    if (writer_)
        writer_->writeStartElement(name);
}

void XmlStreamHelper::writeTextElement(const QString& name, const QString& text)
{
    if (!writer_)
        return;
    // Never the self-closing form, also for an empty text: stored files and
    // other tools expect a start and an end tag.
    writer_->writeStartElement(name);
    writer_->writeCharacters(text);
    writer_->writeEndElement();
}

void XmlStreamHelper::writeEndElement()
{
    if (writer_)
        writer_->writeEndElement();
}

bool XmlStreamHelper::endDocument()
{
    if (writer_)
        writer_->writeEndDocument();
    return close();
}

bool XmlStreamHelper::close()
{
    bool ok = true;
    if (file_) {
        if (writing_) {
            auto* save = static_cast<QSaveFile*>(file_.get());
            if (!save->isOpen() || (writer_ && writer_->hasError())) {
                save->cancelWriting();
                ok = false;
            }
            if (save->isOpen())
                ok = save->commit() && ok;
        } else {
            reader_.clear();
            file_->close();
        }
    }
    writer_.reset();
    writing_ = false;
    file_.reset();
    return ok;
}

bool XmlStreamHelper::scanTo(const QString& name)
{
    while (!reader_.atEnd()) {
        if (reader_.isStartElement() && reader_.name() == name)
            return true;
        reader_.readNext();
    }
    return false;
}

bool XmlStreamHelper::readText(QString& text)
{
    // An element holding a child stops the reader with an error there; the
    // text read up to the child is kept.
    text = reader_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    return true;
}

bool XmlStreamHelper::findElement(const QString& name)
{
    return scanTo(name);
}

bool XmlStreamHelper::findElementText(const QString& name, QString& text)
{
    if (!scanTo(name))
        return false;
    return readText(text);
}

bool XmlStreamHelper::findChildElementText(const QString& parent, const QString& child,
                                           QString& text)
{
    if (!scanTo(parent))
        return false;
    reader_.readNext();
    if (!scanTo(child))
        return false;
    return readText(text);
}

bool XmlStreamHelper::rootIs(const QString& name)
{
    while (!reader_.atEnd() && !reader_.isStartElement())
        reader_.readNext();
    return reader_.isStartElement() && reader_.name() == name;
}

bool XmlStreamHelper::readToEndWellFormed()
{
    if (!reader_.device())
        return false;
    while (!reader_.atEnd())
        reader_.readNext();
    return !reader_.hasError();
}
