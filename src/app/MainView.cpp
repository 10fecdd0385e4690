#include "app/MainView.h"

#include "app/MainDlg.h"
#include "canvas/CanvasWnd.h"
#include "gfx/ResImage.h"
#include "gfx/Surface.h"
#include "panels/PenAttrPanel.h"
#include "panels/PenPanel.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {
constexpr COLORREF kBarGrey = MakeRgb(82, 82, 82);

std::unique_ptr<CResImage> LoadButton(const char* name)
{
    auto image = std::make_unique<CResImage>();
    image->LoadNamed(QString::fromLatin1(name));
    return image;
}
}  // namespace

CMainView::CMainView(CMainDlg& dlg, const QRect& geometry, QWidget* parent)
    : QWidget(parent),
      m_dlg(dlg),
      m_pNewImage(LoadButton("IDR_VIEW_NEW")),
      m_pSetupImage(LoadButton("IDR_VIEW_SETUP")),
      m_pSaveImage(LoadButton("IDR_VIEW_SAVE")),
      m_pExitImage(LoadButton("IDR_VIEW_EXIT"))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(geometry);
    const QRect client(0, 0, geometry.width(), geometry.height());
    m_pPenPanel = new CPenPanel(dlg, this);
    m_pPenPanel->setGeometry(PenPanelRect());
    m_pPenAttrPanel = new CPenAttrPanel(dlg, this);
    m_pPenAttrPanel->setGeometry(PenAttrPanelRect());
    m_pCanvas = new CCanvasWnd(
        dlg, QRect(0, m_nBarHeight, client.width(), std::max(client.height() - m_nBarHeight, 0)),
        this);
    // The panels show themselves once the canvas has made the picture; the
    // attribute panel's thumb starts at the current tool's width.
    m_pPenPanel->RefreshPanel();
    if (IsPenTool(dlg.m_nTool)) {
        m_pPenAttrPanel->SetWidthThumb(dlg.m_toolWidth[static_cast<std::size_t>(dlg.m_nTool)]);
    } else {
        m_pPenAttrPanel->RefreshPanel();
    }
    Layout();
}

CMainView::~CMainView() = default;

void CMainView::Layout()
{
    m_buttons = CommandBar::ComputeLayout(width(), m_pExitImage->GetSize(), m_pSaveImage->GetSize(),
                                          m_pSetupImage->GetSize(), m_pNewImage->GetSize());
    m_pBarSurface = std::make_unique<CMemSurface>(width(), m_nBarHeight, kBarGrey);
    m_pExitImage->DrawTransparent(*m_pBarSurface, m_buttons.exit.left(), m_buttons.exit.top());
    m_pSaveImage->DrawTransparent(*m_pBarSurface, m_buttons.save.left(), m_buttons.save.top());
    m_pSetupImage->DrawTransparent(*m_pBarSurface, m_buttons.setup.left(), m_buttons.setup.top());
    m_pNewImage->DrawTransparent(*m_pBarSurface, m_buttons.newPicture.left(),
                                 m_buttons.newPicture.top());
    update();
}

void CMainView::resizeEvent(QResizeEvent* /*event*/)
{
    if (m_pCanvas) {
        m_pCanvas->setGeometry(0, m_nBarHeight, width(), std::max(height() - m_nBarHeight, 0));
    }
    Layout();
}

void CMainView::paintEvent(QPaintEvent* event)
{
    // The panels and the canvas cover everything below and left of the
    // buttons; the view paints the bar and black wherever nothing covers.
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(event->rect(), Qt::black);
    p.drawImage(QPoint(0, 0), m_pBarSurface->Image());
}

void CMainView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int x = static_cast<int>(std::floor(event->position().x()));
    const int y = static_cast<int>(std::floor(event->position().y()));
    if (const std::optional<CommandBar::Command> command = CommandBar::HitTest(m_buttons, x, y)) {
        RunCommand(*command);
    }
}

void CMainView::RunCommand(CommandBar::Command command)
{
    switch (command) {
    case CommandBar::Command::Exit:
        // After this press is handled, as a posted command would be.
        QMetaObject::invokeMethod(
            &m_dlg, [dlg = &m_dlg] { dlg->close(); }, Qt::QueuedConnection);
        break;
    case CommandBar::Command::Save:
        m_dlg.SavePicture();
        break;
    case CommandBar::Command::Setup:
        m_dlg.OpenSettings();
        break;
    case CommandBar::Command::New:
        if (m_pCanvas && m_pCanvas->IsWelcome()) {
            m_pCanvas->DismissWelcome();
        } else {
            m_dlg.NewPicture();
        }
        break;
    }
}
