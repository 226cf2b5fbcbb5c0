#pragma once
// Edits and queries of point arrays by index. Indices are 32-bit signed integers; an
// index is valid from 0 to the last index. Functions that take an invalid index
// change nothing and report it.
#include "mycad_export.h"
#include "component/base/MyTypes.h"

#include <cstdint>

// Appends P; false (array unchanged) when the array cannot grow.
MYCAD_EXPORT bool AppendAPoint(const TMyPoint& P, TArrMyPoint& Points);
// Inserts P before the element at I, which moves one place up with all later ones.
// False, array unchanged, when I is not a valid index (inserting after the last
// element is not possible) or the array cannot grow.
MYCAD_EXPORT bool InsertAPointBeforeId(const TMyPoint& P, int32_t I, TArrMyPoint& Points);
// The same for integer points.
MYCAD_EXPORT bool InsertAPointBeforeId1(const TPoint& P, int32_t I, TArrPoint& Points);
// Removes the element at I; nothing when I is not a valid index.
MYCAD_EXPORT void RemovePoint(int32_t I, TArrMyPoint& Points);
// True when I is a valid index of the array.
MYCAD_EXPORT bool IsExistPt(int32_t I, const TArrMyPoint& Points);
MYCAD_EXPORT bool IsExistPt1(int32_t I, const TArrPoint& Points);
// Smallest X, smallest Y, largest X, largest Y of the points; all zeros when empty.
MYCAD_EXPORT TMyRect GetPointsLTRB(const TArrMyPoint& Points);
