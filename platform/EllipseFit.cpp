#include "EllipseFit.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

QPointF Cubic(const QPointF& p0, const QPointF& c1, const QPointF& c2, const QPointF& p3, double t)
{
    const double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * p3;
}

bool Near(const QPointF& a, const QPointF& b, double tolerance)
{
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

// Least squares for A u^2 + B v^2 + C u + D v = 1 over the samples (shifted to their mean
// and scaled for conditioning); false when the system is singular or not an ellipse.
bool FitAxisEllipse(const std::vector<QPointF>& samples, QPointF& centre, double& rx, double& ry)
{
    QPointF mean;
    for (const QPointF& p : samples)
        mean += p;
    mean /= double(samples.size());
    double spread = 0;
    for (const QPointF& p : samples)
        spread = std::max({spread, std::abs(p.x() - mean.x()), std::abs(p.y() - mean.y())});
    if (spread <= 1e-9)
        return false;
    std::array<std::array<double, 5>, 4> m{};
    for (const QPointF& p : samples) {
        const double u = (p.x() - mean.x()) / spread, v = (p.y() - mean.y()) / spread;
        const std::array<double, 4> row = {u * u, v * v, u, v};
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j)
                m[i][j] += row[i] * row[j];
            m[i][4] += row[i];
        }
    }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::abs(m[r][c]) > std::abs(m[pivot][c]))
                pivot = r;
        if (std::abs(m[pivot][c]) < 1e-12)
            return false;
        std::swap(m[c], m[pivot]);
        for (int r = 0; r < 4; ++r) {
            if (r == c)
                continue;
            const double f = m[r][c] / m[c][c];
            for (int k = c; k < 5; ++k)
                m[r][k] -= f * m[c][k];
        }
    }
    const double A = m[0][4] / m[0][0], B = m[1][4] / m[1][1], C = m[2][4] / m[2][2], D = m[3][4] / m[3][3];
    if (!(A > 0) || !(B > 0))
        return false;
    const double cu = -C / (2 * A), cv = -D / (2 * B);
    const double K = 1 + A * cu * cu + B * cv * cv;
    if (!(K > 0))
        return false;
    rx = std::sqrt(K / A) * spread;
    ry = std::sqrt(K / B) * spread;
    centre = QPointF(mean.x() + cu * spread, mean.y() + cv * spread);
    return std::isfinite(rx) && std::isfinite(ry) && std::isfinite(centre.x()) && std::isfinite(centre.y());
}

// The angle of a point in the ellipse's own parameter, counter-clockwise on screen.
double ParameterAngle(const QPointF& p, const QPointF& c, double rx, double ry)
{
    return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx);
}

} // namespace

TFittedEllipse FitEllipseFigure(const QPainterPath& path)
{
    TFittedEllipse none;
    const int n = path.elementCount();
    if (n < 4 || !path.elementAt(0).isMoveTo())
        return none;
    int i = 1;
    // A line of no length before the curves (an arc starting where the path was moved to).
    if (path.elementAt(1).isLineTo() && Near(path.elementAt(1), path.elementAt(0), 1e-9))
        i = 2;
    QPointF pieCentre;
    bool pie = false;
    if (i == 1 && path.elementAt(1).isLineTo() && n > 2 && path.elementAt(2).type == QPainterPath::CurveToElement) {
        pie = true;
        pieCentre = path.elementAt(0);
        i = 2;
    }
    const QPointF start = path.elementAt(i - 1);
    // The curves: their end points and middles (on the ellipse for the usual cubic
    // approximation) to fit, the quarters to check the fit against.
    std::vector<QPointF> samples{start};
    std::vector<QPointF> checks;
    std::vector<QPointF> onCurve{start};
    QPointF last = start;
    while (i + 2 < n && path.elementAt(i).type == QPainterPath::CurveToElement
           && path.elementAt(i + 1).type == QPainterPath::CurveToDataElement
           && path.elementAt(i + 2).type == QPainterPath::CurveToDataElement) {
        const QPointF c1 = path.elementAt(i), c2 = path.elementAt(i + 1), p3 = path.elementAt(i + 2);
        samples.push_back(Cubic(last, c1, c2, p3, 0.5));
        samples.push_back(p3);
        checks.push_back(Cubic(last, c1, c2, p3, 0.25));
        checks.push_back(Cubic(last, c1, c2, p3, 0.75));
        onCurve.push_back(p3);
        last = p3;
        i += 3;
    }
    if (onCurve.size() < 2)
        return none;
    // What may follow: one line back to the centre (pie) or to the start (chord).
    bool closedByLine = false;
    QPointF lineEnd;
    if (i < n) {
        if (i + 1 != n || !path.elementAt(i).isLineTo())
            return none;
        closedByLine = true;
        lineEnd = path.elementAt(i);
    }
    // Short arcs give too few exact points: the quarters join the fit.
    std::vector<QPointF> fitted = samples;
    if (fitted.size() < 6)
        fitted.insert(fitted.end(), checks.begin(), checks.end());
    QPointF centre;
    double rx = 0, ry = 0;
    if (!FitAxisEllipse(fitted, centre, rx, ry))
        return none;
    const double tolerance = 1e-3 + 0.05 / std::min(rx, ry);
    std::vector<QPointF> all = samples;
    all.insert(all.end(), checks.begin(), checks.end());
    for (const QPointF& p : all) {
        const double dx = (p.x() - centre.x()) / rx, dy = (p.y() - centre.y()) / ry;
        if (std::abs(std::sqrt(dx * dx + dy * dy) - 1) > tolerance)
            return none;
    }
    double sweep = 0;
    for (size_t k = 1; k < samples.size(); ++k) {
        double d = ParameterAngle(samples[k], centre, rx, ry) - ParameterAngle(samples[k - 1], centre, rx, ry);
        while (d > std::numbers::pi)
            d -= 2 * std::numbers::pi;
        while (d <= -std::numbers::pi)
            d += 2 * std::numbers::pi;
        sweep += d;
    }
    const double pointTolerance = std::max(0.01, tolerance * std::max(rx, ry));
    TFittedEllipse fit;
    fit.Centre = centre;
    fit.RadiusX = rx;
    fit.RadiusY = ry;
    fit.Start = sweep >= 0 ? start : last;
    fit.End = sweep >= 0 ? last : start;
    const bool full = std::abs(sweep) > 2 * std::numbers::pi - 1e-3;
    if (pie) {
        if (!closedByLine || !Near(lineEnd, pieCentre, pointTolerance) || !Near(pieCentre, centre, pointTolerance)
            || full)
            return none;
        fit.Kind = TFittedEllipse::TKind::Pie;
    } else if (full) {
        if (!Near(last, start, pointTolerance) || (closedByLine && !Near(lineEnd, start, pointTolerance)))
            return none;
        fit.Kind = TFittedEllipse::TKind::Ellipse;
        // A whole ellipse of Qt's runs through its four extremes: its box is theirs.
        double l = start.x(), r = l, t = start.y(), b = t;
        for (const QPointF& p : onCurve) {
            l = std::min(l, p.x());
            r = std::max(r, p.x());
            t = std::min(t, p.y());
            b = std::max(b, p.y());
        }
        if (onCurve.size() >= 5 && std::abs((r - l) / 2 - rx) <= pointTolerance
            && std::abs((b - t) / 2 - ry) <= pointTolerance) {
            fit.Centre = QPointF((l + r) / 2, (t + b) / 2);
            fit.RadiusX = (r - l) / 2;
            fit.RadiusY = (b - t) / 2;
        }
    } else if (closedByLine) {
        if (!Near(lineEnd, start, pointTolerance))
            return none;
        fit.Kind = TFittedEllipse::TKind::Chord;
    } else {
        fit.Kind = TFittedEllipse::TKind::Arc;
    }
    if (std::abs(sweep) < 1e-6)
        return none;
    return fit;
}
