#pragma once
// Screen-pixel point and rectangle of the drawing model, with conversions to Qt.
#include "mycad_export.h"
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cstdint>

struct MYCAD_EXPORT TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
    explicit TPoint(const QPoint& p) : X(p.x()), Y(p.y()) {}
    QPoint toQPoint() const { return QPoint(X, Y); }
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive: the rectangle (0, 0, 2, 2) covers four pixels.
struct MYCAD_EXPORT TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}
    // From a Qt rectangle (whose right() and bottom() are inclusive).
    explicit TRect(const QRect& r) : Left(r.left()), Top(r.top()), Right(r.left() + r.width()), Bottom(r.top() + r.height()) {}
    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    // A side longer than an int holds (from ends near both limits) is cut to the longest.
    QRect toQRect() const
    {
        const auto side = [](int32_t from, int32_t to) {
            return int(std::clamp<int64_t>(int64_t(to) - from, INT32_MIN, INT32_MAX));
        };
        return QRect(Left, Top, side(Left, Right), side(Top, Bottom));
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return TRect(l, t, r, b); }
inline TPoint Point(int32_t x, int32_t y) { return TPoint(x, y); }
