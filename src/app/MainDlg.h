#pragma once

#include "app/PictureExport.h"
#include "canvas/MainHub.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CMainView;

// The background the settings dialog chose: a built-in number 0..23, or -1
// with the user's image file.
struct BackgroundChoice {
    int index = 0;
    QString file;
};

// The program's main window: frameless, covering the screen less a 30-pixel
// strip at the bottom, holding the main view. It is also the hub of the
// program's state (CMainHub): the tools' settings, the picture, and the
// operations the panels and the command bar call.
//
// Unlike a dialog it does not close on Esc or Enter: only Exit or closing the
// window ends the program, so a stray key never throws the drawing away.
class CMainDlg : public QWidget, public CMainHub {
    Q_OBJECT

public:
    explicit CMainDlg(QWidget* parent = nullptr);
    ~CMainDlg() override;

    CMainView* GetView() const { return m_pView.get(); }

    // Save: suggests a date-and-time name, asks for the path and writes the
    // picture; a failure is told to the user. A save that succeeded marks
    // the history clean (IsSavedState).
    void SavePicture();
    // Setup: the settings dialog chooses the background.
    void OpenSettings();
    // Stores a background choice in the picture as one step of the history
    // (what OK in the settings dialog does); the canvas repaints.
    void ApplyBackground(const BackgroundChoice& choice);

    // The window's place: the screen less 30 pixels at the bottom.
    static QRect FitToScreen(const QRect& screen);
    static constexpr int kBottomStrip = 30;

    // The save dialog: the chosen path, or nothing when cancelled.
    std::function<std::optional<QString>(const QString& suggestedName)> m_chooseSavePath;
    // Tells the user that saving failed.
    std::function<void(SaveResult result, const QString& path)> m_reportSaveFailure;
    // The settings dialog (opened on the current background): the chosen
    // background, or nothing when cancelled or unchanged.
    std::function<std::optional<BackgroundChoice>(int currentIndex)> m_chooseBackground;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect ScreenRect() const;
    std::optional<QString> RunSaveDialog(const QString& suggestedName);
    void ShowSaveFailure(SaveResult result, const QString& path);

    std::unique_ptr<CMainView> m_pView;
};
