#pragma once

#include "canvas/Picture.h"
#include "canvas/StrokeCommit.h"

#include <QThreadPool>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

class CMainHub;
class CMemSurface;
class CPenTool;
class CResImage;
class QMenu;

// The drawing surface below the command bar. It shows the welcome picture
// until it is dismissed, then the picture, and turns a left-button drag into
// one stroke of the current tool (or, for the eraser, into erasing).
//
// The canvas keeps a screen image that stands for what the window shows:
// pens draw their new pieces into it while a stroke is captured and the
// canvas repaints just the rectangle they changed; a paint only copies it.
// Refresh rebuilds it from the picture. The canvas listens to the picture:
// after every change (a commit, undo or redo, New, a background) it shows
// the picture in the changed area, so what the screen shows after a commit
// is what a save writes.
class CCanvasWnd : public QWidget {
    Q_OBJECT

public:
    // Creates the picture at the canvas's size (the size of `geometry`) and
    // hands it to `hub`, and starts the welcome timer.
    CCanvasWnd(CMainHub& hub, const QRect& geometry, QWidget* parent = nullptr);
    ~CCanvasWnd() override;

    void DismissWelcome();
    bool IsWelcome() const { return m_bWelcome != 0; }
    // Rebuilds the screen image (welcome picture, or grey with the picture
    // over it) and repaints the whole canvas.
    void Refresh();

    // How pens and shapes are made; the defaults are the program's pen
    // factory and shape recogniser.
    void SetPenMaker(PenMaker makePen) { m_makePen = std::move(makePen); }
    void SetRecognizer(ShapeRecognizer recognize) { m_recognize = std::move(recognize); }

    const CMemSurface& GetScreenImage() const { return *m_pSurface; }
    // Finished strokes whose commit is queued but has not run yet.
    int GetPendingCommitCount() const { return static_cast<int>(m_pendingCommits.size()); }
    bool IsCapturing() const { return m_pCapturePen != nullptr || m_bErasing; }
    // Ink strokes handed to the ink shaper whose commit has not run yet.
    int GetShapingCount() const { return static_cast<int>(m_shapingPens.size()); }

    // The right-click menu's entries: "撤销" and "重做", each disabled when
    // there is nothing to undo or redo.
    void FillContextMenu(QMenu& menu);
    // Ends the stroke or eraser drag in progress, if any, and runs every
    // commit it queued.
    void FinishDrag();
    // Brings every stroke the user has drawn into the picture now, in the
    // order they were drawn: the queued commits, the ink strokes (waiting
    // for the shaper's workers), then the open drag. Afterwards no commit of
    // a stroke drawn so far is still to come (the ones already posted find
    // nothing left to do).
    void SettleStrokes();

    static constexpr int kWelcomeMs = 15000;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BeginCapture(int x, int y, std::uint32_t tick);
    void ContinueCapture(int x, int y, std::uint32_t tick);
    void EndCapture();
    void EraseStep(int x, int y);
    void EndErase();
    // Ends the stroke or eraser drag in progress, if any.
    void EndOpenDrag();
    void CommitPending();
    // Runs the queued commits and, once the workers are done, the shaped
    // strokes' commits, instead of waiting for the event loop.
    void CommitReleasedStrokes();
    // Hands a finished ink stroke of `tool` to a worker thread that shapes
    // it; the worker puts the shaped pen on m_shapedPens and posts
    // TakeShapedPen to this thread, which commits it (CommitShaped). `drawn`
    // is the stroke as drawn, committed first so one undo gives it back.
    void StartInkShaping(std::unique_ptr<CPenTool> pen, std::unique_ptr<CPenTool> drawn, int tool,
                         const QRect& liveArea);
    // Posted by name, once per shaped pen, so the call carries nothing the
    // worker wrote: the pen comes through the locked m_shapedPens. (A queued
    // lambda's captures would be written after the lock is released, and
    // ThreadSanitizer cannot see the lock inside Qt's event queue.)
    Q_INVOKABLE void TakeShapedPen();
    void CommitShaped(CPenTool* pen);
    void ShowLiveChanges();
    // The picture's change listener.
    void OnPictureChanged(const QRect& area);
    // Copies `area` of the composed picture onto the screen image and
    // repaints it (after the capture, when a stroke is being captured).
    void ShowPicture(const QRect& area);

    CMainHub& m_hub;
    std::unique_ptr<CResImage> m_pWelcome;
    int m_bWelcome = 1;
    std::unique_ptr<CMemSurface> m_pSurface;
    QTimer m_welcomeTimer;

    PenMaker m_makePen;
    ShapeRecognizer m_recognize;

    CPicture* m_pListenedPicture = nullptr;
    int m_listenerId = 0;

    // The stroke being captured, the tool it was started with and the part
    // of the screen image its live drawing changed.
    std::unique_ptr<CPenTool> m_pCapturePen;
    int m_captureTool = 0;
    QRect m_liveArea;
    // The eraser's drag and its scratch surface.
    bool m_bErasing = false;
    std::unique_ptr<CMemSurface> m_pEraseSurface;
    // True once the whole picture has been OR-combined onto the screen image
    // during this drag and nothing has been drawn into the picture since:
    // then the screen already holds every bit of the picture outside what
    // the next step redraws, and that step combines just its area.
    bool m_bEraseCombined = false;
    // What each step of the drag removed; one history step at the release.
    std::vector<CPicture::RemovedStrokes> m_eraseGroups;

    // A finished stroke on its way to the picture, with the part of the
    // screen its live drawing changed (shown from the picture once it is
    // committed) and, for a reshaped ink stroke, the stroke as drawn.
    struct InFlight {
        std::unique_ptr<CPenTool> pen;
        std::unique_ptr<CPenTool> drawn;
        QRect liveArea;
    };
    // Finished strokes waiting for their queued commit, oldest first. The
    // canvas owns them until then, so a stroke still queued when the canvas
    // goes is freed with it.
    std::deque<InFlight> m_pendingCommits;
    // Ink strokes being shaped on a worker thread; each worker touches only
    // its own pen until it posts the pen's commit back.
    std::list<InFlight> m_shapingPens;
    // Shaped strokes that came back during an eraser drag: committed after
    // the drag's own step, in the order they came.
    std::deque<InFlight> m_shapedDuringErase;
    // Pens the workers have shaped, in the order they finished; each has its
    // TakeShapedPen posted. The lock is all the workers and this thread
    // share: a worker is done with its pen once it has put it here.
    std::mutex m_shapedLock;
    std::deque<CPenTool*> m_shapedPens;
    QThreadPool m_inkWorkers;
    // A repaint asked for while a stroke is captured would wipe the live
    // stroke off the screen image; it runs once the stroke is committed.
    bool m_bRefreshDeferred = false;
};
