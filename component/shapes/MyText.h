#pragma once
// TMyText: a text box. Its lines are laid out inside the rectangle with horizontal and
// vertical alignment and optional wrapping at characters; with no lines, Info is drawn
// as one centred line instead. The layout is recomputed from the box, the font, the zoom
// and the flags at every draw; the line breaks are cached per line, width and font.
#include "mycad_export.h"
#include "component/shapes/MyRectangle.h"

#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class TTextLayoutCache;

class MYCAD_EXPORT TMyText : public TMyRectangle {
    Q_OBJECT
    Q_PROPERTY(int16_t CharacterSpace READ CharacterSpace WRITE SetCharacterSpace)
    Q_PROPERTY(Graphics::TAlignment HAlignment READ HAlignment WRITE SetHAlignment)
    Q_PROPERTY(bool IsBorder READ IsBorder WRITE SetIsBorder)
    Q_PROPERTY(bool IsSolid READ IsSolid WRITE SetIsSolid)
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
    Q_PROPERTY(MyCADEnums::TVAlignment VAlignment READ VAlignment WRITE SetVAlignment)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    explicit TMyText(TMyCAD* OwnerCAD);
    ~TMyText() override;

    // ---- Overridden operations ------------------------------------------------------
    // The common copy and, from another text, IsBorder, IsSolid, Lines, HAlignment,
    // VAlignment and WordWrap. CharacterSpace is not copied.
    void Assign(const TMyShape* Source) override;
    // The box (with IsBorder), then every laid-out line at the shape's angle, or the Info
    // line when there are no lines; with IsSolid off the glyph outlines are stroked with
    // the canvas pen instead of filled.
    void Draw(TCanvas* Canvas) override;
    // The mirror of the rectangle, then the corners put back in reading order (P0 top-left)
    // and the angle turned so that the lines stay readable.
    void FlipHoriz() override;
    void FlipVert() override;
    // Info, unchanged.
    QString GetInfo() override;
    // Where the text shows (document units), which may reach beyond the box.
    bool FigureBox(TMyRect& Box) const override;

    // ---- Helpers of DXF export and import ---------------------------------------------
    // The glyph outlines of the text laid out as Draw lays it out (wrapping included;
    // without border, character spacing or mirroring), flattened: vertices in screen
    // pixels with their path kinds (PT_MOVETO, PT_LINETO, PT_CLOSEFIGURE or-ed into a
    // figure's last vertex). False, and both lists empty, when the text gives no outline.
    // A null canvas measures with a canvas of its own.
    bool GetPathPoints(TCanvas* Canvas, TArrPoint& Points, std::vector<uint8_t>& Kinds) const;
    // Fits the box to the single-line Info text in the shape's font at scale 1: turned back
    // to angle 0 about its centre, P1, P2 and P3 placed from P0 by the text's extent,
    // turned forward again; the centre becomes the middle of the box. A null canvas
    // measures with a canvas of its own.
    void reCaclpoints(TCanvas* Canvas);

    // ---- Published properties (the setters only store) ------------------------------
    // Extra pixels between characters; used only for the single-line Info text. Neither
    // copied nor saved.
    int16_t CharacterSpace() const { return FCharacterSpace; }
    void SetCharacterSpace(int16_t v);
    // Alignment of each line within the box width.
    TAlignment HAlignment() const { return FHAlignment; }
    void SetHAlignment(TAlignment v);
    // Whether the box (outline and brush) is drawn under the text.
    bool IsBorder() const { return FIsBorder; }
    void SetIsBorder(bool v) { FIsBorder = v; }
    // False: only the outlines of the glyphs are stroked.
    bool IsSolid() const { return FIsSolid; }
    void SetIsSolid(bool v) { FIsSolid = v; }
    // The text, one entry per line.
    QStringList Lines() const { return FLines; }
    void SetLines(const QStringList& v);
    // Alignment of the block of lines within the box height.
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    // Whether lines wider than the box are broken (at characters).
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);

    // The lines as Draw lays them out on the canvas at the drawing's zoom: Lines, or their
    // pieces when WordWrap is on.
    QStringList LaidOutLines(TCanvas* Canvas) const;

protected:
    bool DrawsInfoCaption() const override { return false; }

private:
    struct TFrame;
    struct TPlacedLine;
    // Zoom, angle, the box size in pixels, the rotation centre and the unrotated top-left.
    TFrame MakeFrame() const;
    // The lines at their output points (rounded, already turned by the angle).
    std::vector<TPlacedLine> PlaceLines(TCanvas* Canvas, const TFrame& Frame, int& LineHeight) const;
    // The output point of the Info line of the given extent.
    TPoint InfoPoint(const TFrame& Frame, TSize Extent) const;
    // Outputs the lines; Visible limits them to those that can touch it (null: all).
    // KeepGlyphs draws with (and keeps) the glyphs of the pieces in the layout cache.
    void OutputLines(TCanvas* Canvas, const TFrame& Frame, const TRect* Visible, bool KeepGlyphs) const;
    // Outputs the Info line; Decorated adds the character spacing and the mirroring.
    void OutputInfo(TCanvas* Canvas, const TFrame& Frame, bool Decorated) const;

    int16_t FCharacterSpace = 0;
    TAlignment FHAlignment = taCenter;
    bool FIsBorder = false;
    bool FIsSolid = true;
    QStringList FLines;
    TVAlignment FVAlignment = vaMiddle;
    bool FWordWrap = false;
    // The layout of the lines, made when the text is first laid out.
    mutable std::unique_ptr<TTextLayoutCache> FLayout;
};
