#include "canvas/MainHub.h"

#include "canvas/Picture.h"
#include "canvas/PictureSteps.h"

CMainHub::CMainHub() = default;

CMainHub::~CMainHub() = default;

// The steps of the history refer to the picture they changed: a new
// picture starts a new history.
void CMainHub::AdoptPicture(std::unique_ptr<CPicture> picture)
{
    m_history.Clear();
    m_pPicture = std::move(picture);
}

void CMainHub::DestroyPicture()
{
    m_history.Clear();
    m_pPicture.reset();
}

void CMainHub::Call(const std::function<void()>& hook)
{
    if (hook) {
        hook();
    }
}

void CMainHub::SelectTool(int tool)
{
    m_nTool = tool;
    if (IsPenTool(tool) && m_setWidthThumb) {
        m_setWidthThumb(m_toolWidth[static_cast<std::size_t>(tool)]);
    }
}

void CMainHub::SelectEraser()
{
    m_nTool = kEraserTool;
    Call(m_refreshPenAttrPanel);
}

void CMainHub::SetToolWidth(int width)
{
    if (!IsPenTool(m_nTool)) {
        return;
    }
    m_toolWidth[static_cast<std::size_t>(m_nTool)] = width;
    m_toolWidth[static_cast<std::size_t>(TwinTool(m_nTool))] = width;
    Call(m_refreshPenPanel);
}

void CMainHub::ToggleRecognition()
{
    if (IsPenTool(m_nTool)) {
        int& flag = m_toolRecog[static_cast<std::size_t>(m_nTool)];
        flag = flag ? 0 : 1;
    }
}

void CMainHub::ClickColor(int i)
{
    if (!IsPenTool(m_nTool) || i < 0 || i > 2) {
        return;
    }
    const auto tool = static_cast<std::size_t>(m_nTool);
    const auto slot = static_cast<std::size_t>(i);
    // A single-colour tool's first click on another button only selects it.
    if (!IsMulticolorTool(m_nTool) && m_toolColorSel[tool] != i) {
        m_toolColorSel[tool] = i;
        return;
    }
    if (!m_chooseColor) {
        return;
    }
    if (const std::optional<COLORREF> chosen = m_chooseColor(m_toolColor[tool][slot])) {
        m_toolColor[tool][slot] = *chosen;
        Call(m_refreshPenAttrPanel);
    }
}

void CMainHub::PickSymbol()
{
    if (!m_chooseSymbol) {
        return;
    }
    if (const std::optional<SymbolChoice> chosen = m_chooseSymbol(m_symbolChar)) {
        m_symbolChar = chosen->ch;
        m_symbolFont = chosen->font;
        Call(m_refreshPenPanel);
    }
}

void CMainHub::NewPicture()
{
    Call(m_finishDrag);
    if (m_pPicture && m_pPicture->GetStrokeCount() > 0) {
        m_history.Push(std::make_unique<CClearStep>(*m_pPicture));
    }
}

bool CMainHub::Undo()
{
    Call(m_finishDrag);
    return m_pPicture && m_history.Undo();
}

bool CMainHub::Redo()
{
    Call(m_finishDrag);
    return m_pPicture && m_history.Redo();
}
