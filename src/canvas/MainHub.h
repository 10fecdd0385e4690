#pragma once

#include "canvas/History.h"
#include "canvas/ToolSettings.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class CCanvasWnd;
class CPicture;

// The stamp character and the font it comes from, as the symbol picker
// returns them.
struct SymbolChoice {
    char16_t ch = 0;
    QString font;
};

// The hub of the program's state: the current tool with every tool's
// settings, the picture, and the operations that the tool panels and the
// command bar call. The main window is the one hub while the program runs;
// the canvas and the panels reach the state through it.
//
// Dialogs plug in through the hooks below; a hook left empty answers
// "cancelled", so the state logic works, and is tested, without any window.
// Panels do not plug in one by one: they listen for state changes (see
// AddStateListener) and repaint from the hub's state.
class CMainHub : public CToolSettings {
public:
    CMainHub();
    virtual ~CMainHub();
    CMainHub(const CMainHub&) = delete;
    CMainHub& operator=(const CMainHub&) = delete;

    CPicture* GetPicture() const { return m_pPicture.get(); }
    // The canvas creates the picture at its own size and hands it over; the
    // hub owns it from then on.
    void AdoptPicture(std::unique_ptr<CPicture> picture);
    CCanvasWnd* GetCanvas() const { return m_pCanvas; }
    void SetCanvas(CCanvasWnd* canvas) { m_pCanvas = canvas; }

    void SelectTool(int tool);
    void SelectEraser();
    // The current tool's width and its twin variant's; nothing for the eraser.
    void SetToolWidth(int width);
    void ToggleRecognition();
    // Colour button i (0..2) of the pen-attribute panel.
    void ClickColor(int i);
    void PickSymbol();
    // Removes every stroke (the background stays) as one step of the
    // history; the canvas repaints because the picture tells it.
    void NewPicture();

    // Tells every listener that the tool state changed (tool, colours,
    // selected colour, width, recognition, stamp symbol). Listeners read the
    // new state from the hub; they are called in the order they were added.
    using StateListener = std::function<void()>;
    // Returns a handle for RemoveStateListener. A listener that holds on to
    // an object must be removed before that object goes.
    int AddStateListener(StateListener listener);
    void RemoveStateListener(int handle);
    void NotifyStateChanged();

    // The picture's history: every change of the picture is a step on it.
    CHistory& GetHistory() { return m_history; }
    const CHistory& GetHistory() const { return m_history; }
    // Undo and redo end a stroke or eraser drag in progress first (and
    // commit what it drew), so the step they take is the newest one.
    bool Undo();
    bool Redo();
    // True while the picture holds nothing that was not saved: no step was
    // done or undone since the last successful save (or since the start).
    bool IsSavedState() const { return m_history.IsClean(); }
    // Ends the canvas's open drag and runs the commits it queued; set by the
    // canvas while it exists.
    std::function<void()> m_finishDrag;

    // Palette (opened on the given colour): the chosen colour, or nothing.
    std::function<std::optional<COLORREF>(COLORREF initial)> m_chooseColor;
    // Symbol picker (preset with the current character): the choice, or nothing.
    std::function<std::optional<SymbolChoice>(char16_t initial)> m_chooseSymbol;

protected:
    // Destroys the picture and with it every stroke (first in the orderly
    // shutdown of the main window).
    void DestroyPicture();

private:

    // Declared before the picture so it goes after it: the steps hold
    // references to the picture but never use them when destroyed.
    CHistory m_history;
    std::unique_ptr<CPicture> m_pPicture;
    CCanvasWnd* m_pCanvas = nullptr;
    std::vector<std::pair<int, StateListener>> m_listeners;
    int m_nextListener = 1;
};
