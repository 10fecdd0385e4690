#include "panels/PanelImages.h"

#include "gfx/ResImage.h"

#include <QMouseEvent>
#include <QString>

#include <cmath>

std::unique_ptr<CResImage> LoadPanelImage(const QString& name)
{
    auto image = std::make_unique<CResImage>();
    image->LoadNamed(name);
    return image;
}

std::unique_ptr<CResImage> LoadPanelImage(const char* name)
{
    return LoadPanelImage(QString::fromLatin1(name));
}

QRect CenteredRect(int left, const QSize& size, int panelHeight)
{
    return QRect(left, (panelHeight - size.height()) / 2, size.width(), size.height());
}

QPoint PanelPoint(const QMouseEvent& event)
{
    return QPoint(static_cast<int>(std::floor(event.position().x())),
                  static_cast<int>(std::floor(event.position().y())));
}
