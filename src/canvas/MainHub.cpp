#include "canvas/MainHub.h"

#include "canvas/Picture.h"
#include "canvas/PictureSteps.h"

#include <algorithm>

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

int CMainHub::AddStateListener(StateListener listener)
{
    const int handle = m_nextListener++;
    m_listeners.emplace_back(handle, std::move(listener));
    return handle;
}

void CMainHub::RemoveStateListener(int handle)
{
    std::erase_if(m_listeners, [handle](const auto& entry) { return entry.first == handle; });
}

void CMainHub::NotifyStateChanged()
{
    // A listener may add or remove listeners (a panel destroyed by what it
    // runs): walk a snapshot of the handles and call only those still present.
    std::vector<int> handles;
    handles.reserve(m_listeners.size());
    for (const auto& entry : m_listeners) {
        handles.push_back(entry.first);
    }
    for (const int handle : handles) {
        const auto it = std::find_if(m_listeners.begin(), m_listeners.end(),
                                     [handle](const auto& entry) { return entry.first == handle; });
        if (it != m_listeners.end() && it->second) {
            // Copied: the listener may remove itself while it runs.
            const StateListener listener = it->second;
            listener();
        }
    }
}

void CMainHub::SelectTool(int tool)
{
    // Anything but a tool number would leave the canvas with no pen to make.
    if (tool < kFirstPenTool || tool > kEraserTool || tool == m_nTool) {
        return;
    }
    m_nTool = tool;
    NotifyStateChanged();
}

void CMainHub::SelectEraser()
{
    SelectTool(kEraserTool);
}

void CMainHub::SetToolWidth(int width)
{
    if (!IsPenTool(m_nTool) || width < 1) {
        return;
    }
    int& own = m_toolWidth[static_cast<std::size_t>(m_nTool)];
    int& twin = m_toolWidth[static_cast<std::size_t>(TwinTool(m_nTool))];
    if (own == width && twin == width) {
        return;
    }
    own = width;
    twin = width;
    NotifyStateChanged();
}

void CMainHub::ToggleRecognition()
{
    if (!IsPenTool(m_nTool)) {
        return;
    }
    int& flag = m_toolRecog[static_cast<std::size_t>(m_nTool)];
    flag = flag ? 0 : 1;
    NotifyStateChanged();
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
        NotifyStateChanged();
        return;
    }
    if (!m_chooseColor) {
        return;
    }
    const std::optional<COLORREF> chosen = m_chooseColor(m_toolColor[tool][slot]);
    if (chosen && *chosen != m_toolColor[tool][slot]) {
        m_toolColor[tool][slot] = *chosen;
        NotifyStateChanged();
    }
}

void CMainHub::PickSymbol()
{
    if (!m_chooseSymbol) {
        return;
    }
    const std::optional<SymbolChoice> chosen = m_chooseSymbol(m_symbolChar);
    if (chosen && (chosen->ch != m_symbolChar || chosen->font != m_symbolFont)) {
        m_symbolChar = chosen->ch;
        m_symbolFont = chosen->font;
        NotifyStateChanged();
    }
}

void CMainHub::NewPicture()
{
    if (m_finishDrag) {
        m_finishDrag();
    }
    if (m_pPicture && m_pPicture->GetStrokeCount() > 0) {
        m_history.Push(std::make_unique<CClearStep>(*m_pPicture));
    }
}

bool CMainHub::Undo()
{
    if (m_finishDrag) {
        m_finishDrag();
    }
    return m_pPicture && m_history.Undo();
}

bool CMainHub::Redo()
{
    if (m_finishDrag) {
        m_finishDrag();
    }
    return m_pPicture && m_history.Redo();
}
