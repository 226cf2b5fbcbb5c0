#pragma once
// TMyCAD: the drawing component. One widget that is both the view of a page and the
// document that owns the drawing: shapes in drawing order on named layers, the
// working shapes (the selection), the memory shapes held for pasting, and the settings
// that new shapes copy. This class is the public face; its work is split by concern
// over the MyCAD*.cpp files and a few helper classes it owns.
#include "mycad_export.h"
#include "component/base/Enums.h"
#include "component/render/GridObject.h"
#include "component/base/MyTypes.h"
#include "component/base/UserData.h"
#include "component/base/Events.h"
#include "component/document/PaintIndex.h"
#include "component/document/ShapeIndex.h"
#include "component/editing/UndoList.h"
#include "component/render/HopIndex.h"
#include "platform/Bitmap.h"
#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/Canvas.h"
#include "platform/Pen.h"

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QRegion>
#include <functional>
#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class TMyShape;
class TMyImage;
class TLibManager;
class TMyLine;
class TMyLinkLine;
class TPrintPage;
class TMyLineLinkLine;
class TConnectorRouter;
class TMouseController;
struct TInteractionState;

class MYCAD_EXPORT TMyCAD : public QWidget {
    Q_OBJECT
    Q_PROPERTY(MyCADEnums::TArcMode ArcMode READ ArcMode WRITE SetArcMode)
    Q_PROPERTY(int ArrowAngle READ ArrowAngle WRITE SetArrowAngle)
    Q_PROPERTY(uint8_t ArrowLength READ ArrowLength WRITE SetArrowLength)
    Q_PROPERTY(uint8_t ArrowOffset READ ArrowOffset WRITE SetArrowOffset)
    Q_PROPERTY(MyCADEnums::TArrowStyle ArrowStyle READ ArrowStyle WRITE SetArrowStyle)
    Q_PROPERTY(TBitmap* BkBitmap READ BkBitmap WRITE SetBkBitmap)
    Q_PROPERTY(MyCADEnums::TBkBitmapMode BkBitmapMode READ BkBitmapMode WRITE SetBkBitmapMode)
    Q_PROPERTY(TBrush* Brush READ Brush WRITE SetBrush)
    Q_PROPERTY(TColor ColorOfBackGround READ ColorOfBackGround WRITE SetColorOfBackGround)
    Q_PROPERTY(TColor ColorOfHot READ ColorOfHot WRITE SetColorOfHot)
    Q_PROPERTY(bool CrossLine READ CrossLine WRITE SetCrossLine)
    Q_PROPERTY(MyCADEnums::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(bool DragTrace READ DragTrace WRITE SetDragTrace)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(TGridObject* GridOperation READ GridOperation WRITE SetGridOperation)
    Q_PROPERTY(bool HotShow READ HotShow WRITE SetHotShow)
    Q_PROPERTY(uint8_t HotSize READ HotSize WRITE SetHotSize)
    Q_PROPERTY(QLabel* LabelValue READ LabelValue WRITE SetLabelValue)
    Q_PROPERTY(QLabel* LabelXY READ LabelXY WRITE SetLabelXY)
    Q_PROPERTY(bool LinklineAroundShape READ LinklineAroundShape WRITE SetLinklineAroundShape)
    Q_PROPERTY(MyCADEnums::TLinkLineDrawStyle LinkLineDrawStyle READ LinkLineDrawStyle WRITE SetLinkLineDrawStyle)
    Q_PROPERTY(MyCADEnums::TLinkLineRouter LinkLineRouter READ LinkLineRouter WRITE SetLinkLineRouter)
    Q_PROPERTY(bool LockBound READ LockBound WRITE SetLockBound)
    Q_PROPERTY(bool MouseEffect READ MouseEffect WRITE SetMouseEffect)
    Q_PROPERTY(bool OperateAllLayer READ OperateAllLayer WRITE SetOperateAllLayer)
    Q_PROPERTY(QString PageFoot READ PageFoot WRITE SetPageFoot)
    Q_PROPERTY(Graphics::TAlignment PageFootAlignment READ PageFootAlignment WRITE SetPageFootAlignment)
    Q_PROPERTY(TFont* PageFootFont READ PageFootFont WRITE SetPageFootFont)
    Q_PROPERTY(uint8_t PageFootToBottom READ PageFootToBottom WRITE SetPageFootToBottom)
    Q_PROPERTY(QString PageHead READ PageHead WRITE SetPageHead)
    Q_PROPERTY(Graphics::TAlignment PageHeadAlignment READ PageHeadAlignment WRITE SetPageHeadAlignment)
    Q_PROPERTY(TFont* PageHeadFont READ PageHeadFont WRITE SetPageHeadFont)
    Q_PROPERTY(uint8_t PageHeadToTop READ PageHeadToTop WRITE SetPageHeadToTop)
    Q_PROPERTY(uint32_t PageHeight READ PageHeight WRITE SetPageHeight)
    Q_PROPERTY(MyCADEnums::TPageOrientation PageOrientation READ PageOrientation WRITE SetPageOrientation)
    Q_PROPERTY(MyCADEnums::TPageStyle PageStyle READ PageStyle WRITE SetPageStyle)
    Q_PROPERTY(uint32_t PageWidth READ PageWidth WRITE SetPageWidth)
    Q_PROPERTY(TPen* Pen READ Pen WRITE SetPen)
    Q_PROPERTY(bool PrintABorder READ PrintABorder WRITE SetPrintABorder)
    Q_PROPERTY(uint8_t PrintABordertoBottom READ PrintABordertoBottom WRITE SetPrintABordertoBottom)
    Q_PROPERTY(uint8_t PrintABordertoLeft READ PrintABordertoLeft WRITE SetPrintABordertoLeft)
    Q_PROPERTY(uint8_t PrintABordertoRight READ PrintABordertoRight WRITE SetPrintABordertoRight)
    Q_PROPERTY(uint8_t PrintABordertoTop READ PrintABordertoTop WRITE SetPrintABordertoTop)
    Q_PROPERTY(bool PrintBackground READ PrintBackground WRITE SetPrintBackground)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(bool ResizeEnable READ ResizeEnable WRITE SetResizeEnable)
    Q_PROPERTY(bool ReturnToSelecting READ ReturnToSelecting WRITE SetReturnToSelecting)
    Q_PROPERTY(int RotateConstraintDegree READ RotateConstraintDegree WRITE SetRotateConstraintDegree)
    Q_PROPERTY(bool RotateEnable READ RotateEnable WRITE SetRotateEnable)
    Q_PROPERTY(MyCADEnums::TDrawTool ShapeTool READ ShapeTool WRITE SetShapeTool)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool ShowHotLink READ ShowHotLink WRITE SetShowHotLink)
    Q_PROPERTY(bool Snap READ Snap WRITE SetSnap)
    Q_PROPERTY(uint8_t SnapPixels READ SnapPixels WRITE SetSnapPixels)
    Q_PROPERTY(bool SnapShape READ SnapShape WRITE SetSnapShape)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(MyCADEnums::TUnits TheUNIT READ TheUNIT WRITE SetTheUNIT)
    Q_PROPERTY(uint8_t UndoRedoSize READ UndoRedoSize WRITE SetUndoRedoSize)
    Q_PROPERTY(TUserData* UserData READ UserData)
    Q_PROPERTY(QString Version READ Version)
    Q_PROPERTY(MyCADEnums::TXYMode XYMode READ XYMode WRITE SetXYMode)
    Q_PROPERTY(double Zoom READ Zoom WRITE SetZoom)

public:
    explicit TMyCAD(QWidget* parent = nullptr);
    ~TMyCAD() override;

    // ---- Shape list queries ------------------------------------------------------
    int GetShapesCount() const { return int(FShapes.size()); }
    TMyShape* GetShapeByNo(int No) const;
    TMyShape* GetShapeByID(int Id) const;
    int GetShapeNoById(int Id) const;
    int GetShapeNoInMyShapes(const TMyShape* Shape) const;
    TMyShape* GetShapeByName(const QString& Name) const;
    void RenameShapeName(const QString& OldName, const QString& NewName);
    TMyShape* GetRootParentShape(const TMyShape* Shape) const;
    TMyShape* GetNextSingleorRootShape(int No) const;
    TMyShape* GetPrevSingleorRootShape(int No) const;
    int GetShapesCountInALayer(int LayerId) const;
    TArrMyShape GetShapesByLayerId(int LayerId) const;
    TMyRect GetShapesLTRB(const TArrMyShape& Shapes) const;
    TMyRect GetShapesLTRBinZoom(const TArrMyShape& Shapes) const;
    int GetWorkingShapesCount() const { return int(FWorkingShapes.size()); }
    int GetMemShapesCount() const { return int(FMemShapes.size()); }
    TArrMyShape GetSystemShapes() const { return {}; }
    const TArrMyShape& WorkingShapes() const { return FWorkingShapes; }
    // The shapes in drawing order (the drawing owns them).
    const TOwnedShapes& Shapes() const { return FShapes; }
    // The identifier the next shape added will get.
    int NextShapeId() const { return FNextShapeId; }

    // ---- Layers -------------------------------------------------------------------
    int NewLayer(const QString& Name, bool Visible);
    bool DeleteLayerByID(int Id);
    bool DeleteLayerByName(const QString& Name);
    bool DeleteAllLayers();
    bool MergeLayers(int TargetId, int SourceId);
    uint8_t GetLayersCount() const { return uint8_t(FLayers.size()); }
    int GetLayerIdByName(const QString& Name) const;
    int GetLayerIdByNo(int No) const;
    int GetLayerNoById(int Id) const;
    int GetLayerNoByName(const QString& Name) const;
    QString GetLayerNameByID(int Id) const;
    int GetMaxLayerId() const;
    int CurrentLayerId() const { return FCurrentLayerId; }
    void SetCurrentLayerId(int Id);
    void SetLayerNameByID(const QString& NewName, int Id);
    void SetLayerNameByName(const QString& NewName, const QString& OldName);
    void VisibleLayerByID(int Id);
    void VisibleLayerByName(const QString& Name);
    void InVisibleLayerByID(int Id);
    void InVisibleLayerByName(const QString& Name);
    void VisibleAllLayer();
    bool IsVisibleLayerByID(int Id) const;
    const std::vector<LayerRec>& Layers() const { return FLayers; }
    // The largest number of layers a drawing holds (the count is stored in a byte).
    static constexpr int MaxLayers = 255;

    // ---- Creating and adding shapes ----------------------------------------------
    // Appends the shape. On success the drawing takes it over (Shape is left empty); on
    // failure Shape still holds it.
    bool AddShape(std::unique_ptr<TMyShape>& Shape, bool KeepLayer, bool KeepCounter);
    bool AddShapeforLoadfromStream(int Position, std::unique_ptr<TMyShape>& Shape, bool KeepCounter);
    std::unique_ptr<TMyShape> CreateShapeByName(const QString& ClassName, TMyCAD* Owner = nullptr);
    std::unique_ptr<TMyShape> CreateShapeBySpTool(TDrawTool Tool, QObject* Owner = nullptr);
    TMyShape* CreateAddShapeByName(const QString& ClassName, const TMyShape* Template);
    int AddShapeByCode(TMyCAD* Owner, TDrawTool Tool, const QString& Info, const TArrMyPoint& Points,
                       double Angle, const QString& Name);
    // Adds a picture with its top-left corner at a screen point; the picture is made 24 bits
    // per pixel first (the caller's bitmap changes), as the image shape takes it.
    int AddImageShapeByCode(const QString& Name, TPoint TopLeft, TBitmap* Picture);
    // Places the library entry Name centred on (X, Y) (screen pixels): one shape when the
    // entry holds one shape and no link-point shape, otherwise a TMyCombine with the
    // entry's shapes as members and the centres of its link-point shapes as link points
    // (MyCADLibrary.cpp). Every copy keeps none of the entry's relations and belongs to
    // this drawing (MemberOwner is not needed for that). The identifier, or -1.
    int AddUserDefineShapefromLib(TLibManager* Lib, const QString& Name, int X, int Y, TMyCAD* MemberOwner = nullptr);
    void DeleteAllShapes();
    // Deletes the shape with that identifier and its members, detaching connectors;
    // false for an unknown identifier or a locked shape.
    bool DeleteShapeById(int Id, bool AddUndo);

    // ---- The working shapes (the selection) -------------------------------------------
    // Adds S's root shape unless it is already selected.
    void AddWorkingShapes(TMyShape* S);
    void RemoveWorkingShape(TMyShape* S);
    void RemoveAllWorkingShapes();
    // Makes exactly these top-level shapes the working shapes (no events).
    void SetWorkingShapes(const TArrMyShape& Shapes);
    // Appends the top-level shapes that are not selected yet, in their order.
    void AppendWorkingShapes(const TArrMyShape& Shapes);
    // The index of S among the working shapes, -1 when it is not selected.
    int IsInWorkingShape(const TMyShape* S) const;
    int GetSelectedShapesCount() const { return GetWorkingShapesCount(); }
    // The working shape when exactly one is selected, else nothing.
    TMyShape* GetSelectedShape() const;
    const TArrMyShape& GetSelectedShapes() const { return FWorkingShapes; }
    void SelectAllShapes();
    void SelectAllShapesByLayerId(int LayerId);
    // Selects the shape with that identifier (after emptying the selection when asked)
    // and fires OnShapeSelected; false when there is no such shape.
    bool SelectShapeByCode(int Id, bool ClearFirst);
    void DeSelectedAllShapesByCode();

    // ---- Editing: snapping and cursor confinement (MyCADSnap.cpp) --------------------
    // Pulls a screen point onto the grid and, when the grid did not capture it and
    // SnapShape is on, onto the nearest edge of another top-level shape; true when it
    // snapped in x or y.
    bool SnapXY(int& X, int& Y);
    // Moves (X, Y) by the correction that makes a corner of R (the dragged box, screen
    // pixels) snap; x and y may come from different corners.
    void SnapRect(const TRect& R, int& X, int& Y);
    // Confines the cursor to the screen rectangle from (R.Left, R.Top) of width
    // R.Right - RightCut and height R.Bottom - BottomCut (R holds left, top, width, height).
    void SetCursorClipArea(const TRect& R, int RightCut, int BottomCut, bool HideCursor);
    // Frees the cursor; with MouseEffect the cross cursor comes back.
    void ReleaseCursorClipArea();
    bool CursorClipped() const { return FCursorClip.Active; }

    // ---- Editing: transforms of a shape with its group members (MyCADTransforms.cpp) --
    // Deltas and points in screen pixels unless noted. Locked shapes are skipped one by one.
    void DragChangeValueDxDyforShapes(TMyShape* S, double dx, double dy);
    // The trace of S moved by To - From (the members are not drawn separately).
    void DraggingforShapes(TCanvas* Canvas, TMyShape* S, TPoint From, TPoint To);
    // Resizes S by moving its current hot from From to To; a group scales its members.
    void SizeChangeValueforShapes(TMyShape* S, TMyPoint From, TMyPoint To);
    // Turns S, then its members, by Angle radians about Centre (document units).
    void RotateChangeValueforShapes(TMyShape* S, TMyPoint Centre, double Angle);
    // The trace of a rotation about Centre (screen pixels): a group draws its members.
    void RotatingforShapes(TCanvas* Canvas, TMyShape* S, TMyPoint Centre, double Angle);
    void LockUnLockforShapes(TMyShape* S, bool Lock);
    // Mirror S and its members about the root's centre line; one "ACT_CHANGE" record.
    void FlipHoriz(TMyShape* S);
    void FlipVert(TMyShape* S);
    // Host commands; none records undo. Move: nothing for nil.
    void Move(TMyShape* S, double dx, double dy);
    void Rotate(TMyShape* S, float Angle);
    // Turns S about Centre by the angle From-Centre-To (document units); returns it.
    float Tilt(TMyShape* S, TMyPoint Centre, TMyPoint From, TMyPoint To, bool UseConstraint);
    // Moves hot Hot of S to Target (screen pixels).
    void SizeShape(TMyShape* S, int Hot, TMyPoint Target);

    // ---- Editing: alignment and spacing of the working shapes (MyCADAlign.cpp) -----------
    void AlignLeft();
    void AlignRight();
    void AlignTop();
    void AlignBottom();
    void AlignHorizontalCenter();
    void AlignVerticalCenter();
    // Spaces three or more shapes evenly between the outermost ones (no undo record).
    void AverageWidth(const TArrMyShape& Shapes);
    void AverageHeight(const TArrMyShape& Shapes);

    // ---- Editing: drawing order, grouping, deletion (MyCADOrder/Group/Delete.cpp) -------
    // Exchanges the positions of A and B, renumbering every reference to them.
    void SwapShape(TMyShape* A, TMyShape* B);
    // Top-level shapes only; a group member never moves.
    void BringToFront(TMyShape* S, bool AddUndo);
    void SendToBack(TMyShape* S, bool AddUndo);
    void BringToFrontByStep(TMyShape* S, bool AddUndo);
    void SendToBackByStep(TMyShape* S, bool AddUndo);
    // The identifier of the new group, or -1 (empty list, a shape invisible, on another
    // layer than the first, not in the drawing or already a member of a group).
    int GroupShapes(const TArrMyShape& Shapes, bool AddUndo);
    int GroupWorkingShape();
    // Dissolves the top-level, unlocked group S.
    void UnGroupShape(TMyShape* S, bool AddUndo);
    bool areTheyBrother(const TMyShape* A, const TMyShape* B) const;
    // Deletes the working shapes (and connectors hanging on selected junctions) as one
    // undo action; false, deleting nothing, when a working shape is locked.
    bool DeleteSelectedShapes();
    // DeleteShapeById for each identifier in turn, in one pass over the shape list;
    // returns the result of the last deletion (true for an empty list).
    bool DeleteShapesById(const std::vector<int>& Ids, bool AddUndo);

    // ---- Editing: undo (MyCADUndo.cpp) ----------------------------------------------------
    // Records one action for the shapes, in the state to restore.
    void PushtoUndoRedoShapeList(const TArrMyShape& Shapes, const QString& ActionName);
    // Undoes the newest action; the newest action number left, -1 when none is left or
    // there was nothing to undo.
    int PopFromUndoRedoShapeList();
    // Forgets every action, undone ones included.
    void ClearAllUndoStuff();
    const TUndoList& UndoList() const { return FUndoList; }

    // ---- Editing: redo (MyCADRedo.cpp) ----------------------------------------------------
    // Undoing an action keeps what is needed to do it again; a new action forgets every
    // undone one. Redo does the newest undone action again, recording it for undo as the
    // action itself did; false when there is none.
    bool Redo();
    bool CanUndo() const { return FUndoRedoSize > 0 && !FUndoList.Empty(); }
    bool CanRedo() const { return FUndoRedoSize > 0 && !FRedoSteps.empty(); }
    int RedoCount() const { return int(FRedoSteps.size()); }
    // The actions the next undo and redo apply to, as a menu names them ("Change",
    // "Bring to Front"...): empty when there is none.
    QString UndoActionText() const;
    QString RedoActionText() const;
    // A shape's identifier changed: lookups by identifier must be rebuilt.
    void ShapeIdentityChanged() { FShapeIndex.Invalidate(); }

    // ---- Mouse: tools and the state machine (MyCADMouse.cpp, editing/Mouse*.cpp) --------
    // The control's mouse handlers (the Qt mouse events arrive here). MouseDown and
    // MouseMove call OnMouseDown and OnMouseMove first; MouseUp calls OnMouseUp last.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // The control's mouse-enter and mouse-leave messages: OnMouseEnter, OnMouseLeave.
    void CMMouseEnter();
    void CMMouseLeave();
    // The selection rectangle's pen: dotted, exclusive-or, half way between the drawing's
    // pen colour and white; no brush.
    void SetSelectShapeMode();
    // Keeps P on the anchor's row (dgHorz) or column (dgVert).
    void GetMousePointbyDragMode(TPoint Anchor, TPoint& P) const;
    // With Shift: a line drawn horizontal or vertical, a box drawn square.
    void DrawMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint Anchor, TPoint& P);
    // With Shift: a box resized by a corner stays square in its own frame, a two-point
    // line or rule line resized by an end stays horizontal or vertical.
    void ResizeMakeSquareorHV(TShiftState Shift, TMyShape* Shape, TPoint Anchor, TPoint& P);
    // Finishes a polygon being drawn: a press at the current point, a release on the
    // first vertex.
    void ClosePolygon();
    // Hit and region tests in screen pixels. IsClickedMeforShape: S is visible and hit
    // itself or through one of its direct members. IsInRegion: the box of S's root lies
    // inside the closed rectangle spanned by P1 and P2.
    bool IsClickedMeforShape(TCanvas* Canvas, TMyShape* S, TPoint P);
    bool IsInRegion(TPoint P1, TPoint P2, const TMyShape* S) const;
    bool IsPtinRegion(const TRect& R, const TMyShape* S) const;
    bool IsPtinRegionX(const TRect& R, const TMyShape* S) const;
    bool IsPtinRegionY(const TRect& R, const TMyShape* S) const;
    bool IsShapeBigthanRegion(const TRect& R, const TMyShape* S) const;
    void SetDragShapeMode(TDragMode v) { FDragMode = v; }
    // The interaction state, which the mouse state machine owns.
    TMyShape* CurrentShape() const;
    TMyShape* LastEnteredShape() const;
    TActionTools NextActionTool() const;
    bool MouseIsDown() const;
    TPoint AnchorPoint() const;
    TPoint CurrentPoint() const;
    TMyShape* UnderShape() const;
    int HotShapeNo() const;
    int HotLinkId() const;
    TMouseController& MouseController() { return *FMouse; }
    const TMouseController& MouseController() const { return *FMouse; }
    // Frees the shape being drawn, which has not joined the drawing.
    void DropShapeInTheMaking();
    // Link hots and line ends under the mouse (editing/LinkHotSearch.cpp). P is in
    // screen pixels.
    void ClearAllLinkHot();
    // Shows end point or link point Index of Shape highlighted on the screen (-1: none),
    // erasing the previous highlight; returns Index. Shapes call it from their hot
    // searches.
    int HighlightHot(TMyShape* Shape, int Index, bool LinkPoint);
    bool InWhichShapeWhichHotLinkId(int& ShapeNo, int& LinkId, TMyPoint P);
    void GetMainShape(TMyLinkLine* Line, TLinkLineEndPoint End, TMyPoint P);
    bool InWhichShapeWhichPointNo(int& Id, int& PointNo, TMyPoint P);
    void GetMergeShape(TMyLine* Line, bool Start, TMyPoint P);
    void CreateAndDelete(TMyLine* Line);

    // ---- Connectors (MyCADConnectors.cpp, MyCADSplit.cpp) ----------------------------------
    // A new connector named Name from link point a of A to link point b of B, routed,
    // added with an "ACT_ADD" record and selected; its identifier, or -1 (nothing is
    // added) for a missing shape, a shape of another drawing or an index outside the link
    // points.
    int CreateLink(const QString& Name, TMyShape* A, int a, TMyShape* B, int b);
    // The export parameters of an arc through P0, P1, P2 (pixels) in a frame whose y axis
    // points up (y taken as Height() - y); Centre is given in that frame. R is the distance
    // of P0 from the centre, A1 the angle of P2 and A2 that of P0, in degrees. P1 is unused.
    void GetRA1A2By3Points(TMyPoint P0, TMyPoint P1, TMyPoint P2, TMyPoint Centre, double& R, double& A1,
                           double& A2) const;
    // Re-routes every connector attached to S or to any of its members: an automatic
    // route is laid again whole, a hand-shaped one only at the end on S. Called wherever
    // a shape's geometry changed through an editing operation; it also counts the change
    // for the lookups that keep positions. No undo record, no repaint.
    void ChangeLinkShapes(TMyShape* S);
    // The index of S's last link point within 5 pixels of P (screen pixels), or -1.
    int IsinHotLink(const TMyShape* S, TPoint P) const;
    // The identifier of the first connector listed by both A and B, or -1.
    int IsLinked(const TMyShape* A, const TMyShape* B) const;
    // Attaches end End of L to link point PtId of shape No (-1: frees it), keeping both
    // sides' lists: the shape left drops L only when L's other end is not on it too.
    void AttachConnectorEnd(TMyLinkLine* L, TLinkLineEndPoint End, int No, int PtId);
    // The router (editing/ConnectorRouter.h). Points are screen pixels.
    TArrDirAndPoints GetDirAndPoints(TMyPoint A, TMyPoint B, Tdirections D) const;
    TMyShape* GetCombineAtPoint(TPoint P, int Margin);
    TDirAndPoint GetDetourPoint(const TMyShape* O, TMyPoint Cur, TMyPoint Target, Tdirections D) const;
    void GetPath(TCanvas* Canvas, TMyLinkLine* L, TMyShape* A, TMyPoint PA, TMyShape* B, TMyPoint PB, Tdirections D);
    // The first segment of a connector other than Skip lying under P (document units,
    // HotSize as tolerance, strictly between the segment's ends); P is moved onto it and
    // L set to the connector. The segment's index, or -1 (L nothing, P unchanged).
    int IsBreakLineByAPoint(TMyPoint& P, TMyLinkLine*& L, const TMyLinkLine* Skip);
    // Ends connector D (just drawn) on a new junction that splits segment n of L at P
    // (screen pixels); false and nothing for n < 0.
    bool BreakLine(TMyLinkLine* D, TMyPoint P, int n, TMyLinkLine* L);
    // The same with P in document units.
    bool BreakLineAt(TMyLinkLine* D, TMyPoint P, int n, TMyLinkLine* L);
    // Splits segment n of L at P (document units) through junction J.
    bool BreakLineByAPoint(TMyPoint P, TMyLinkLine* L, TMyLineLinkLine* J, int n);
    // During a paint pass: the points (screen pixels, as drawn) where vertical connector
    // segments of the shapes drawn cross the horizontal segment P-Q strictly inside, by
    // increasing x. Nothing outside a paint pass.
    void ConnectorCrossings(TMyPoint P, TMyPoint Q, std::vector<TMyPoint>& Out);
    // Of those, the ones a segment with hops of radius R hops over (THopIndex::Hops);
    // returns whether there is any crossing.
    // Hops starting right of Until are left out (THopIndex::Hops).
    bool ConnectorHops(TMyPoint P, TMyPoint Q, int R, std::vector<TMyPoint>& Out, double Until = HUGE_VAL);
    // Counts geometry changes made through the drawing's operations; lookups that keep
    // shape positions (the mouse's picking grid) are rebuilt after it or the shape list
    // changed. Whatever changes points outside the drawing's operations calls it, or,
    // when it knows the shape, the cheaper GeometryChanged(S) (S with its group tree
    // and its connectors).
    void GeometryChanged() { ++FGeometryGeneration; }
    void GeometryChanged(TMyShape* S);
    // The shapes report from their setters that what decides where they paint (points,
    // pen, caption, arrow heads) changed, or that they joined or left a group; the paint
    // pass keeps its index of the shapes' extents up to date by them.
    void ShapeExtentChanged(const TMyShape* S);
    void ShapeParentChanged() { ++FExtentGeneration; }
    uint64_t GeometryGeneration() const { return FGeometryGeneration; }
    uint64_t ShapeListGeneration() const { return FShapeListGeneration; }

    // ---- Painting ---------------------------------------------------------------------
    // One paint pass over the whole control: the page is composed into the control's
    // picture and the selection's hots are drawn on top.
    void Paint();
    // Builds the off-screen picture FBuffer of a clip rectangle (screen pixels).
    void DrawAll(const TRect& Clip);
    // Draws the shapes of the visible layers that can show in R, with R's top-left at the
    // canvas origin, and their link-point marks.
    void DrawAllShape(TCanvas* Canvas, const TRect& R);
    void FillBackground(TBitmap* Bitmap, const TRect& R);
    void DrawBackground(TBitmap* Bitmap);
    void DrawBkBitmap(TBitmap* Bitmap, int X, int Y, bool UseBitmapSize);
    void DrawGrid(TBitmap* Bitmap, const TRect& Clip);
    void DrawGridold(TBitmap*, const TRect&) {}
    void DrawBorder(TBitmap* Bitmap);
    void DrawHeadFoot(TBitmap* Bitmap);
    // Draws the hots of the working shapes (or of the clicked group member) on the control.
    void SelectAllWorkingShapes();
    // The shape numbers of the root shapes the last paint pass drew.
    const TMyShapeNo& DrawnShapes() const { return FDrawnShapes; }
    TBitmap* Buffer() const { return FBuffer.get(); }
    TMyShape* ClickedChild() const;

    // ---- Labels and hints ---------------------------------------------------------
    void UpdateLabelXY(int X, int Y);
    void UpdateLabelValue(const QString& Text);
    void ShowHintEnterLeaveShape(TMyShape* Shape, bool Entering, TPoint P);
    void DebugVar(int X, int Y, int n);
    void DebugVarf(int X, int Y, double v);

    // ---- The picture on the screen --------------------------------------------------
    // The canvas that draws straight onto the control's on-screen picture (rubber bands,
    // highlights, hots). What it draws shows at the next screen update.
    TCanvas* Canvas();
    // Asks for a repaint: the page is composed again at the next paint event.
    void Invalidate();
    // The same for a rectangle of the control.
    void InvalidateRect(const TRect& R);
    // Shows what was drawn on Canvas() without composing the page again.
    void ScreenChanged();
    // Pixels of the control's screen image per pixel of the control: the window's device
    // pixel ratio (1.5 at 150 % scaling, 2 at 200 %) unless a ratio is set. The page is
    // composed at that density, so shapes and text are drawn sharp; document units, mouse
    // coordinates, Canvas()'s coordinates and exported pictures stay as they are.
    double ScreenPixelRatio() const;
    // 0 (the default) follows the window; any other ratio is used as it is (1 to 8).
    void SetScreenPixelRatio(double Ratio);
    // Device pixels per control pixel in the paint pass under way: the screen pixel ratio
    // while the screen's page is composed, 1 for every other picture.
    double PassPixelRatio() const { return FPassPixelRatio; }

    // ---- Coordinates ----------------------------------------------------------------
    TPoint GetPointByMode(TPoint P) const;
    TMyPoint GetMyPointByMode(TMyPoint P) const;

    // ---- Files ------------------------------------------------------------------------
    // The drawing stream (persistence/DrawingFormat.h): a 218-byte header, the document
    // block, the layers and a record per shape. SaveToStream writes at the stream's
    // position and changes nothing in the drawing; LoadFromStream reads from position 0
    // (a sequential device from where it is) into a new document and replaces the open
    // drawing only when the whole stream read and checked well; on failure the open
    // drawing is left exactly as it was.
    bool SaveToStream(QIODevice& Stream) const;
    bool LoadFromStream(QIODevice& Stream);
    // Writes beside the file and replaces it only when the whole drawing was written, so
    // a failed save leaves the previous file intact.
    bool SaveToFile(const QString& FileName) const;
    bool SaveToFileold(const QString& FileName) const;
    // False (drawing untouched) when the file is not a drawing file or does not read.
    bool LoadFromFile(const QString& FileName);
    // True when the file's first 64 bytes, trimmed, are the drawing files' signature.
    bool IsZEDAFile(const QString& FileName) const;
    // DXF export (component/dxf/): the drawing's entities written beside the file, which
    // they replace only when every byte was written; false on failure (the old file stays).
    // SaveToDxf1 writes the glyph outlines of texts instead of TEXT entities.
    bool SaveToDxf(const QString& FileName) const;
    bool SaveToDxf1(const QString& FileName) const;
    // The version tag shape records are read under ("XP.i" for a new drawing).
    QString DiskFileVersion() const { return FDiskFileVersion; }
    void SetDiskFileVersion(const QString& Value) { FDiskFileVersion = Value; }
    // The stream primitives of persistence/StreamPrimitives.h. ReadBitmapBuffer leaves
    // Bitmap empty (null) when the buffer holds no bitmap.
    bool WriteStrBuffer(QIODevice& Stream, const QString& S, uint8_t Count) const;
    QString ReadStrBuffer(QIODevice& Stream, uint8_t Count) const;
    bool WriteBitmapBuffer(QIODevice& Stream, const TBitmap* Bitmap) const;
    bool ReadBitmapBuffer(QIODevice& Stream, std::unique_ptr<TBitmap>& Bitmap) const;

    // ---- Clipboard (MyCADClipboard.cpp, MyCADMemShapes.cpp) -------------------------
    // The memory shapes are the drawing's own clipboard of shapes: copies held outside
    // the drawing (not listed, not drawn), refilled by Copy, PasteFromMyCAD and block
    // reading and read by Paste. The system clipboard only ever gets pictures of them.
    const std::vector<std::unique_ptr<TMyShape>>& MemShapes() const { return FMemShapes; }
    // Copies the working shapes with their members (each shape before its members) into
    // the memory shapes and places their picture (2 pixels of margin) on the system
    // clipboard as a bitmap. False when nothing is selected or no picture could be
    // placed; the memory shapes are filled all the same.
    bool Copy();
    // Copy, then DeleteSelectedShapes, whose result it returns. Nothing is deleted when
    // the working shapes could not all be copied.
    bool Cut();
    // Adds copies of the memory shapes 4 document units right of and below where they
    // were copied, with fresh identifiers and names, keeping the groups and connectors
    // among them; relations that lead outside the copies are cut. The pasted top-level
    // shapes become the selection and one "ACT_ADD" action.
    void Paste();
    // Takes copies of Other's memory shapes (when it holds any) and pastes them; with no
    // other drawing, or with this one, it pastes its own memory shapes.
    void PasteFromMyCAD(TMyCAD* Other);
    // Places the working shapes on the system clipboard as an enhanced metafile the size
    // of their box (no margin); the memory shapes are not touched. False as for Copy.
    bool CopyToClipBoardAsWmf();
    // A picture on the system clipboard, whichever program placed it, as an image shape
    // with its top-left corner at TopLeft (screen pixels); its identifier, or -1 when the
    // clipboard holds no picture.
    int PasteClipboardPicture(TPoint TopLeft);

    // ---- Blocks (MyCADBlocks.cpp) ------------------------------------------------------
    // Adds the shapes of a drawing file at their stored places: Merge puts them on the
    // current layer, Import matches the file's layers with this drawing's by position
    // and adds layers "Block" + name for the further ones. The new top-level shapes are
    // selected and form the one "ACT_ADD" action of a fresh undo history. False, with
    // the drawing exactly as it was, when the file is not a drawing or does not read.
    bool AddBlockfromZEDAFile(const QString& FileName, TBlockLayerMode Mode);
    // Reads a whole drawing stream into the memory shapes and takes over its page
    // settings (colour, a canvas size that only grows, unit, background picture, ratio,
    // tag and user data by generation) and, with Import, its further layers. Nothing
    // changes unless the whole stream read well.
    bool LoadFromStreamforBlock(QIODevice& Stream, TBlockLayerMode Mode);
    // Adds copies of the memory shapes in their order, at their places and on the layers
    // they hold, without events; relations leading outside them are cut.
    void PasteforBlock();

    // ---- Pictures and paper (MyCADExport.cpp, MyCADPrint.cpp) ------------------------
    // The page as a picture at the current zoom, without grid and hots: BMP, PNG and JPEG
    // files (quality clamped to 1..100) with the page colour when Fill, the background
    // picture and the shapes; a placeable WMF for a name ending ".wmf" in any case, else
    // an EMF, and an SVG, with the shapes alone; a PDF page printed as Print prints. The
    // bitmap form fits the page into the caller's bitmap of Width x Height at its top-left
    // and sets the zoom back. Files are written beside their name and replace it only
    // once complete. False (and no file changed) when the picture would exceed the pixel
    // limit, a size is not positive or the file cannot be written.
    bool SaveToBmp(const QString& FileName, bool Fill);
    bool SaveToBmp(TBitmap* Bitmap, int Width, int Height, bool Fill);
    bool SaveToJpg(const QString& FileName, int Quality, bool Fill);
    bool SaveToPng(const QString& FileName, bool Fill);
    bool SaveToWmf(const QString& FileName);
    bool SaveToSvg(const QString& FileName);
    bool SaveToPdf(const QString& FileName);
    // One page on the current printer (platform/Printer.h) at the printer's resolution
    // times Scale: page colour (PrintBackground), background picture, frame, head, foot,
    // and the visible root shapes of the listed layers (all layers for an empty list; a
    // shape once however often its layer is listed) or of the selection. The zoom is the
    // print's for the job and is stored back, without SetZoom, however the job ends.
    // False when the printer is busy, refuses the job or fails it.
    bool Print(const std::vector<int>& LayerIds, double Scale);
    bool PrintSelectedShapes(double Scale);
    // The page at Zoom in the bitmap, resized to the page (at most MaxWidth x MaxHeight,
    // the page cut off there, for the low-memory form): background, background picture,
    // frame, head, foot and the shapes as Print chooses them. False for a zoom that is
    // not positive or a picture beyond the pixel limit.
    bool PrintPreview(const std::vector<int>& LayerIds, TBitmap* Bitmap, double Zoom);
    bool PrintPreviewLowMem(const std::vector<int>& LayerIds, TBitmap* Bitmap, int MaxWidth, int MaxHeight, double Zoom);
    bool PreviewSelectedShapes(TBitmap* Bitmap, double Zoom);
    // The background picture scaled by Zoom, the frame, and the head and foot on the page
    // of the running print job (nothing when the printer is not printing).
    void PrintBkBitmap(double Zoom);
    void PrintBorder();
    void PrintHeadFoot();

    // ---- Page and zoom ----------------------------------------------------------------
    void SetPreZoom(double v);
    double PreZoom() const { return FPreZoom; }
    TPageStyle GetPageStyleByWH(uint32_t Width, uint32_t Height) const;
    static bool PageSizeOf(TPageStyle Style, uint32_t& Width, uint32_t& Height);

    // ---- Properties -------------------------------------------------------------------
    TArcMode ArcMode() const { return FArcMode; }
    void SetArcMode(TArcMode v) { FArcMode = v; }
    int ArrowAngle() const { return FArrowAngle; }
    void SetArrowAngle(int v);
    uint8_t ArrowLength() const { return FArrowLength; }
    void SetArrowLength(uint8_t v);
    uint8_t ArrowOffset() const { return FArrowOffset; }
    void SetArrowOffset(uint8_t v) { FArrowOffset = v; }
    TArrowStyle ArrowStyle() const { return FArrowStyle; }
    void SetArrowStyle(TArrowStyle v) { FArrowStyle = v; }
    TBitmap* BkBitmap() const { return FBkBitmap.get(); }
    void SetBkBitmap(TBitmap* v);
    TBkBitmapMode BkBitmapMode() const { return FBkBitmapMode; }
    void SetBkBitmapMode(TBkBitmapMode v);
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(const TBrush* v);
    TColor ColorOfBackGround() const { return FColorOfBackGround; }
    void SetColorOfBackGround(TColor v);
    TColor ColorOfHot() const { return FColorOfHot; }
    void SetColorOfHot(TColor v);
    bool CrossLine() const { return FCrossLine; }
    void SetCrossLine(bool v) { FCrossLine = v; }
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode v) { FDragMode = v; }
    bool DragTrace() const { return FDragTrace; }
    void SetDragTrace(bool v) { FDragTrace = v; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* v);
    TGridObject* GridOperation() const { return FGridOperation.get(); }
    void SetGridOperation(TGridObject* v);
    bool HotShow() const { return FHotShow; }
    void SetHotShow(bool v) { FHotShow = v; }
    uint8_t HotSize() const { return FHotSize; }
    void SetHotSize(uint8_t v) { FHotSize = v; }
    QLabel* LabelValue() const { return FLabelValue; }
    void SetLabelValue(QLabel* v) { FLabelValue = v; }
    QLabel* LabelXY() const { return FLabelXY; }
    void SetLabelXY(QLabel* v) { FLabelXY = v; }
    bool LinklineAroundShape() const { return FLinklineAroundShape; }
    void SetLinklineAroundShape(bool v) { FLinklineAroundShape = v; }
    TLinkLineDrawStyle LinkLineDrawStyle() const { return FLinkLineDrawStyle; }
    void SetLinkLineDrawStyle(TLinkLineDrawStyle v) { FLinkLineDrawStyle = v; }
    // The router of automatic routes between attached ends; not saved with the drawing.
    TLinkLineRouter LinkLineRouter() const { return FLinkLineRouter; }
    void SetLinkLineRouter(TLinkLineRouter v) { FLinkLineRouter = v; }
    bool LockBound() const { return FLockBound; }
    void SetLockBound(bool v) { FLockBound = v; }
    bool MouseEffect() const { return FMouseEffect; }
    void SetMouseEffect(bool v) { FMouseEffect = v; }
    bool OperateAllLayer() const { return FOperateAllLayer; }
    void SetOperateAllLayer(bool v);
    QString PageFoot() const { return FPageFoot; }
    void SetPageFoot(const QString& v) { FPageFoot = v; }
    TAlignment PageFootAlignment() const { return FPageFootAlignment; }
    void SetPageFootAlignment(TAlignment v) { FPageFootAlignment = v; }
    TFont* PageFootFont() const { return FPageFootFont.get(); }
    void SetPageFootFont(const TFont* v);
    uint8_t PageFootToBottom() const { return FPageFootToBottom; }
    void SetPageFootToBottom(uint8_t v) { FPageFootToBottom = v; }
    QString PageHead() const { return FPageHead; }
    void SetPageHead(const QString& v) { FPageHead = v; }
    TAlignment PageHeadAlignment() const { return FPageHeadAlignment; }
    void SetPageHeadAlignment(TAlignment v) { FPageHeadAlignment = v; }
    TFont* PageHeadFont() const { return FPageHeadFont.get(); }
    void SetPageHeadFont(const TFont* v);
    uint8_t PageHeadToTop() const { return FPageHeadToTop; }
    void SetPageHeadToTop(uint8_t v) { FPageHeadToTop = v; }
    uint32_t PageHeight() const { return FPageHeight; }
    void SetPageHeight(uint32_t mm);
    TPageOrientation PageOrientation() const { return FPageOrientation; }
    void SetPageOrientation(TPageOrientation v);
    TPageStyle PageStyle() const { return FPageStyle; }
    void SetPageStyle(TPageStyle v);
    uint32_t PageWidth() const { return FPageWidth; }
    void SetPageWidth(uint32_t mm);
    TPen* Pen() const { return FPen.get(); }
    void SetPen(const TPen* v);
    bool PrintABorder() const { return FPrintABorder; }
    void SetPrintABorder(bool v) { FPrintABorder = v; }
    uint8_t PrintABordertoBottom() const { return FPrintABordertoBottom; }
    void SetPrintABordertoBottom(uint8_t v) { FPrintABordertoBottom = v; }
    uint8_t PrintABordertoLeft() const { return FPrintABordertoLeft; }
    void SetPrintABordertoLeft(uint8_t v) { FPrintABordertoLeft = v; }
    uint8_t PrintABordertoRight() const { return FPrintABordertoRight; }
    void SetPrintABordertoRight(uint8_t v) { FPrintABordertoRight = v; }
    uint8_t PrintABordertoTop() const { return FPrintABordertoTop; }
    void SetPrintABordertoTop(uint8_t v) { FPrintABordertoTop = v; }
    bool PrintBackground() const { return FPrintBackground; }
    void SetPrintBackground(bool v) { FPrintBackground = v; }
    double Ratio() const { return FRatio; }
    void SetRatio(double v);
    bool ResizeEnable() const { return FResizeEnable; }
    void SetResizeEnable(bool v) { FResizeEnable = v; }
    bool ReturnToSelecting() const { return FReturnToSelecting; }
    void SetReturnToSelecting(bool v) { FReturnToSelecting = v; }
    int RotateConstraintDegree() const { return FRotateConstraintDegree; }
    void SetRotateConstraintDegree(int v);
    bool RotateEnable() const { return FRotateEnable; }
    void SetRotateEnable(bool v) { FRotateEnable = v; }
    TDrawTool ShapeTool() const { return FShapeTool; }
    void SetShapeTool(TDrawTool v);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    bool ShowHotLink() const { return FShowHotLink; }
    void SetShowHotLink(bool v) { FShowHotLink = v; }
    bool Snap() const { return FSnap; }
    void SetSnap(bool v) { FSnap = v; }
    uint8_t SnapPixels() const { return FSnapPixels; }
    void SetSnapPixels(uint8_t v);
    bool SnapShape() const { return FSnapShape; }
    void SetSnapShape(bool v) { FSnapShape = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    TUnits TheUNIT() const { return FTheUNIT; }
    void SetTheUNIT(TUnits v);
    uint8_t UndoRedoSize() const { return FUndoRedoSize; }
    void SetUndoRedoSize(uint8_t v);
    TUserData* UserData() const { return FUserData.get(); }
    QString Version() const { return QStringLiteral("XP.i.4"); }
    TXYMode XYMode() const { return FXYMode; }
    void SetXYMode(TXYMode v) { FXYMode = v; }
    double Zoom() const { return FZoom; }
    void SetZoom(double v);
    TActionTools ActionTool() const;
    // The tool stored without the setter's side effects (the mouse machine goes back to
    // selecting after a shape was drawn).
    void StoreShapeTool(TDrawTool v) { FShapeTool = v; }
    bool Loading() const { return FLoading; }
    // Set while a drawing or a block is read: a group's attribute changes are then not
    // passed on to its members, which bring their own.
    void SetLoading(bool v) { FLoading = v; }
    bool Busy() const { return FBusy; }

    // ---- Events ---------------------------------------------------------------------
    TActionToolToSelecting OnActionToolToSelecting;
    TChildhapeSelected OnChildShapeSelected;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TLayerOp OnDeleteLayer;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TEnterLeaveShape OnMouseEnterShape;
    TEnterLeaveShape OnMouseLeaveShape;
    TLayerOp OnNewLayer;
    TNodeAdded OnNodeAdded;
    TNodeDeleted OnNodeDeleted;
    TNotifyEvent OnPaint;
    TShapeAdded OnShapeAdded;
    TShapeCodeDraggingSizing OnShapeCodeDragging;
    TShapeCodeRotating OnShapeCodeRotating;
    TShapeDeleted OnShapeDeleted;
    TShapeMouseDraggingSizingRotating OnShapeMouseDragging;
    TShapeMouseDraggingSizingRotating OnShapeMouseResizing;
    TShapeMouseDraggingSizingRotating OnShapeMouseRotating;
    TShapeMouseDraggingSizingRotating OnShapeMouseDragged;
    TShapeMouseDraggingSizingRotating OnShapeMouseResized;
    TShapeMouseDraggingSizingRotating OnShapeMouseResizeFinished;
    TShapeMouseDraggingSizingRotating OnShapeMouseRotated;
    TShapeSelected OnShapeSelected;
    TWholeDragOperation OnWholeDragged;
    // An action was recorded, undone or redone, or the history was cleared: what CanUndo,
    // CanRedo and the action texts answer may have changed.
    TNotifyEvent OnUndoRedoChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The control's size was changed from outside: the page follows it.
    virtual void Resize();
    // Qt's mouse events, handed to MouseDown, MouseMove and MouseUp (MyCADMouse.cpp).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:

    void SetControlSize(int Width, int Height);
    // Replaces the drawing by one read completely from a stream (MyCADFiles.cpp).
    void TakeLoadedDrawing(struct TLoadedDrawing& Drawing);
    int PageMmToPixels(uint32_t mm) const;
    void ShapeListChanged()
    {
        FShapeIndex.Invalidate();
        ++FShapeListGeneration;
    }
    void PaintRect(const TRect& Clip);
    TPaintIndex::TExtent PaintExtent(const TMyShape* Shape) const;
    TPaintIndex::TKey PaintKey() const
    {
        return {FShapeListGeneration, FGeometryGeneration, FExtentGeneration, FZoom};
    }
    // The top-level shapes of visible layers that can show in R, in drawing order.
    void ShapesToPaint(const TRect& R, std::vector<int>& Out, std::vector<char>* Meets = nullptr);
    // Draws a shape tree and lists, in pre-order, the shapes in it that have link points.
    void DrawShapeTree(TCanvas* Canvas, TMyShape* Shape, int Depth, std::vector<TMyShape*>& LinkHolders);
    // Appends those of the shape and, recursively, its members that have link points.
    void CollectLinkHolders(TMyShape* Shape, std::vector<TMyShape*>& Out, int Depth) const;
    // Tidies the shape and, recursively, its members before the pass, leaving out
    // invisible shapes with their members (as painting does).
    void TidyVisibleTree(TMyShape* Shape, int Depth);
    // The connectors among the shapes the pass draws tidy their points (MergePoints).
    void TidyConnectorsToPaint();
    // Lists the shapes that can show in R (control pixels) as the pass's, and tidies them.
    void PrepareShapesToPaint(const TRect& R);
    // Draws the listed shapes with R's top-left (pass pixels) at the canvas origin.
    void DrawPreparedShapes(TCanvas* Canvas, const TRect& R);
    // Composes FBuffer for a clip rectangle of the control at a screen pixel ratio.
    void DrawAllDense(const TRect& Clip, double Ratio);
    // The screen image's pixels that cover a rectangle of the control.
    TRect ToScreenPixels(const TRect& R) const;
    int HeadFootX(int TextWidth, int BitmapWidth, TAlignment Alignment) const;
    // ---- Pictures and paper ---------------------------------------------------------
    // The page at the current zoom composed into a new pf24bit bitmap of the control's size.
    bool ComposePage(TBitmap& Bitmap, bool Fill);
    // The visible root shapes of the listed layers (every layer for none), in list order.
    std::vector<TMyShape*> RootsByLayer(const std::vector<int>& LayerIds) const;
    std::vector<TMyShape*> VisibleRootWorkingShapes() const;
    // Each shape with its members by the rule of the paint pass, without link marks.
    void DrawRoots(TCanvas* Canvas, const std::vector<TMyShape*>& Roots);
    bool PrintRoots(const std::vector<TMyShape*>& Roots, double Scale, bool AtPaperEdge);
    void PrintBkBitmapOn(TPrintPage& Page, double Zoom);
    void PrintBorderOn(TPrintPage& Page);
    void PrintHeadFootOn(TPrintPage& Page);
    bool PreviewPage(TBitmap* Bitmap, double Zoom, int MaxWidth, int MaxHeight, const std::vector<TMyShape*>& Roots);
    void DebugText(int X, int Y, const QString& Text);
    // Frees every shape and empties the list (no events). It and RemoveShapes are the
    // only ways shapes leave the list: both drop the working shapes that go first.
    void FreeAllShapes();
    // Adds copies of the memory shapes (MyCADMemShapes.cpp): as a clipboard paste (last
    // memory shape first, moved by 4 units, on the current layer, with OnShapeAdded) or
    // as a block (in order, in place, on their layers, silently). Relations that lead
    // outside the memory shapes become none. Returns the pasted top-level shapes.
    TArrMyShape PasteMemShapes(bool AsBlock);
    // Replaces the memory shapes by copies of the shapes and their members, each once,
    // each shape before its members; false when a shape could not be copied.
    bool FillMemShapes(const TArrMyShape& Shapes);
    // Draws the trees of Roots on Canvas moved by (DX, DY) document units, each shape
    // once: all are moved before any is drawn, so that their connectors hop over each
    // other as on the page; every shape's geometry is put back afterwards.
    void DrawTreesMoved(TCanvas* Canvas, const TArrMyShape& Roots, double DX, double DY);
    // The interaction state (the mouse machine's).
    TInteractionState& Interaction();
    const TInteractionState& Interaction() const;
    // ---- Editing helpers ---------------------------------------------------------------
    // S and its members, each once (members before their group when MembersFirst).
    TArrMyShape ShapeTreeOf(TMyShape* S, bool MembersFirst) const;
    // Marks S's tree for deletion (members first, locked shapes stay) in Doomed, by
    // position; appends the marked shapes to Order.
    void MarkForDeletion(TMyShape* S, std::vector<char>& Doomed, TArrMyShape& Order) const;
    // Takes every shape marked in Doomed out of the list in one pass, dropping and
    // renumbering every reference by number.
    void RemoveShapes(const std::vector<char>& Doomed);
    // Moves the shape at position i to NewNo[i] (a permutation), renumbering references.
    void ReorderShapes(const std::vector<int>& NewNo);
    // Moves every working shape so that one edge or centre line (0 left, 1 right, 2 top,
    // 3 bottom, 4 horizontal centre, 5 vertical centre) meets that of the box around them.
    void AlignWorkingShapes(int How);
    // DeleteShapesById with the shapes already looked up (Targets[k] is the shape with
    // identifier Ids[k], or nil).
    bool DeleteShapes(const std::vector<int>& Ids, std::vector<TMyShape*> Targets, bool AddUndo);
    // Records one action holding copies of exactly these shapes, in this order.
    void SaveUndoAction(const TArrMyShape& Shapes, const QString& ActionName);
    // Undo of a change of a connector: its ends attached as the record says.
    void ReattachConnector(TMyLinkLine* Line, const TSavedShape& Record);
    // Undo of a deletion: re-creates the collected copies at the end of the list, on the
    // current layer, or, with KeepLayers, on the layers they were on where those still exist.
    void RecreateDeletedShapes(const std::vector<const TSavedShape*>& Records, bool KeepLayers = false);
    // A record of S as it is now: a separate copy with the identifiers of its relations;
    // false when its class cannot be copied.
    bool CopyForHistory(TMyShape* S, TSavedShape& Record);
    // The parts of Redo for the actions that are more than one call.
    void RedoAddition(const TRedoStep& Step);
    void RedoChange(const TRedoStep& Step);
    void RedoDeletion(const TRedoStep& Step);
    void RedoGrouping(const TRedoStep& Step);
    // Applies Action to S and, recursively, its group members (members before their group
    // when MembersFirst, after it otherwise).
    void ForShapeTree(TMyShape* S, bool MembersFirst, const std::function<void(TMyShape*)>& Action, int Depth = 0);

    // Document state. The drawing owns its shapes; everything else refers to them.
    std::vector<std::unique_ptr<TMyShape>> FShapes;
    int FNextShapeId = 0;
    TArrMyShape FWorkingShapes;
    std::vector<std::unique_ptr<TMyShape>> FMemShapes;
    std::vector<LayerRec> FLayers;
    int FCurrentLayerId = -1;
    int FNextLayerId = 0;
    TMyShapeNo FDrawnShapes;
    // Per entry of FDrawnShapes after PrepareShapesToPaint: whether its paint extent meets
    // the pass's rectangle. A shape listed only for its size, elsewhere, has no pixel
    // there: the pass draws its link marks and nothing else.
    std::vector<char> FPassDraws;
    std::unique_ptr<TBitmap> FBuffer;
    bool FBusy = false;
    bool FLoading = false;
    double FPreZoom = 1.0;
    QString FDiskFileVersion = QStringLiteral("XP.i");
    // The picture shown on the screen, and the canvas that draws on it.
    QImage FScreen;
    std::unique_ptr<TCanvas> FCanvas;
    // The screen pixel ratio set (0: the window's), and the ratio of the pass under way.
    double FScreenPixelRatio = 0;
    double FPassPixelRatio = 1;
    // The parts of the control's picture that no paint pass has composed since they
    // changed.
    QRegion FStale;
    mutable TShapeIndex FShapeIndex;
    // The mouse state machine and the interaction state it owns.
    struct TMouseControllerDeleter {
        void operator()(TMouseController* Controller) const;
    };
    std::unique_ptr<TMouseController, TMouseControllerDeleter> FMouse;
    uint64_t FGeometryGeneration = 0;
    uint64_t FExtentGeneration = 0;
    TPaintIndex FPaintIndex;
    // The router and its index of combined shapes.
    std::unique_ptr<TConnectorRouter> FRouter;
    // The vertical connector segments of the paint pass under way, for the hops; valid
    // while FInPaintPass.
    THopIndex FHops;
    // Hops for drawings outside the paint pass (component/document/HopScope.h).
    class THopScope;
    // The roots a THopScope draws (empty: the pass's listed shapes).
    std::vector<const TMyShape*> FHopRoots;
    // The rows of the pass's part, with room for hops reaching into it: the index is
    // built for them first, and for all rows when a segment elsewhere asks.
    double FHopRowsLow = -HUGE_VAL, FHopRowsHigh = HUGE_VAL;
    // The index of the pass under way that serves a horizontal segment at Y, built on
    // first use; none outside a pass.
    const THopIndex* PassHopIndex(double Y);
    bool FInPaintPass = false;
    // Set while the paint pass draws shapes, or a copy moves shapes and puts them back:
    // neither is an edit of their extents.
    bool FPaintMovesShapes = false;

    // Editing state: the undo history, and the cursor confinement, which is released
    // when the control goes away in the middle of an operation.
    TUndoList FUndoList;
    // The undone actions, newest last, and whether Redo is recording one (a record made
    // then must not forget the others).
    std::vector<TRedoStep> FRedoSteps;
    bool FRedoing = false;
    // Counts the changes of the shape list, so that a batch operation notices when an
    // event handler changed the list under it.
    uint64_t FShapeListGeneration = 0;
    struct TCursorClip {
        bool Active = false;
        ~TCursorClip();
    } FCursorClip;

    // Settings.
    TArcMode FArcMode = TArcMode::amCircle;
    int FArrowAngle = 10;
    uint8_t FArrowLength = 30;
    uint8_t FArrowOffset = 0;
    TArrowStyle FArrowStyle = TArrowStyle::ANone;
    std::unique_ptr<TBitmap> FBkBitmap;
    TBkBitmapMode FBkBitmapMode = TBkBitmapMode::Center;
    std::unique_ptr<TBrush> FBrush;
    TColor FColorOfBackGround = clWhite;
    TColor FColorOfHot = clGray;
    bool FCrossLine = true;
    TDragMode FDragMode = TDragMode::dgBoth;
    bool FDragTrace = true;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TGridObject> FGridOperation;
    bool FHotShow = true;
    uint8_t FHotSize = 4;
    QPointer<QLabel> FLabelValue;
    QPointer<QLabel> FLabelXY;
    bool FLinklineAroundShape = true;
    TLinkLineDrawStyle FLinkLineDrawStyle = TLinkLineDrawStyle::lldsHV;
    TLinkLineRouter FLinkLineRouter = TLinkLineRouter::lrStandard;
    bool FLockBound = false;
    bool FMouseEffect = true;
    bool FOperateAllLayer = true;
    QString FPageFoot;
    TAlignment FPageFootAlignment = taRightJustify;
    std::unique_ptr<TFont> FPageFootFont;
    uint8_t FPageFootToBottom = 15;
    QString FPageHead;
    TAlignment FPageHeadAlignment = taCenter;
    std::unique_ptr<TFont> FPageHeadFont;
    uint8_t FPageHeadToTop = 15;
    uint32_t FPageHeight = 297;
    TPageOrientation FPageOrientation = TPageOrientation::poPortrait;
    TPageStyle FPageStyle = TPageStyle::A4;
    uint32_t FPageWidth = 210;
    std::unique_ptr<TPen> FPen;
    bool FPrintABorder = true;
    uint8_t FPrintABordertoBottom = 20;
    uint8_t FPrintABordertoLeft = 20;
    uint8_t FPrintABordertoRight = 20;
    uint8_t FPrintABordertoTop = 20;
    bool FPrintBackground = false;
    double FRatio = 1.0;
    bool FResizeEnable = true;
    bool FReturnToSelecting = true;
    int FRotateConstraintDegree = 0;
    bool FRotateEnable = true;
    TDrawTool FShapeTool = TDrawTool::SpSelecting;
    bool FShowHint = false;
    bool FShowHotLink = true;
    bool FSnap = true;
    uint8_t FSnapPixels = 4;
    bool FSnapShape = false;
    int FTag = 0;
    TUnits FTheUNIT = TUnits::mm;
    uint8_t FUndoRedoSize = 0;
    std::unique_ptr<TUserData> FUserData;
    TXYMode FXYMode = TXYMode::Mode0;
    double FZoom = 1.0;
};
