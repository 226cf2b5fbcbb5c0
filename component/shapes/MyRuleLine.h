#pragma once
// TMyRuleLine: a two-point dimension line. Its label shows the measured length in the
// drawing's unit, or the user's text.
#include "mycad_export.h"
#include "component/shapes/MyLine.h"

#include <QString>

class MYCAD_EXPORT TMyRuleLine : public TMyLine {
    Q_OBJECT
    Q_PROPERTY(bool ShowUserInfo READ ShowUserInfo WRITE SetShowUserInfo)
    Q_PROPERTY(MyCADEnums::TTickStyle TickStyle READ TickStyle WRITE SetTickStyle)
    Q_PROPERTY(QString UserInfo READ UserInfo WRITE SetUserInfo)

public:
    // A line with font size 8, ArrowAngle 10, ArrowLength 20 and double arrows;
    // ArrowOffset stays as taken from the drawing.
    explicit TMyRuleLine(TMyCAD* OwnerCAD);

    // The line's copy and, from another rule line, ShowUserInfo, TickStyle and UserInfo.
    void Assign(const TMyShape* Source) override;
    // The segment, arrow heads, end ticks and the upright label centred above the segment
    // (the measured length, refreshed into Info, or UserInfo). No caption.
    void Draw(TCanvas* Canvas) override;
    // The angle of the label for a segment of the given slope angle ([0, 2 pi), clockwise
    // on screen): half a turn more when the slope lies strictly between pi/2 and 3 pi/2,
    // so that the label never reads upside down.
    static double LabelAngle(double Slope);

    // ---- Published properties (the setters only store) ------------------------------
    // True: the label shows UserInfo; false: the measured length.
    bool ShowUserInfo() const { return FShowUserInfo; }
    void SetShowUserInfo(bool v) { FShowUserInfo = v; }
    // Whether the end ticks are drawn.
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle v) { FTickStyle = v; }
    QString UserInfo() const { return FUserInfo; }
    void SetUserInfo(const QString& v) { FUserInfo = v; }

private:
    bool FShowUserInfo = false;
    TTickStyle FTickStyle = tsLine;
    QString FUserInfo;
};
