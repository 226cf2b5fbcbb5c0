#pragma once
// Document-coordinate point and rectangle, the dynamic arrays and records shared by the
// drawing, its shapes and its files.
//
// TPoint and TRect (32-bit integer screen pixels) come from platform/Types.h.
// TUserDataRecord and TArrUserDataRecord (key/value strings) are declared with the
// user-data store in UserData.h.
#include "mycad_export.h"
#include "component/base/Enums.h"
#include "platform/Types.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

class TMyShape;

// A point in document units (or, where a function says so, screen pixels held as floats).
struct MYCAD_EXPORT TMyPoint {
    float X = 0;
    float Y = 0;
    constexpr TMyPoint() = default;
    constexpr TMyPoint(float x, float y) : X(x), Y(y) {}
    // Qt's double coordinates are narrowed to 32-bit floats.
    explicit TMyPoint(const QPointF& p) : X(float(p.x())), Y(float(p.y())) {}
    QPointF toQPointF() const { return QPointF(X, Y); }
    friend constexpr bool operator==(const TMyPoint&, const TMyPoint&) = default;
};

// An axis-parallel rectangle of floats. Nothing here normalises it: Left may exceed Right.
struct MYCAD_EXPORT TMyRect {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
    constexpr TMyRect() = default;
    constexpr TMyRect(float l, float t, float r, float b) : Left(l), Top(t), Right(r), Bottom(b) {}
    // From a Qt rectangle: Right = x + width, Bottom = y + height.
    explicit TMyRect(const QRectF& r)
        : Left(float(r.left())), Top(float(r.top())), Right(float(r.right())), Bottom(float(r.bottom()))
    {
    }
    constexpr float Width() const { return Right - Left; }
    constexpr float Height() const { return Bottom - Top; }
    QRectF toQRectF() const { return QRectF(QPointF(Left, Top), QPointF(Right, Bottom)); }
    friend constexpr bool operator==(const TMyRect&, const TMyRect&) = default;
};

static_assert(sizeof(TMyPoint) == 8 && sizeof(TMyRect) == 16);

inline QPointF ToQPointF(const TMyPoint& P) { return P.toQPointF(); }
inline TMyPoint ToMyPoint(const QPointF& P) { return TMyPoint(P); }
inline QRectF ToQRectF(const TMyRect& R) { return R.toQRectF(); }
inline TMyRect ToMyRect(const QRectF& R) { return TMyRect(R); }

using TArrMyPoint = std::vector<TMyPoint>; // points and link points of a shape
using TArrPoint = std::vector<TPoint>;     // screen polygons for the canvas
using TArrByte = std::vector<uint8_t>;     // byte buffers
using TMyShapeNo = std::vector<uint32_t>;  // lists of shape numbers
using TArrMyShape = std::vector<TMyShape*>; // shape lists; the drawing owns the shapes

// One move of a connector route: its direction, then the point where it ends
// (screen pixels).
struct MYCAD_EXPORT TDirAndPoint {
    Tdirections Dir = Tdirections::dNone;
    TMyPoint Point;
    friend constexpr bool operator==(const TDirAndPoint&, const TDirAndPoint&) = default;
};
using TArrDirAndPoints = std::vector<TDirAndPoint>;

// One layer of a drawing.
struct MYCAD_EXPORT LayerRec {
    QString Name;
    int32_t Id = 0;
    bool Visible = false;
    friend bool operator==(const LayerRec&, const LayerRec&) = default;
};
using TArrLayerRec = std::vector<LayerRec>;
