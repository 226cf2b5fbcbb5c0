#pragma once
// The event types of the drawing. Each event is a public std::function member of the
// drawing; an empty one is skipped. Parameters passed by reference may be changed by
// the handler.
#include "platform/Input.h"
#include "platform/Types.h"

#include <QString>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class QObject;
class TMyShape;

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TActionToolToSelecting = std::function<void()>;
using TChildhapeSelected = std::function<void(TMyShape* SelectedChildShape, bool& AcceptSelect)>;
using TLayerOp = std::function<void(int LayerId, const QString& LayerName, bool Visible)>;
using TMouseEvent = std::function<void(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, TShiftState Shift, int X, int Y)>;
using TEnterLeaveShape = std::function<void(TMyShape* AShape)>;
using TNodeAdded = std::function<void(TMyShape*& AShape, int NewPointIndex)>;
using TNodeDeleted = std::function<void(TMyShape*& AShape, int DeletedPointIndex)>;
using TShapeAdded = std::function<void(TMyShape*& AShape, int ShapeCount)>;
using TShapeCodeDraggingSizing = std::function<void(TMyShape* AShape, float dx, float dy)>;
using TShapeCodeRotating = std::function<void(TMyShape* AShape, float AAngle)>;
using TShapeDeleted = std::function<void(TMyShape* AShape)>;
using TShapeMouseDraggingSizingRotating = std::function<void(TMyShape* AShape, TPoint FromPoint, TPoint& ToPoint)>;
using TShapeSelected = std::function<void(TMyShape* LastSelectedShape, TMyShape* SelectedShape)>;
using TWholeDragOperation = std::function<void()>;
using TDragDropEvent = std::function<void(QObject* Sender, QObject* Source, int X, int Y)>;
using TDragOverEvent = std::function<void(QObject* Sender, QObject* Source, int X, int Y, bool& Accept)>;

// A notify event held in one pointer, for objects that come by the hundred thousand and
// seldom have a handler (shapes): assigned, tested and called as a TNotifyEvent is.
class TCompactNotifyEvent {
public:
    TCompactNotifyEvent() = default;
    TCompactNotifyEvent(const TCompactNotifyEvent& Other) { *this = Other; }
    TCompactNotifyEvent& operator=(const TCompactNotifyEvent& Other)
    {
        if (this != &Other)
            FHandler = Other ? std::make_unique<TNotifyEvent>(*Other.FHandler) : nullptr;
        return *this;
    }
    TCompactNotifyEvent& operator=(std::nullptr_t)
    {
        FHandler.reset();
        return *this;
    }
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TCompactNotifyEvent>
                                                      && !std::is_same_v<std::decay_t<F>, std::nullptr_t>>>
    TCompactNotifyEvent& operator=(F&& Handler)
    {
        TNotifyEvent handler(std::forward<F>(Handler));
        FHandler = handler ? std::make_unique<TNotifyEvent>(std::move(handler)) : nullptr;
        return *this;
    }
    explicit operator bool() const { return FHandler && *FHandler; }
    void operator()(QObject* Sender) const
    {
        if (*this)
            (*FHandler)(Sender);
    }

private:
    std::unique_ptr<TNotifyEvent> FHandler;
};

// Fires an event when it is assigned.
template <typename Event, typename... Args>
inline void Fire(const Event& event, Args&&... args)
{
    if (event)
        event(std::forward<Args>(args)...);
}
