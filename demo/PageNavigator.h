#pragma once
// Where the page sits in the scroll box and at what zoom: the zoom box, the zoom-in and
// zoom-out gestures with their dotted rectangle, panning by dragging (with the drag toggle
// or the middle button), Ctrl + wheel zoom about the cursor, fitting the page, and the two
// rulers kept in step with all of it and with the mouse.
#include <QObject>
#include <QPoint>
#include <QPointer>

class QComboBox;
class QScrollArea;
class QWidget;
class TMyCAD;
class TRsRuler;

class TPageNavigator : public QObject {
    Q_OBJECT
public:
    enum class TGesture { None, ZoomIn, ZoomOut, Pan };

    TPageNavigator(TMyCAD* Cad, QScrollArea* Box, TRsRuler* Top, TRsRuler* Left, QComboBox* ZoomBox,
                   QObject* Parent = nullptr);

    // The page's left and top edges in the scroll box (negative when scrolled).
    QPoint Edges() const;
    void SetEdges(QPoint Edges);
    void Centre();
    // Scale = ceiling(Zoom x 100), offsets = -edge / Zoom, on both rulers.
    void SyncRulers();
    // The hair lines at a page point (in pixels of the page).
    void TrackMouse(int X, int Y);

    // Sets the zoom within its bounds, centres the page and synchronises the rulers; the
    // zoom box shows the zoom. Returns the zoom set.
    double SetZoom(double Zoom);
    // The zoom that shows the whole page in the scroll box.
    void FitPage();
    // Zooms by Factor keeping the page point X, Y (page pixels) under the cursor.
    void ZoomAbout(double Factor, int X, int Y);

    // The gesture the toggles ask for on the next press (None: the drawing gets the mouse).
    void SetArmedGesture(TGesture Gesture) { FArmed = Gesture; }
    TGesture ArmedGesture() const { return FArmed; }
    bool InGesture() const { return FActive != TGesture::None; }
    // The mouse over the page, in page pixels. Press returns whether a gesture started
    // (then the drawing's tool is SpClose, so that it ignores the mouse).
    bool Press(int X, int Y, TGesture Gesture);
    void Move(int X, int Y);
    void Release(int X, int Y);
    // The dotted rectangle of a zoom gesture, in page pixels; empty when there is none.
    QRect BandRect() const;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ShowZoomText(double Zoom);
    void FinishZoomGesture(double Factor, double FocusX, double FocusY);

    TMyCAD* FCad;
    QScrollArea* FBox;
    QObject* FViewport = nullptr;
    TRsRuler* FTop;
    TRsRuler* FLeft;
    QComboBox* FZoomBox;
    QWidget* FBand = nullptr;
    TGesture FArmed = TGesture::None;
    TGesture FActive = TGesture::None;
    QPoint FPress;
    QPoint FCorner;
    bool FMiddlePan = false;
};
