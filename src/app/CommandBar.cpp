#include "app/CommandBar.h"

namespace CommandBar {
namespace {
// A button whose right edge is `right`; integer division as the bar's
// centring rule states it.
QRect PlaceFromRight(int right, QSize size)
{
    const int top = (kBarHeight - size.height()) / 2;
    return QRect(right - size.width(), top, size.width(), size.height());
}

bool Contains(const QRect& r, int x, int y)
{
    return x >= r.left() && x < r.left() + r.width() && y >= r.top() && y < r.top() + r.height();
}
}  // namespace

Layout ComputeLayout(int width, QSize exitSize, QSize saveSize, QSize setupSize, QSize newSize)
{
    Layout l;
    l.exit = PlaceFromRight(width - kButtonGap, exitSize);
    l.save = PlaceFromRight(l.exit.left() - kButtonGap, saveSize);
    l.setup = PlaceFromRight(l.save.left() - kButtonGap, setupSize);
    l.newPicture = PlaceFromRight(l.setup.left() - kButtonGap, newSize);
    return l;
}

std::optional<Command> HitTest(const Layout& layout, int x, int y)
{
    if (Contains(layout.exit, x, y)) {
        return Command::Exit;
    }
    if (Contains(layout.save, x, y)) {
        return Command::Save;
    }
    if (Contains(layout.setup, x, y)) {
        return Command::Setup;
    }
    if (Contains(layout.newPicture, x, y)) {
        return Command::New;
    }
    return std::nullopt;
}

}  // namespace CommandBar
