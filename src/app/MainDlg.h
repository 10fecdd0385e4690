#pragma once

#include "app/PictureExport.h"
#include "canvas/Background.h"
#include "canvas/MainHub.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CMainView;

// The program's main window: frameless, covering the screen less a 30-pixel
// strip at the bottom, holding the main view. It is also the hub of the
// program's state (CMainHub): the tools' settings, the picture, and the
// operations the panels and the command bar call.
//
// Unlike a dialog it does not close on Esc or Enter: only Exit or closing the
// window ends the program, so a stray key never throws the drawing away;
// and those two ask first when the picture has changes not saved (MayQuit).
class CMainDlg : public QWidget, public CMainHub {
    Q_OBJECT

public:
    explicit CMainDlg(QWidget* parent = nullptr);
    ~CMainDlg() override;

    CMainView* GetView() const { return m_pView.get(); }

    // Save: suggests a date-and-time name, asks for the path and writes the
    // picture; a failure is told to the user. A save that succeeded marks
    // the history clean (IsSavedState) and returns true.
    bool SavePicture();
    // Whether the program may end now (Exit and closing the window both come
    // here, through closeEvent). Strokes still on their way are brought into
    // the picture first; a picture with changes not saved asks the user,
    // and "保存" ends the program only when the save succeeded.
    bool MayQuit();
    // Setup: the settings dialog chooses a built-in background or, through
    // the open-file dialog, an image file, which is decoded at once; a file
    // that cannot be used is refused with a message and changes nothing.
    // Choosing the background in use changes nothing; any other choice goes
    // under the strokes and the canvas is repainted.
    void OpenSettings();
    // Puts a background choice under the strokes as one step of the
    // history, as a confirmed Setup does; the built-in number in use changes
    // nothing. Returns whether anything changed.
    bool ApplyBackground(CBackground choice);

    // The window's place: the screen less 30 pixels at the bottom.
    static QRect FitToScreen(const QRect& screen);
    static constexpr int kBottomStrip = 30;

    // The save dialog: the chosen path, or nothing when cancelled.
    std::function<std::optional<QString>(const QString& suggestedName)> m_chooseSavePath;
    // Tells the user that saving failed.
    std::function<void(SaveResult result, const QString& path)> m_reportSaveFailure;
    // The settings dialog opened on `preset`: its m_nSel on OK (0..23, or -1
    // for an image file), nothing when cancelled.
    std::function<std::optional<int>(int preset)> m_runSetupDialog;
    // The open-file dialog "图像文件": the chosen path, or nothing.
    std::function<std::optional<QString>()> m_chooseImageFile;
    // Tells the user that `path` cannot be the background, and why.
    std::function<void(const QString& path, const QString& reason)> m_reportBackgroundFailure;
    // The question before a picture with changes not saved is closed.
    enum class QuitAnswer { Save, DontSave, Cancel };
    std::function<QuitAnswer()> m_askSaveBeforeQuit;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QRect ScreenRect() const;
    std::optional<QString> RunSaveDialog(const QString& suggestedName);
    void ShowSaveFailure(SaveResult result, const QString& path);
    std::optional<int> RunSetupDialog(int preset);
    // The open-file dialog "图像文件" with its eight filters, for a
    // background image.
    std::optional<QString> RunImageFileDialog();
    std::optional<SymbolChoice> RunSymbolPicker(char16_t current);
    QuitAnswer AskSaveBeforeQuit();

    std::unique_ptr<CMainView> m_pView;
    // True while the question before quitting is open: another close asked
    // for meanwhile is refused rather than asking twice.
    bool m_bAskingToQuit = false;
};
