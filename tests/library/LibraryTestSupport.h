#pragma once
// Helpers of the shape-library tests: libraries written by hand in the bytes of every
// generation, small shapes, and shortcuts for reading entries back.
#include "files/FilesTestSupport.h"
#include "component/CAD.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// One shape of the class, owned by the drawing but not added to it, with the points given
// (document units).
std::unique_ptr<TMyShape> MakeShape(TMyCAD& cad, const QString& className, const TArrMyPoint& points);
// A rectangle from (x1, y1) to (x2, y2), document units.
std::unique_ptr<TMyShape> MakeRect(TMyCAD& cad, float x1, float y1, float x2, float y2);
// A link-point shape: the square of its size centred on (x, y).
std::unique_ptr<TMyShape> MakeLinkPoint(TMyCAD& cad, float x, float y);
TArrMyShape Pointers(const std::vector<std::unique_ptr<TMyShape>>& shapes);

// The record generation of a library tag's entries ("ZEDALIBX.3" has XP.4 records).
TFileGeneration RecordGenerationOf(const QByteArray& libTag);
// An entry written by hand field by field: name, size, W, H, a user-data block when the
// generation has one, and shapes: a rectangle, a rule line, a connector, an arc, a text,
// an image, a junction and a link point, each record in the generation's layout with
// coordinates in the unit box.
QByteArray HandMadeEntry(const QByteArray& libTag, const QByteArray& name, int32_t w, int32_t h);
// A library of that tag holding the hand-made entries "first", "second" and "first"
// (a second entry of the same name, with another size).
QByteArray HandMadeLibrary(const QByteArray& libTag);
// The tags of the generations with a known entry layout, oldest first.
QList<QByteArray> ReadableTags();

// Little-endian values at a byte offset.
int32_t I32At(const QByteArray& bytes, qsizetype at);
float F32At(const QByteArray& bytes, qsizetype at);

// A library in memory.
void LoadLibrary(TLibManager& lib, const QByteArray& bytes);
// Every entry read back (by position, links as points), described shape by shape, with
// its size, link points and user data.
QString DescribeLibrary(TLibManager& lib);
// The libraries the tests write as seeds of the library fuzz target: every generation by
// hand, and current libraries written by the manager.
std::vector<std::pair<QString, QByteArray>> LibrarySeeds();
