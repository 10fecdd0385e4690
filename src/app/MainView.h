#pragma once

#include "app/CommandBar.h"

#include <QWidget>

#include <memory>

class CCanvasWnd;
class CMainDlg;
class CMemSurface;
class CPenAttrPanel;
class CPenPanel;
class CResImage;

// The main window's only child: the command bar across the top (the two
// tool panels at its left, New / Setup / Save / Exit at its right) and the
// canvas below it over the full width.
class CMainView : public QWidget {
    Q_OBJECT

public:
    // Creates the two tool panels, the canvas (which creates the picture) and
    // loads the buttons.
    CMainView(CMainDlg& dlg, const QRect& geometry, QWidget* parent);
    ~CMainView() override;

    CCanvasWnd* GetCanvas() const { return m_pCanvas; }
    CPenPanel* GetPenPanel() const { return m_pPenPanel; }
    CPenAttrPanel* GetPenAttrPanel() const { return m_pPenAttrPanel; }
    const CommandBar::Layout& GetButtonLayout() const { return m_buttons; }

    // Where the pen panel and the pen-attribute panel sit: at the left of the
    // bar, the attribute panel one pixel right of the pen panel, each at its
    // background image's size.
    static QRect PenPanelRect() { return QRect(0, 0, 340, 46); }
    static QRect PenAttrPanelRect() { return QRect(341, 0, 296, 46); }

    // Runs the command bar's command (what a press on its button does).
    void RunCommand(CommandBar::Command command);

    static constexpr int m_nBarHeight = CommandBar::kBarHeight;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Layout();

    CMainDlg& m_dlg;
    // Child widgets, owned through Qt's parent.
    CPenPanel* m_pPenPanel = nullptr;
    CPenAttrPanel* m_pPenAttrPanel = nullptr;
    CCanvasWnd* m_pCanvas = nullptr;
    std::unique_ptr<CResImage> m_pNewImage;
    std::unique_ptr<CResImage> m_pSetupImage;
    std::unique_ptr<CResImage> m_pSaveImage;
    std::unique_ptr<CResImage> m_pExitImage;
    CommandBar::Layout m_buttons;
    std::unique_ptr<CMemSurface> m_pBarSurface;  // the bar as painted, rebuilt on resize
};
