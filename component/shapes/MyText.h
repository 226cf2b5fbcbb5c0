#pragma once
// TMyText: a text box. Its lines are laid out inside the rectangle with horizontal and
// vertical alignment and optional wrapping at characters; with no lines, Info is drawn
// as one centred line instead.
#include "mycad_export.h"
#include "component/shapes/MyRectangle.h"

#include <QStringList>
#include <cstdint>

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
    explicit TMyText(TMyCAD* OwnerCAD) : TMyRectangle(OwnerCAD) {}

    // The common copy and, from another text, IsBorder, IsSolid, Lines, HAlignment,
    // VAlignment and WordWrap. CharacterSpace is not copied.
    void Assign(const TMyShape* Source) override;

    // ---- Published properties (the setters only store) ------------------------------
    // Extra pixels between characters; used only for the single-line Info text. Neither
    // copied nor saved.
    int16_t CharacterSpace() const { return FCharacterSpace; }
    void SetCharacterSpace(int16_t v) { FCharacterSpace = v; }
    // Alignment of each line within the box width.
    TAlignment HAlignment() const { return FHAlignment; }
    void SetHAlignment(TAlignment v) { FHAlignment = v; }
    // Whether the box (outline and brush) is drawn under the text.
    bool IsBorder() const { return FIsBorder; }
    void SetIsBorder(bool v) { FIsBorder = v; }
    // False: only the outlines of the glyphs are stroked.
    bool IsSolid() const { return FIsSolid; }
    void SetIsSolid(bool v) { FIsSolid = v; }
    // The text, one entry per line.
    QStringList Lines() const { return FLines; }
    void SetLines(const QStringList& v) { FLines = v; }
    // Alignment of the block of lines within the box height.
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v) { FVAlignment = v; }
    // Whether lines wider than the box are broken.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }

protected:
    bool DrawsInfoCaption() const override { return false; }

private:
    int16_t FCharacterSpace = 0;
    TAlignment FHAlignment = taCenter;
    bool FIsBorder = false;
    bool FIsSolid = true;
    QStringList FLines;
    TVAlignment FVAlignment = vaMiddle;
    bool FWordWrap = false;
};
