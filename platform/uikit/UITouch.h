#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UIView.h"

#include <cstdint>
#include <optional>
#include <vector>

class NSSet;
class UIWindow;

enum class UITouchPhase { Began, Moved, Stationary, Ended, Cancelled };

// One finger on the screen, from press to release. It belongs to the view it
// first landed on (a scroll view can take it over) and knows where it is in
// its window; views ask for the location in their own coordinates.
class PLATFORM_EXPORT UITouch final : public NSObject {
public:
    static Class* staticClass();
    UITouch(UIWindow* window, UIView* view, CGPoint locationInWindow);

    UITouchPhase phase() const { return m_phase; }
    UIView* view() const { return m_view.get(); }
    UIWindow* window() const;
    int tapCount() const { return 1; }

    // The location in the view's coordinates; nothing for the window's.
    CGPoint locationInView(UIView* view) const;
    CGPoint previousLocationInView(UIView* view) const;
    CGPoint locationInWindow() const { return m_location; }
    CGPoint startLocationInWindow() const { return m_startLocation; }

    // Moved by the window as the host's finger moves.
    void moveTo(CGPoint locationInWindow, UITouchPhase phase);
    void setView(UIView* view);

private:
    CGPoint convertToView(CGPoint location, UIView* view) const;
    // The location kept from the last conversion, when it was for this
    // object and nothing has moved since.
    std::optional<CGPoint> keptLocationInView(const NSObject* view) const
    {
        if (m_converted && m_converted->view == view
            && m_converted->geometryGeneration == UIView::geometryGeneration())
            return m_converted->location;
        return std::nullopt;
    }
    CGPoint convertAndKeep(UIView* view) const;

    // The last location asked for, in the view it was asked for: the keyboard
    // and the gesture it carries each read a moved touch in the same view,
    // and converting walks both views' ancestors. Kept until the touch moves
    // or any view's place in its window changes.
    struct ConvertedLocation {
        const NSObject* view { nullptr };
        std::uint64_t geometryGeneration { 0 };
        CGPoint location;
    };

    WeakPtr<UIWindow> m_window;
    // Not held: a view torn down mid-touch (the keyboard leaving) goes, and
    // the finger's later events reach nothing.
    WeakPtr<UIView> m_view;
    CGPoint m_location;
    CGPoint m_previousLocation;
    CGPoint m_startLocation;
    UITouchPhase m_phase { UITouchPhase::Began };
    mutable std::optional<ConvertedLocation> m_converted;
};

// The touches of a set, in its order; none for no set.
PLATFORM_EXPORT std::vector<UITouch*> touchesOf(NSSet* touches);
