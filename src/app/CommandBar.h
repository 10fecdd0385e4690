#pragma once

#include <QRect>
#include <QSize>

#include <optional>

// The command bar across the top of the main view: its height, colour and
// the places of its four buttons.
namespace CommandBar {

inline constexpr int kBarHeight = 46;
inline constexpr int kButtonGap = 10;

enum class Command { Exit, Save, Setup, New };

struct Layout {
    QRect exit;
    QRect save;
    QRect setup;
    QRect newPicture;
};

// The buttons laid out from the right edge of a view `width` pixels wide,
// each vertically centred in the bar at its image's size. Exit comes first,
// then Save, Setup and New, 10 pixels apart.
Layout ComputeLayout(int width, QSize exitSize, QSize saveSize, QSize setupSize, QSize newSize);

// The button a press at (x, y) hits, tested Exit, Save, Setup, New; left and
// top edges inside, right and bottom outside.
std::optional<Command> HitTest(const Layout& layout, int x, int y);

}  // namespace CommandBar
