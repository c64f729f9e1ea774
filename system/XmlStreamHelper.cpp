#include "XmlStreamHelper.h"

#include <QFile>
#include <cstdio>

XmlStreamHelper::XmlStreamHelper() = default;

XmlStreamHelper::~XmlStreamHelper()
{
    close();
}

bool XmlStreamHelper::openRead(const QString& path)
{
    close();
    file_ = std::make_unique<QFile>(path);
    if (!file_->open(QIODevice::ReadOnly | QIODevice::Text)) {
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
    file_ = std::make_unique<QFile>(path);
    file_->open(QIODevice::WriteOnly | QIODevice::Truncate);
    writer_.setDevice(file_.get());
    return true;
}

void XmlStreamHelper::beginDocument(const QString& rootName)
{
    writer_.setAutoFormatting(true);
    writer_.setAutoFormattingIndent(4);
    writer_.writeStartDocument(QStringLiteral("1.0"));
    writer_.writeStartElement(rootName);
}

void XmlStreamHelper::writeStartElement(const QString& name)
{
    writer_.writeStartElement(name);
}

void XmlStreamHelper::writeTextElement(const QString& name, const QString& text)
{
    // Never the self-closing form, also for an empty text.
    writer_.writeStartElement(name);
    writer_.writeCharacters(text);
    writer_.writeEndElement();
}

void XmlStreamHelper::writeEndElement()
{
    writer_.writeEndElement();
}

void XmlStreamHelper::endDocument()
{
    writer_.writeEndDocument();
    close();
}

void XmlStreamHelper::close()
{
    if (!file_)
        return;
    writer_.setDevice(nullptr);
    reader_.clear();
    file_->close();
    file_.reset();
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

bool XmlStreamHelper::findElementText(const QString& name, QString& text)
{
    if (!scanTo(name))
        return false;
    text = reader_.readElementText();
    return true;
}
