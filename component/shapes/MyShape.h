#pragma once
// TMyShape: the common base of every shape kind. It holds the geometry (points and
// link points in document units, rotation centre, caption point, angle), the drawing
// attributes (pen, brush, font, gradient), the texts, the identity and relations the
// drawing keeps, and the virtual operations through which the drawing and the mouse
// drive every kind alike.
#include "mycad_export.h"
#include "component/base/Enums.h"
#include "component/base/MyTypes.h"
#include "component/base/UserData.h"
#include "component/base/Events.h"
#include "component/shapes/ShapeMemory.h"
#include "platform/Bitmap.h"
#include "platform/Brush.h"
#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/Input.h"
#include "platform/Pen.h"
#include "platform/Rounding.h"

#include <QObject>
#include <QStringList>
#include <memory>

class TCanvas;
class TMyCAD;

// The fields that most shapes of a drawing leave as they are made: link points, group
// members, attached connectors, the multi-line info, the gradient and its pattern, the log
// sizes and the tag. A shape keeps them in a block of their own, made when one of them is
// first given a value other than its default, so that plain shapes do without them.
struct TMyShapeExtras {
    // Kept in the shapes' slots: made and freed with them.
    static void* operator new(std::size_t Size) { return ShapeMemory::Allocate(Size); }
    static void operator delete(void* Slot, std::size_t Size) noexcept { ShapeMemory::Free(Slot, Size); }

    TArrMyPoint LinkPoints;
    TMyShapeNo ChildNos;
    TMyShapeNo LinkLineNos;
    QStringList MultiInfo;
    std::unique_ptr<TBitmap> GradientBitmap;
    TColor ColorBegin = clWhite;
    TColor ColorEnd = clBlack;
    TGradientStyle GradientStyle = gsNone;
    int LogHeight = 10;
    int LogWidth = 10;
    int Tag = 0;
    TAlignment MultiInfoAlignment = taLeftJustify;
    bool LogUse = false;
};

class MYCAD_EXPORT TMyShape : public QObject {
    Q_OBJECT
    Q_PROPERTY(float Angle READ Angle WRITE SetAngle)
    Q_PROPERTY(TBrush* Brush READ Brush WRITE SetBrush)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool CaptionShow READ CaptionShow WRITE SetCaptionShow)
    Q_PROPERTY(TColor ColorBegin READ ColorBegin WRITE SetColorBegin)
    Q_PROPERTY(TColor ColorEnd READ ColorEnd WRITE SetColorEnd)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(MyCADEnums::TGradientStyle GradientStyle READ GradientStyle WRITE SetGradientStyle)
    Q_PROPERTY(QString Info READ Info WRITE SetInfo)
    Q_PROPERTY(bool IsFlipHorz READ IsFlipHorz WRITE SetIsFlipHorz)
    Q_PROPERTY(bool IsFlipVert READ IsFlipVert WRITE SetIsFlipVert)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(int LogHeight READ LogHeight WRITE SetLogHeight)
    Q_PROPERTY(int LogWidth READ LogWidth WRITE SetLogWidth)
    Q_PROPERTY(bool LogUse READ LogUse WRITE SetLogUse)
    Q_PROPERTY(QStringList MultiInfo READ MultiInfo WRITE SetMultiInfo)
    Q_PROPERTY(Graphics::TAlignment MultiInfoAlignment READ MultiInfoAlignment WRITE SetMultiInfoAlignment)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(TPen* Pen READ Pen WRITE SetPen)
    Q_PROPERTY(bool ResizeEnable READ ResizeEnable WRITE SetResizeEnable)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(TUserData* UserData READ UserData)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TMyShape(TMyCAD* OwnerCAD);
    ~TMyShape() override;
    TMyShape(const TMyShape&) = delete;
    TMyShape& operator=(const TMyShape&) = delete;
    // Shapes of every kind live in the slots of ShapeMemory (see there).
    static void* operator new(std::size_t Size) { return ShapeMemory::Allocate(Size); }
    static void operator delete(void* Slot, std::size_t Size) noexcept { ShapeMemory::Free(Slot, Size); }

    // The class name used in files and by creation by name ("TMyLine", ...): every kind
    // declares Q_OBJECT, so this is its C++ class name.
    QString ClassName() const;

    // ---- Virtual operations, in their fixed order ------------------------------------
    virtual void DragChangeValue(TPoint From, TPoint To);
    virtual void DragChangeValuedxdy(double dx, double dy);
    virtual void Draging(TCanvas* Canvas, TPoint From, TPoint To);
    virtual void Drawed(TPoint From, TPoint To);
    virtual void DrawHot(TCanvas* Canvas);
    virtual void Drawing(TCanvas* Canvas, TPoint From, TPoint To);
    virtual QString GetLengthByUnit(TPoint P1, TPoint P2);
    virtual TCursor GetMouseCursor(int X, int Y);
    virtual bool IsDrawingFinished(TMouseButton Button, TPoint P);
    virtual void RotateChangeValueByAngle(TMyPoint Centre, float AAngle);
    virtual void Rotating(TCanvas* Canvas, TMyPoint Centre, float AAngle);
    virtual void SizeChangeValue(TMyPoint From, TMyPoint To);
    virtual void Sizing(TCanvas* Canvas, TPoint From, TPoint To);
    virtual void AddPointByMouse(TPoint P);
    virtual void Assign(const TMyShape* Source);
    virtual void AssignWithoutRelation(const TMyShape* Source);
    virtual void Draw(TCanvas* Canvas);
    virtual void FlipHoriz();
    virtual void FlipVert();
    virtual TMyPoint GetCenterPoint() const;
    virtual TMyPoint GetCenterPointInZoom() const;
    virtual QString GetInfo();
    virtual TMyPoint GetPoint(int Index) const;
    virtual int InWhichHot(TPoint P);
    virtual bool IsClickedMe(TCanvas* Canvas, TPoint P);

    // How far, in screen pixels, the shape may draw outside its points besides its pen
    // and caption (arrow heads of lines); painting uses it to skip shapes far from the
    // area it composes.
    virtual double OutsideMargin() const { return 0; }
    // The box, in document units, of a figure that reaches beyond the box of the points
    // (an arc bulging past its three points, an interpolating curve overshooting its
    // points); false when the shape draws within the box of its points (its pen, caption
    // and arrow heads aside). Painting and picking use it to find where the shape shows.
    virtual bool FigureBox(TMyRect& Box) const
    {
        (void)Box;
        return false;
    }
    // Puts the shape's own points in order before a paint pass draws it, in document
    // units (a connector merges its repeated and aligned points); nothing for most shapes.
    virtual void TidyBeforePaint() {}
    // Reads the shape's record (its class's layout, in the generation of the owning
    // drawing's disk file version) into this freshly created shape; false when the data
    // is short or damaged. Writes the record in the newest layout at the stream's position.
    virtual bool LoadFromStream(QIODevice& Stream);
    virtual bool SaveToStream(QIODevice& Stream) const;

    // Asks the processor to fetch, ahead of a pass over many shapes scattered in memory,
    // what the pass reads first: the shape's own fields, then (once they are at hand)
    // its points.
    void PrefetchShape() const
    {
        const char* at = reinterpret_cast<const char*>(this);
        for (size_t k = 0; k < sizeof(TMyShape); k += 64)
            __builtin_prefetch(at + k);
    }
    void PrefetchPoints() const { __builtin_prefetch(FPoints.data()); }

    // ---- Points and link points ------------------------------------------------------
    // Values marked "screen" are divided by the drawing's zoom before they are stored.
    void AddPoint(TMyPoint P);        // screen
    void AddLinkPoint(TMyPoint P);    // screen
    int GetPointsCount() const { return int(FPoints.size()); }
    int GetLinkPointsCount() const { return int(ReadExtras().LinkPoints.size()); }
    TMyPoint GetPointInZoom(int Index) const;
    TPoint GetPointInZoomWithMode(int Index) const;
    void SetPoint(int Index, TMyPoint P);
    void SetPointX(int Index, float X);
    void SetPointY(int Index, float Y);
    void SetPointInZoom(int Index, TMyPoint P);
    void SetPointXInZoom(int Index, float X);
    void SetPointYInZoom(int Index, float Y);
    void PointAddX(int Index, double dx);
    void PointAddY(int Index, double dy);
    void PointAddXY(int Index, double dx, double dy);
    TMyPoint GetLinkPoint(int Index) const;
    TMyPoint GetLinkPointInZoom(int Index) const;
    void SetLinkPoint(int Index, TMyPoint P);
    void SetLinkPointX(int Index, float X);
    void SetLinkPointY(int Index, float Y);
    void LinkPointAddXY(int Index, double dx, double dy);
    const TArrMyPoint& Points() const { return FPoints; }
    const TArrMyPoint& LinkPoints() const { return ReadExtras().LinkPoints; }
    // Writable arrays: taking one counts as a change of the shape's extent (which takes
    // in the link marks).
    TArrMyPoint& PointsRef()
    {
        ExtentChanged();
        return FPoints;
    }
    TArrMyPoint& LinkPointsRef()
    {
        ExtentChanged();
        return Extras().LinkPoints;
    }
    void ClearLinkPoints()
    {
        if (FExtras && !FExtras->LinkPoints.empty()) {
            FExtras->LinkPoints.clear();
            ExtentChanged();
        }
    }

    // ---- Geometry queries (document units) ---------------------------------------
    TMyPoint GetLeftTop() const;
    TMyPoint GetRightTop() const;
    TMyPoint GetLeftBottom() const;
    TMyPoint GetRightBottom() const;
    float GetWidth() const;
    float GetHeight() const;
    float GetMyWidth() const;
    float GetMyHeight() const;
    // GetMyWidth and GetMyHeight from one turn of the points.
    void GetMyWidthHeight(float& Width, float& Height) const;
    TMyPoint ComputeCenterPoint(int Kind) const;
    TMyPoint ZoomedValuePt(TMyPoint P) const;
    float GetRotatedAngle(TMyPoint A, TMyPoint B, TMyPoint Centre, bool Snap) const;
    TMyPoint GetMagicPoint(TMyShape* Shape, TMyPoint P) const;
    int GetShapeId() const { return FShapeId; }
    bool HasParentShape() const { return FParentNo >= 0; }
    bool HasChildShapes() const { return !ReadExtras().ChildNos.empty(); }
    bool HasLinkShapes() const { return !ReadExtras().LinkLineNos.empty(); }

    // ---- Transforms --------------------------------------------------------------
    void SizeChangeValueByScale(double sx, double sy, TMyPoint Fixed, TMyPoint Centre, TMyPoint Reference);

    // ---- Drawing -------------------------------------------------------------------
    void DrawInfo(TCanvas* Canvas);
    void PowerDrawShape(TCanvas* Canvas, const TArrPoint& Points, int FillCount, bool Fill);
    void SetPS(TCanvas* Canvas, TPenStyle Style, TColor Color, int Width);
    void DrawGradient();
    void DrawHotLinkSquare(TCanvas* Canvas, TMyPoint P);
    void MyLogTextOut(TCanvas* Canvas, int X, int Y, const QString& Text, const TFont* AFont, double Scale,
                      double AAngle);
    TSize GetTextWidthHeight(TCanvas* Canvas, const QString& Text, const TFont* AFont, double Scale,
                              double AAngle);

    // ---- Hit tests (screen pixels) ---------------------------------------------------
    bool InTextPointHot(TPoint P) const;
    int InWhichLinkHot(TMyPoint P);
    int InWhichPointHot(TMyPoint P);

    // ---- Identity, relations and owner ------------------------------------------
    TMyCAD* OwnerCAD() const { return FOwnerCAD; }
    void SetOwner(TMyCAD* Owner) { FOwnerCAD = Owner; }
    void SetShapeId(int Id);
    int ShapeNo() const { return FShapeNo; }
    void SetShapeNo(int No) { FShapeNo = No; }
    int LayerId() const { return FLayerId; }
    void SetLayerId(int Id) { FLayerId = Id; }
    int ParentNo() const { return FParentNo; }
    void SetParentNo(int No);
    // The writable lists make the block of rarely set fields: read through a const shape.
    TMyShapeNo& ChildNos() { return Extras().ChildNos; }
    const TMyShapeNo& ChildNos() const { return ReadExtras().ChildNos; }
    TMyShapeNo& LinkLineNos() { return Extras().LinkLineNos; }
    const TMyShapeNo& LinkLineNos() const { return ReadExtras().LinkLineNos; }
    TMyPoint CenterPoint() const { return FCenterPoint; }
    void SetCenterPoint(TMyPoint P) { FCenterPoint = P; }
    TMyPoint CaptionPoint() const { return FCaptionPoint; }
    void SetCaptionPoint(TMyPoint P)
    {
        FCaptionPoint = P;
        ExtentChanged();
    }
    int CurrentHot() const { return FCurrentHot; }
    void SetCurrentHot(int Hot) { FCurrentHot = Hot; }
    // The gradient pattern (made when first asked for: most shapes never have one).
    TBitmap* GradientBitmap() const;
    bool HasGradientBitmap() const
    {
        const TBitmap* pattern = ReadExtras().GradientBitmap.get();
        return pattern && !pattern->Empty();
    }
    double Zoom() const;

    // ---- Published properties ------------------------------------------------------
    float Angle() const { return FAngle; }
    void SetAngle(float a);
    TBrush* Brush() const { return &FBrush; }
    void SetBrush(const TBrush* v);
    // Most captions are the shape's name, whose text they share without a string of
    // their own.
    QString Caption() const { return FCaptionIsName ? FName : (FOwnCaption ? *FOwnCaption : QString()); }
    void SetCaption(const QString& v);
    bool CaptionShow() const { return FCaptionShow; }
    void SetCaptionShow(bool v)
    {
        FCaptionShow = v;
        ExtentChanged();
    }
    TColor ColorBegin() const { return ReadExtras().ColorBegin; }
    void SetColorBegin(TColor v);
    TColor ColorEnd() const { return ReadExtras().ColorEnd; }
    void SetColorEnd(TColor v);
    TFont* Font() const { return &FFont; }
    void SetFont(const TFont* v);
    TGradientStyle GradientStyle() const { return ReadExtras().GradientStyle; }
    void SetGradientStyle(TGradientStyle v);
    QString Info() const { return FInfo; }
    void SetInfo(const QString& v)
    {
        FInfo = v;
        ExtentChanged();
    }
    bool IsFlipHorz() const { return FIsFlipHorz; }
    void SetIsFlipHorz(bool v);
    bool IsFlipVert() const { return FIsFlipVert; }
    void SetIsFlipVert(bool v);
    bool Locked() const { return FLocked; }
    void SetLocked(bool v);
    int LogHeight() const { return ReadExtras().LogHeight; }
    void SetLogHeight(int v)
    {
        if (v != LogHeight())
            Extras().LogHeight = v;
    }
    int LogWidth() const { return ReadExtras().LogWidth; }
    void SetLogWidth(int v)
    {
        if (v != LogWidth())
            Extras().LogWidth = v;
    }
    bool LogUse() const { return ReadExtras().LogUse; }
    void SetLogUse(bool v)
    {
        if (v != LogUse())
            Extras().LogUse = v;
    }
    QStringList MultiInfo() const { return ReadExtras().MultiInfo; }
    void SetMultiInfo(const QStringList& v);
    TAlignment MultiInfoAlignment() const { return ReadExtras().MultiInfoAlignment; }
    void SetMultiInfoAlignment(TAlignment v)
    {
        if (v != MultiInfoAlignment())
            Extras().MultiInfoAlignment = v;
    }
    QString Name() const { return FName; }
    // Refuses a name that is not a valid identifier (with a message); afterwards an
    // empty caption becomes the name.
    bool SetName(const QString& v);
    TPen* Pen() const { return &FPen; }
    void SetPen(const TPen* v);
    bool ResizeEnable() const { return FResizeEnable; }
    void SetResizeEnable(bool v) { FResizeEnable = v; }
    int Tag() const { return ReadExtras().Tag; }
    void SetTag(int v)
    {
        if (v != Tag())
            Extras().Tag = v;
    }
    // The shape's keys and values (made when first asked for).
    TUserData* UserData() const;
    bool HasUserData() const { return FUserData && !FUserData->Records().empty(); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    // Stored values without the side effects of the setters (used by copies and readers).
    void StoreName(const QString& v);
    void StoreLocked(bool v) { FLocked = v; }
    void StoreFlips(bool Horz, bool Vert) { FIsFlipHorz = Horz; FIsFlipVert = Vert; }
    void StoreAngle(float a) { FAngle = a; }
    void StoreGradient(TColor Begin, TColor End, TGradientStyle Style);

    // Fired with the drawing as sender when the shape is picked by click-through.
    TCompactNotifyEvent OnClick;

    // Whether a name is acceptable: a letter or underscore, then letters, digits and
    // underscores.
    static bool IsValidIdent(const QString& Name);

protected:
    // Tells the owning drawing that where the shape paints may have changed.
    void ExtentChanged();
    // Copies what Assign and AssignWithoutRelation have in common.
    void AssignCommon(const TMyShape* Source);
    void Repaint() const;
    // Mirrors the gradient pattern as the flip flags say.
    void FlipGradientByFlags();
    // The block of rarely set fields: made by Extras(); ReadExtras() gives the defaults
    // while there is none.
    TMyShapeExtras& Extras() const;
    const TMyShapeExtras& ReadExtras() const { return FExtras ? *FExtras : DefaultExtras(); }
    static const TMyShapeExtras& DefaultExtras();

    TMyCAD* FOwnerCAD = nullptr;
    TArrMyPoint FPoints;
    TMyPoint FCenterPoint;
    TMyPoint FCaptionPoint;
    int FShapeId = 0;
    int FShapeNo = 0;
    int FLayerId = 0;
    int FParentNo = -1;
    int FCurrentHot = -1;

private:
    // Highlights end point or link point Index (-1: none) on the drawing's screen, erasing
    // the previous highlight; returns Index.
    int Highlight(int Index, bool LinkPoint);
    void PenOrBrushChanged();
    void FontChanged();
    bool PassingToChildrenAllowed() const;

    // The fields are ordered by size, so that the compiler adds no padding between them:
    // a drawing holds shapes by the hundred thousand.
    float FAngle = 0;
    // Kept here rather than as Qt's object name, which would cost every shape an extra
    // block of Qt's bookkeeping.
    QString FName;
    // Held in the shape itself, which hands out pointers to them.
    mutable TPen FPen;
    mutable TBrush FBrush;
    mutable TFont FFont;
    // The caption when it is not the name (see FCaptionIsName).
    std::unique_ptr<QString> FOwnCaption;
    QString FInfo;
    // Made on first use, see Extras() and UserData().
    mutable std::unique_ptr<TMyShapeExtras> FExtras;
    mutable std::unique_ptr<TUserData> FUserData;
    // One bit each: the members of a derived kind can then start in the bytes they leave.
    bool FCaptionIsName : 1 = false;
    bool FCaptionShow : 1 = true;
    bool FIsFlipHorz : 1 = false;
    bool FIsFlipVert : 1 = false;
    bool FLocked : 1 = false;
    bool FResizeEnable : 1 = true;
    bool FVisible : 1 = true;
};

// The name a component goes by: a shape's Name (which is not Qt's object name), any
// other object's object name.
MYCAD_EXPORT QString ComponentName(const QObject* Object);
// Adds (DX, DY) document units to every point, link point and the caption point of the
// shape; the rotation centre stays.
MYCAD_EXPORT void OffsetAllPoints(TMyShape* Shape, double DX, double DY);
// Empties the shape's points; link points stay.
MYCAD_EXPORT void RemoveAllPoints(TMyShape* Shape);
// The list of the connectors attached to a shape: AddLinklineShape appends connector
// number No unless it is listed already; RemoveLinklineShape removes its last entry.
MYCAD_EXPORT void AddLinklineShape(TMyShape* S, int No);
MYCAD_EXPORT void RemoveLinklineShape(TMyShape* S, int No);
