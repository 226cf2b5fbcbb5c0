#include "component/base/PointArrays.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

// Arrays are indexed by 32-bit integers, so they hold at most INT32_MAX elements.
template <typename Vec>
bool CanGrow(const Vec& v)
{
    return v.size() < size_t(std::numeric_limits<int32_t>::max());
}

template <typename Vec>
bool ValidIndex(int32_t I, const Vec& v)
{
    return I >= 0 && size_t(I) < v.size();
}

template <typename Vec, typename Pt>
bool InsertBefore(const Pt& P, int32_t I, Vec& v)
{
    if (!ValidIndex(I, v) || !CanGrow(v))
        return false;
    try {
        v.insert(v.begin() + I, P);
    } catch (const std::bad_alloc&) {
        return false; // vector::insert of a trivially copyable type leaves v unchanged
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

} // namespace

bool AppendAPoint(const TMyPoint& P, TArrMyPoint& Points)
{
    if (!CanGrow(Points))
        return false;
    try {
        Points.push_back(P);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

bool InsertAPointBeforeId(const TMyPoint& P, int32_t I, TArrMyPoint& Points)
{
    return InsertBefore(P, I, Points);
}

bool InsertAPointBeforeId1(const TPoint& P, int32_t I, TArrPoint& Points)
{
    return InsertBefore(P, I, Points);
}

void RemovePoint(int32_t I, TArrMyPoint& Points)
{
    if (ValidIndex(I, Points))
        Points.erase(Points.begin() + I);
}

bool IsExistPt(int32_t I, const TArrMyPoint& Points)
{
    return ValidIndex(I, Points);
}

bool IsExistPt1(int32_t I, const TArrPoint& Points)
{
    return ValidIndex(I, Points);
}

TMyRect GetPointsLTRB(const TArrMyPoint& Points)
{
    if (Points.empty())
        return TMyRect();
    TMyRect r(Points[0].X, Points[0].Y, Points[0].X, Points[0].Y);
    for (const TMyPoint& p : Points) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X);
        r.Bottom = std::max(r.Bottom, p.Y);
    }
    return r;
}
