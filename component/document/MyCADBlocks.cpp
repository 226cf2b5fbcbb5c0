// TMyCAD: drawing files added into the open drawing as blocks. The block is read whole
// into a document of its own by the drawing reader in block mode (relations that lead
// outside the block are kept for the paste to cut, loops are refused); only then does
// anything of this drawing change: its page settings, its layers (Import), the memory
// shapes and the undo history, and then the paste adds the shapes.
#include "component/document/MyCAD.h"

#include "component/persistence/DrawingStream.h"
#include "component/persistence/StreamPrimitives.h"
#include "component/shapes/MyShape.h"
#include "platform/UIServices.h"

#include <QFile>
#include <unordered_map>

namespace {

// The prefix of the layers an imported block adds.
const QString& BlockLayerPrefix()
{
    static const QString prefix = QStringLiteral("Block");
    return prefix;
}

} // namespace

bool TMyCAD::AddBlockfromZEDAFile(const QString& FileName, TBlockLayerMode Mode)
{
    if (!IsZEDAFile(FileName))
        return false;
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly) || !LoadFromStreamforBlock(file, Mode))
        return false; // nothing changed, the memory shapes included
    PasteforBlock();
    FMemShapes.clear();
    return true;
}

bool TMyCAD::LoadFromStreamforBlock(QIODevice& Stream, TBlockLayerMode Mode)
{
    TLoadedDrawing block;
    {
        const bool wasLoading = FLoading;
        FLoading = true;
        const bool read = (Stream.isSequential() || Stream.seek(0))
                          && ReadDrawing(Stream, *this, block, nullptr, TDrawingReadMode::Block);
        FLoading = wasLoading;
        if (!read)
            return false;
    }
    // Merged shapes need a layer of this drawing to land on.
    if (Mode == TBlockLayerMode::Merge && !block.Shapes.empty() && FLayers.empty()) {
        ShowMessage(QStringLiteral("Error!There is no Layer!"));
        return false;
    }

    // The block was read whole: from here on everything is assignment.
    FMemShapes.clear();
    FZoom = 1.0; // stored directly: the control keeps its size
    RemoveAllWorkingShapes();

    FDiskFileVersion = block.Version;
    FColorOfBackGround = block.BackgroundColor;
    // The canvas grows to the block's size, never shrinks.
    SetControlSize(std::max(width(), int(block.CanvasWidth)), std::max(height(), int(block.CanvasHeight)));
    FTheUNIT = block.Unit;
    if (block.BkBitmap && !block.BkBitmap->Empty()) {
        block.BkBitmap->SetPixelFormat(pf24bit);
        FBkBitmap->Assign(*block.BkBitmap);
    } else {
        FBkBitmap->Assign(TBitmap());
    }
    FBkBitmapMode = block.BkBitmapMode;
    FRatio = block.Ratio;
    if (block.HasTagAndUserData) {
        FTag = block.Tag;
        for (const TUserDataRecord& pair : block.UserData)
            FUserData->AddKeyandValue(pair.Key, pair.Value); // a key present keeps its value
    }

    // The layer every block layer identifier lands on. Import matches block layers with
    // this drawing's by position and adds a layer for each further one; a layer that
    // cannot be added (its name is taken, the list is full) falls back to the layer of
    // that name, else the current layer. Shapes on no layer of the block go to the
    // current layer as well.
    std::unordered_map<int, int> layerOf;
    if (Mode == TBlockLayerMode::Import) {
        const int n = GetLayersCount();
        const int m = int(block.Layers.size());
        std::vector<int> target(size_t(m), FCurrentLayerId);
        for (int p = 0; p < std::min(n, m); ++p)
            target[size_t(p)] = GetLayerIdByNo(p);
        for (int p = n; p < m; ++p) {
            const QString name = BlockLayerPrefix() + block.Layers[size_t(p)].Name;
            int id = NewLayer(name, true);
            if (id < 0)
                id = GetLayerIdByName(name);
            target[size_t(p)] = id >= 0 ? id : FCurrentLayerId;
        }
        // The last position holding an identifier decides.
        for (int p = 0; p < m; ++p)
            layerOf[block.Layers[size_t(p)].Id] = target[size_t(p)];
    }
    for (auto& shape : block.Shapes) {
        const auto it = layerOf.find(shape->LayerId());
        shape->SetLayerId(it != layerOf.end() ? it->second : FCurrentLayerId);
        shape->StoreName(QString());
    }
    FMemShapes = std::move(block.Shapes);
    ClearAllUndoStuff();
    return true;
}

void TMyCAD::PasteforBlock()
{
    PasteMemShapes(true);
}
