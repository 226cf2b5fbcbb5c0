#pragma once
// TSvgStream: an SVG picture written in parts, each part painted on a QSvgGenerator of
// its own, so that a picture of any number of figures is written with the memory of one
// part. QSvgGenerator keeps what it is given until its painter ends; here each part ends
// and is written out before the next begins: the first part's header (the svg element
// with the picture's size, title and definitions) opens the file, every part adds its
// groups, and Finish() closes the svg element.
#include "mycad_export.h"

#include <QBuffer>
#include <QIODevice>
#include <QPainter>
#include <QSize>
#include <QString>
#include <memory>

class QSvgGenerator;

class MYCAD_EXPORT TSvgStream {
public:
    // A picture of size pixels at the screen's logical resolution.
    TSvgStream(QIODevice& out, QSize size, const QString& title);
    ~TSvgStream();
    TSvgStream(const TSvgStream&) = delete;
    TSvgStream& operator=(const TSvgStream&) = delete;

    // Ends the part being painted (writing it out) and starts the next: the painter
    // returned draws on it until the next call or Finish(). Null after a failure.
    QPainter* NextPart();
    // Writes the last part and closes the picture; false when any write failed.
    bool Finish();

private:
    bool EndPart();

    QIODevice& FOut;
    QSize FSize;
    QString FTitle;
    QBuffer FPartData;
    std::unique_ptr<QSvgGenerator> FGenerator;
    std::unique_ptr<QPainter> FPainter;
    bool FHeaderWritten = false;
    bool FOk = true;
    bool FFinished = false;
};
