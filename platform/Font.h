#pragma once
// The font of a canvas. Besides the usual properties it carries the log-font attributes
// that text output changes and sets back (escapement, orientation, weight, quality, the
// average character width): read them all with GetLogFont(), change some, and give the
// record back with SetLogFont().
//
// Height and Size: Height is in logical units of the canvas the font draws on (pixels on
// a screen image). A negative Height is the character (em) height, a positive one the
// cell height (ascent + descent), 0 the default. Size is in points:
// Height = -round(Size * PixelsPerInch / 72) and Size = -round(Height * 72 / PixelsPerInch),
// rounding half to even. PixelsPerInch starts as ScreenPixelsPerInch().
//
// Every change fires OnChange and gives Serial() a new number. Fonts that were assigned
// one another share their values (and the Qt font made of them) until one of them
// changes (copy on write); the serial belongs to the values.
#include "mycad_export.h"
#include "ChangeEvent.h"
#include "Color.h"
#include "GraphicsTypes.h"

#include <QExplicitlySharedDataPointer>
#include <QFont>
#include <QMetaType>
#include <QString>

// The log-font record of the platform's font API.
struct MYCAD_EXPORT TLogFont {
    int32_t lfHeight = 0;      // as TFont::Height
    int32_t lfWidth = 0;       // average character width; 0 keeps the natural width
    int32_t lfEscapement = 0;  // angle of the base line, tenths of a degree, counter-clockwise on screen
    int32_t lfOrientation = 0; // angle of each character (stored; text follows the escapement)
    int32_t lfWeight = FW_NORMAL; // 100..900; 700 and more is bold; 0 means normal
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = DEFAULT_CHARSET;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = DEFAULT_QUALITY; // ANTIALIASED_QUALITY and above draw smoothed text
    uint8_t lfPitchAndFamily = DEFAULT_PITCH;
    QString lfFaceName;
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

struct TFontData;

class MYCAD_EXPORT TFont {
    Q_GADGET
    Q_PROPERTY(uint8_t Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(Graphics::TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(Graphics::TFontStyles Style READ Style WRITE SetStyle)
    Q_PROPERTY(Graphics::TFontQuality Quality READ Quality WRITE SetQuality)
    Q_PROPERTY(int PixelsPerInch READ PixelsPerInch WRITE SetPixelsPerInch DESIGNABLE false)
    Q_PROPERTY(int Escapement READ Escapement WRITE SetEscapement DESIGNABLE false)
    Q_PROPERTY(int Weight READ Weight WRITE SetWeight DESIGNABLE false)

public:
    // "DejaVu Sans", size 8 at ScreenPixelsPerInch(), black, no style, default pitch,
    // DEFAULT_CHARSET, default quality, no escapement.
    TFont();
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    static QString DefaultName() { return QStringLiteral("DejaVu Sans"); }

    QString Name() const;
    void SetName(const QString& value);
    int Size() const;
    void SetSize(int value);
    int Height() const;
    void SetHeight(int value);
    // Changing the resolution keeps Height (Size follows). Values below 1 are ignored.
    int PixelsPerInch() const;
    void SetPixelsPerInch(int value);
    TColor Color() const;
    void SetColor(TColor value);
    // fsBold reflects Weight >= FW_BOLD; setting it makes the weight FW_BOLD, clearing it FW_NORMAL.
    TFontStyles Style() const;
    void SetStyle(TFontStyles value);
    TFontPitch Pitch() const;
    void SetPitch(TFontPitch value);
    uint8_t Charset() const;
    void SetCharset(uint8_t value);
    TFontQuality Quality() const;
    void SetQuality(TFontQuality value);
    // Tenths of a degree. SetOrientation sets both the orientation and the escapement
    // (the whole text turns); SetEscapement only the escapement.
    int Orientation() const;
    void SetOrientation(int value);
    int Escapement() const;
    void SetEscapement(int value);
    int Weight() const;
    void SetWeight(int value);

    TLogFont GetLogFont() const;
    // Takes every attribute of the record (the colour stays), then fires OnChange once.
    void SetLogFont(const TLogFont& value);

    // Takes every attribute including the log-font ones (sharing them), then fires
    // OnChange once.
    void Assign(const TFont& source);
    // Whether both fonts have the same attributes, the log-font ones included.
    bool SameAs(const TFont& other) const;

    uint64_t Serial() const;

    // The Qt font for drawing in logical units: pixel size = the em height of Height,
    // family, weight, italic, underline, strike-out, fixed pitch, no kerning, and
    // antialiasing only for antialiased qualities. Escapement is left to the canvas.
    QFont ToQFont() const;
    // The em height in logical units that Height stands for (at least 1).
    int EmHeight() const;
    // True when the quality asks for smoothed glyphs.
    bool Antialiased() const;

    TChangeEvent OnChange;

private:
    // The font's own values, copied first while they are shared; takes a new serial.
    TFontData& Edit();
    void Changed();

    QExplicitlySharedDataPointer<TFontData> d;
};
