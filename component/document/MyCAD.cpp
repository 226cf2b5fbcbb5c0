// TMyCAD: construction and destruction of a drawing.
#include "component/document/MyCAD.h"

#include "component/editing/ConnectorRouter.h"
#include "component/editing/MouseController.h"
#include "component/shapes/MyShape.h"

#include <QLabel>

TMyCAD::TMyCAD(QWidget* parent)
    : QWidget(parent), FBuffer(std::make_unique<TBitmap>()), FBkBitmap(std::make_unique<TBitmap>()),
      FBrush(std::make_unique<TBrush>()), FFont(std::make_unique<TFont>()),
      FGridOperation(std::make_unique<TGridObject>()), FPageFootFont(std::make_unique<TFont>()),
      FPageHeadFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()),
      FUserData(std::make_unique<TUserData>())
{
    FMouse.reset(new TMouseController(*this));
    FRouter = std::make_unique<TConnectorRouter>(*this);
    // The control paints every pixel of its area itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    NewLayer(QStringLiteral("Layer0"), true);
    SetPageStyle(TPageStyle::A4);
    SetUndoRedoSize(10);
    setCursor(ToQtCursorShape(crCross));
}

TMyCAD::~TMyCAD()
{
    FMemShapes.clear();
    FreeAllShapes();
    FUndoRedoSize = 0;
    DeleteAllLayers();
}
