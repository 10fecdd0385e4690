#include "panels/PanelSupport.h"

#include "gfx/ResImage.h"
#include "gfx/Surface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
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

CMemSurface& PanelCache(std::unique_ptr<CMemSurface>& cache, const QSize& size)
{
    if (!cache) {
        cache = std::make_unique<CMemSurface>(size.width(), size.height(), MakeRgb(255, 255, 255));
    }
    return *cache;
}

void CopyToPanel(QWidget& panel, const QImage& image)
{
    QPainter p(&panel);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), image);
}
