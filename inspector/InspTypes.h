#pragma once
// Vocabulary of the inspector control: the button a row gets, the in-place editor it
// uses, whether it can be expanded, what a mouse drag does, the item actions and the
// paint styles; and the types of the control's events.
//
// The enumerations are scoped, registered with Qt's meta-object system in the namespace
// InspEnums and brought into the global namespace with their members.
#include "mycad_export.h"
#include "platform/Color.h"

#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class TCustomInspector;

namespace InspEnums {
Q_NAMESPACE_EXPORT(MYCAD_EXPORT)

enum class TButtonType { btNone, btDropDown, btUpDown, btDialog };
Q_ENUM_NS(TButtonType)

enum class TInplaceEditorType { ieNone, ieEdit, ieCheckBox };
Q_ENUM_NS(TInplaceEditorType)

// esExpand: the row can be expanded; esCollapse: it is expanded and can be collapsed.
enum class TExpandState { esNone, esExpand, esCollapse };
Q_ENUM_NS(TExpandState)

// dkItem: a pressed button tracks the row under the mouse; dkSplitter: the column
// boundary is being dragged.
enum class TDragKind { dkNone, dkItem, dkSplitter };
Q_ENUM_NS(TDragKind)

enum class TItemAction { iaDoubleClick, iaButtonClick };
Q_ENUM_NS(TItemAction)

enum class TPaintStyle { psClassic, psTree, psMagic };
Q_ENUM_NS(TPaintStyle)

} // namespace InspEnums

using InspEnums::TButtonType;
using InspEnums::TDragKind;
using InspEnums::TExpandState;
using InspEnums::TInplaceEditorType;
using InspEnums::TItemAction;
using InspEnums::TPaintStyle;
using enum InspEnums::TButtonType;
using enum InspEnums::TInplaceEditorType;
using enum InspEnums::TExpandState;
using enum InspEnums::TDragKind;
using enum InspEnums::TItemAction;
using enum InspEnums::TPaintStyle;

// Events of the inspector control. The answer parameter is passed by reference and
// holds the default answer on entry.
using TInspectorStringEvent = std::function<void(TCustomInspector* Sender, int TheIndex, QString& Value)>;
using TInspectorSetValueEvent = std::function<void(TCustomInspector* Sender, int TheIndex, const QString& Value)>;
using TInspectorButtonTypeEvent = std::function<void(TCustomInspector* Sender, int TheIndex, TButtonType& Value)>;
using TInspectorEditorTypeEvent = std::function<void(TCustomInspector* Sender, int TheIndex, TInplaceEditorType& Value)>;
using TInspectorIntegerEvent = std::function<void(TCustomInspector* Sender, int TheIndex, int& Value)>;
using TInspectorBooleanEvent = std::function<void(TCustomInspector* Sender, int TheIndex, bool& Value)>;
using TInspectorExpandStateEvent = std::function<void(TCustomInspector* Sender, int TheIndex, TExpandState& Value)>;
using TInspectorDataEvent = std::function<void(TCustomInspector* Sender, int TheIndex, void*& Value)>;
using TInspectorValuesListEvent = std::function<void(TCustomInspector* Sender, int TheIndex, QStringList& Values)>;
using TInspectorFontEvent = std::function<void(TCustomInspector* Sender, int TheIndex, QFont& Value)>;
using TInspectorColorEvent = std::function<void(TCustomInspector* Sender, int TheIndex, TColor& Value)>;
// Handled is true on entry; a handler that leaves a row to the control's own editor
// sets it to false.
using TInspectorCallEditorEvent = std::function<void(TCustomInspector* Sender, int TheIndex, bool& Changed, bool& Handled)>;
using TInspectorItemEvent = std::function<void(TCustomInspector* Sender, int TheIndex)>;
using TInspectorNotifyEvent = std::function<void(TCustomInspector* Sender)>;
using TInspectorValidateCharEvent = std::function<void(TCustomInspector* Sender, int TheIndex, QChar Key, bool& Valid)>;
using TInspectorChangeValueEvent = std::function<void(TCustomInspector* Sender, int TheIndex, const QString& Value, bool ByUser)>;
// Paints a cell instead of the default painting.
using TInspectorDrawCellEvent = std::function<void(TCustomInspector* Sender, int TheIndex, QPainter& Painter, const QRect& Rect)>;
using TInspectorDoubleClickEvent = std::function<void(TCustomInspector* Sender, int TheIndex, bool& Allow)>;
