// TMyCAD: saving and loading drawing streams and files.
#include "component/document/MyCAD.h"

#include "component/persistence/DrawingFormat.h"
#include "component/persistence/DrawingStream.h"
#include "component/persistence/StreamPrimitives.h"
#include "platform/Stream.h"
#include "platform/UIServices.h"
#include "component/shapes/MyShape.h"

#include <QFile>

bool TMyCAD::SaveToStream(QIODevice& Stream) const
{
    return WriteDrawing(*this, Stream);
}

bool TMyCAD::LoadFromStream(QIODevice& Stream)
{
    FLoading = true;
    bool ok = Stream.isSequential() || Stream.seek(0);
    if (ok) {
        TLoadedDrawing loaded;
        TDrawingReadError error = TDrawingReadError::None;
        ok = ReadDrawing(Stream, *this, loaded, &error);
        if (ok)
            TakeLoadedDrawing(loaded);
        else if (error == TDrawingReadError::NoLayer)
            ShowMessage(QStringLiteral("Error!There is no Layer!")); // the rule for shapes without a layer
    }
    FLoading = false;
    return ok;
}

// Everything here is assignment: the loaded document was checked completely before.
void TMyCAD::TakeLoadedDrawing(TLoadedDrawing& Drawing)
{
    // The paste buffer and the selection go, the zoom returns to 1 (directly, without the
    // setter's page resizing and events), every shape and layer is deleted.
    FMemShapes.clear();
    FZoom = 1.0;
    DeleteAllShapes();
    DeleteAllLayers();

    FDiskFileVersion = Drawing.Version;
    FColorOfBackGround = Drawing.BackgroundColor;
    SetControlSize(Drawing.CanvasWidth, Drawing.CanvasHeight);
    FTheUNIT = Drawing.Unit;
    if (Drawing.BkBitmap && !Drawing.BkBitmap->Empty()) {
        Drawing.BkBitmap->SetPixelFormat(pf24bit);
        FBkBitmap->Assign(*Drawing.BkBitmap);
    } else {
        FBkBitmap->Assign(TBitmap());
    }
    FBkBitmapMode = Drawing.BkBitmapMode;
    FRatio = Drawing.Ratio;
    if (Drawing.HasTagAndUserData) {
        FTag = Drawing.Tag;
        // Added to what the drawing holds: a key already present keeps its value.
        for (const TUserDataRecord& pair : Drawing.UserData)
            FUserData->AddKeyandValue(pair.Key, pair.Value);
    }

    FLayers = Drawing.Layers;
    FCurrentLayerId = Drawing.CurrentLayerId;
    FShapes = std::move(Drawing.Shapes);
    ShapeListChanged();
    FNextShapeId = Drawing.NextShapeId;
    FNextLayerId = Drawing.NextLayerId;
    // Nothing of the previous drawing can be undone into the loaded one.
    ClearAllUndoStuff();
    Invalidate();
}

bool TMyCAD::SaveToFile(const QString& FileName) const
{
    return SaveFileSafely(FileName, [this](QIODevice& file) { return SaveToStream(file); });
}

bool TMyCAD::SaveToFileold(const QString& FileName) const
{
    return SaveToFile(FileName);
}

bool TMyCAD::LoadFromFile(const QString& FileName)
{
    if (!IsZEDAFile(FileName))
        return false;
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The open drawing is replaced only when the whole file has read well.
    return LoadFromStream(file);
}

bool TMyCAD::IsZEDAFile(const QString& FileName) const
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString signature = TrimField(ReadStrBuffer(file, DrawingFormat::kSignatureWidth));
    return signature == QLatin1String(DrawingFormat::kSignature);
}

bool TMyCAD::WriteStrBuffer(QIODevice& Stream, const QString& S, uint8_t Count) const
{
    return ::WriteStrBuffer(Stream, S, Count);
}

QString TMyCAD::ReadStrBuffer(QIODevice& Stream, uint8_t Count) const
{
    return ::ReadStrBuffer(Stream, Count);
}

bool TMyCAD::WriteBitmapBuffer(QIODevice& Stream, const TBitmap* Bitmap) const
{
    return ::WriteBitmapBuffer(Stream, Bitmap);
}

bool TMyCAD::ReadBitmapBuffer(QIODevice& Stream, std::unique_ptr<TBitmap>& Bitmap) const
{
    Bitmap.reset();
    return ::ReadBitmapBuffer(Stream, Bitmap);
}
