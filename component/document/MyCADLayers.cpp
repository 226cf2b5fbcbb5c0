// TMyCAD: the layer list.
#include "component/document/MyCAD.h"

#include "component/editing/InteractionState.h"

#include "component/shapes/MyShape.h"

int TMyCAD::NewLayer(const QString& Name, bool Visible)
{
    if (GetLayerNoByName(Name) >= 0)
        return -1;
    // The layer count is stored in a byte: a full list takes no more layers.
    if (int(FLayers.size()) >= MaxLayers)
        return -1;
    const int id = FNextLayerId;
    FLayers.push_back(LayerRec{Name, id, Visible});
    FCurrentLayerId = id;
    Fire(OnNewLayer, id, Name, Visible);
    ++FNextLayerId;
    return id;
}

bool TMyCAD::DeleteLayerByID(int Id)
{
    FWorkingShapes.clear();
    Interaction().CurrentShape = nullptr;
    const int no = GetLayerNoById(Id);
    if (no < 0)
        return false;
    std::vector<int> ids;
    for (const auto& shape : FShapes) {
        if (shape->LayerId() == Id && !shape->HasParentShape()) {
            shape->SetLocked(false);
            ids.push_back(shape->GetShapeId());
        }
    }
    // Each shape is deleted as by DeleteShapeById (one undo action each), in one pass.
    const bool result = DeleteShapesById(ids, true);
    if (result) {
        const LayerRec removed = FLayers[size_t(no)];
        FLayers.erase(FLayers.begin() + no);
        Fire(OnDeleteLayer, removed.Id, removed.Name, removed.Visible);
        FCurrentLayerId = FLayers.empty() ? -1 : FLayers.front().Id;
    }
    Invalidate();
    return result;
}

bool TMyCAD::DeleteLayerByName(const QString& Name)
{
    return DeleteLayerByID(GetLayerIdByName(Name));
}

bool TMyCAD::DeleteAllLayers()
{
    bool result = true;
    // Deleting shifts the list: take the identifiers first, in list order.
    std::vector<int> ids;
    for (const LayerRec& layer : FLayers)
        ids.push_back(layer.Id);
    for (int id : ids)
        result = DeleteLayerByID(id);
    if (!ids.empty() && result) {
        FCurrentLayerId = -1;
        FNextLayerId = 0;
    }
    return result;
}

bool TMyCAD::MergeLayers(int TargetId, int SourceId)
{
    if (TargetId == SourceId || GetLayerNoById(TargetId) < 0 || GetLayerNoById(SourceId) < 0)
        return false;
    for (const auto& shape : FShapes)
        if (shape->LayerId() == SourceId)
            shape->SetLayerId(TargetId);
    FCurrentLayerId = TargetId;
    return DeleteLayerByID(SourceId);
}

// Lookups scan the whole list: when a name or identifier occurs twice the last match wins.
int TMyCAD::GetLayerIdByName(const QString& Name) const
{
    const int no = GetLayerNoByName(Name);
    return no < 0 ? -1 : FLayers[size_t(no)].Id;
}

int TMyCAD::GetLayerIdByNo(int No) const
{
    if (No < 0 || No >= int(FLayers.size()))
        return -1;
    return FLayers[size_t(No)].Id;
}

int TMyCAD::GetLayerNoById(int Id) const
{
    int found = -1;
    for (size_t i = 0; i < FLayers.size(); ++i)
        if (FLayers[i].Id == Id)
            found = int(i);
    return found;
}

int TMyCAD::GetLayerNoByName(const QString& Name) const
{
    int found = -1;
    for (size_t i = 0; i < FLayers.size(); ++i)
        if (FLayers[i].Name == Name)
            found = int(i);
    return found;
}

QString TMyCAD::GetLayerNameByID(int Id) const
{
    const int no = GetLayerNoById(Id);
    return no < 0 ? QString() : FLayers[size_t(no)].Name;
}

int TMyCAD::GetMaxLayerId() const
{
    return FLayers.empty() ? -1 : FLayers.back().Id;
}

void TMyCAD::SetCurrentLayerId(int Id)
{
    if (GetLayerNoById(Id) < 0)
        return;
    FCurrentLayerId = Id;
    FWorkingShapes.clear();
}

void TMyCAD::SetLayerNameByID(const QString& NewName, int Id)
{
    const int no = GetLayerNoById(Id);
    if (no >= 0)
        FLayers[size_t(no)].Name = NewName;
}

void TMyCAD::SetLayerNameByName(const QString& NewName, const QString& OldName)
{
    for (LayerRec& layer : FLayers)
        if (layer.Name == OldName)
            layer.Name = NewName;
}

void TMyCAD::VisibleLayerByID(int Id)
{
    const int no = GetLayerNoById(Id);
    if (no >= 0)
        FLayers[size_t(no)].Visible = true;
    Invalidate();
}

void TMyCAD::VisibleLayerByName(const QString& Name)
{
    VisibleLayerByID(GetLayerIdByName(Name));
}

void TMyCAD::InVisibleLayerByID(int Id)
{
    const int no = GetLayerNoById(Id);
    if (no >= 0)
        FLayers[size_t(no)].Visible = false;
    Invalidate();
}

void TMyCAD::InVisibleLayerByName(const QString& Name)
{
    InVisibleLayerByID(GetLayerIdByName(Name));
}

void TMyCAD::VisibleAllLayer()
{
    for (LayerRec& layer : FLayers)
        layer.Visible = true;
    Invalidate();
}

bool TMyCAD::IsVisibleLayerByID(int Id) const
{
    const int no = GetLayerNoById(Id);
    return no >= 0 && FLayers[size_t(no)].Visible;
}
