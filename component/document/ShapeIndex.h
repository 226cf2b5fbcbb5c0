#pragma once
// Lookups of shapes by identifier and by name over the drawing's shape list, rebuilt
// lazily after the list, an identifier or a name changes. They answer the questions the
// drawing asks: the first and the last shape in list order with an identifier, and the
// first one with a name.
#include "mycad_export.h"
#include "component/base/MyTypes.h"

#include <QHash>
#include <QString>
#include <memory>
#include <unordered_map>
#include <vector>

using TOwnedShapes = std::vector<std::unique_ptr<TMyShape>>;

class MYCAD_EXPORT TShapeIndex {
public:
    // Forgets everything; the next lookup rebuilds from the list.
    void Invalidate()
    {
        FValid = false;
        FNamesValid = false;
    }
    // Positions in the list of the first and the last shape with the identifier, or
    // -1 when there is none.
    int FirstPositionOf(const TOwnedShapes& Shapes, int Id);
    int LastPositionOf(const TOwnedShapes& Shapes, int Id);
    // Position of the first shape with the name, or -1.
    int FirstPositionOfName(const TOwnedShapes& Shapes, const QString& Name);

private:
    struct Range {
        int First;
        int Last;
    };
    void Rebuild(const TOwnedShapes& Shapes);
    const Range* Find(const TOwnedShapes& Shapes, int Id);

    std::unordered_map<int, Range> FRanges;
    bool FValid = false;
    QHash<QString, int> FNames;
    bool FNamesValid = false;
};
