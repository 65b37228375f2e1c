// The menu window's windowless controls as a portable scene: each control's position,
// size, visibility and caption or picture, their stacking order, which one the pointer is
// over, and which rectangles need painting again after a change, in the pixels of the
// display density the scene is told.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu/ControlId.h"
#include "platform/Twips.h"

namespace lcime {

constexpr int kClientWidthTwips = 8925;
constexpr int kClientHeightTwips = 6645;

enum class ControlKind : uint8_t { Picture, Label };
enum class FontId : uint8_t { None, Heiti12, NewSong12, Arial9Bold };

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
    bool Overlaps(const PixelRect& o) const {
        return left < o.left + o.width && o.left < left + width && top < o.top + o.height && o.top < top + height;
    }
    bool operator==(const PixelRect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// Design values of one control, in twips.
struct ControlDesign {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    int left, top, width, height;
    bool visible;
    int picture;              // resource identifier of a picture control
    std::string_view caption; // label controls
    FontId font;
};

// The 39 controls in stacking order, topmost first.
extern const std::array<ControlDesign, kControlCount> kInventory;

const ControlDesign& DesignOf(ControlId id);

enum class Property : uint8_t { Visible, Left, Caption };

class Scene {
public:
    struct Control {
        int left = 0;  // twips; the only coordinate that changes at run time
        bool visible = false;
        std::string caption;
    };

    explicit Scene(int dpi = kDesignDpi);

    const Control& operator[](ControlId id) const { return controls_[Index(id)]; }
    int dpi() const { return dpi_; }
    static PixelRect ClientArea(int dpi);
    PixelRect ClientArea() const { return ClientArea(dpi_); }
    PixelRect Bounds(ControlId id) const;

    // Measures every rectangle again at another density and has the whole client area painted.
    void SetDpi(int dpi);

    void SetVisible(ControlId id, bool visible);
    void SetLeft(ControlId id, int twips);
    void SetCaption(ControlId id, std::string caption);

    // The visible controls that overlap `area`, in drawing order (bottom of the stack first).
    std::vector<ControlId> PaintOrder(const PixelRect& area) const;

    // The topmost visible control whose rectangle holds the pixel; none means bare window.
    std::optional<ControlId> HitTest(int x, int y) const;

    // Called after every property write, changed or not.
    std::function<void(ControlId, Property)> onWrite;
    // Called with each rectangle to paint again after a change.
    std::function<void(const PixelRect&)> onInvalidate;

private:
    static int Index(ControlId id) { return static_cast<int>(id); }
    void Invalidate(const PixelRect& rect);
    std::array<Control, kControlCount> controls_;
    int dpi_;
};

}  // namespace lcime
