#include "app/MainDlg.h"

#include "app/MainView.h"
#include "canvas/BackgroundFile.h"
#include "canvas/CanvasWnd.h"
#include "canvas/Picture.h"
#include "panels/ColorDlg.h"
#include "panels/SetupDlg.h"
#include "panels/SymbolDlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

CMainDlg::CMainDlg(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/ICONS/kolvane-%1").arg(size), QSize(size, size));
    }
    setWindowIcon(icon);
    setWindowTitle(QStringLiteral("Kolvane (WinXP V1.0)"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    const QRect place = FitToScreen(ScreenRect());
    setGeometry(place);
    m_pView = std::make_unique<CMainView>(*this, QRect(0, 0, place.width(), place.height()), this);
    m_chooseColor = [this](COLORREF initial) -> std::optional<COLORREF> {
        CColorDlg palette(initial, this);
        if (palette.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return palette.m_color;
    };

    // Undo: Ctrl+Z; redo: Ctrl+Y and Ctrl+Shift+Z (and whatever else the
    // platform binds to them).
    auto* undo = new QAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] { Undo(); });
    auto* redo = new QAction(this);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::Key_Y),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!redoKeys.contains(key)) {
            redoKeys.append(key);
        }
    }
    redo->setShortcuts(redoKeys);
    connect(redo, &QAction::triggered, this, [this] { Redo(); });
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    m_chooseSymbol = [this](char16_t current) { return RunSymbolPicker(current); };
}

// Orderly shutdown: the picture with its strokes first, then the view, which
// takes the canvas with it; nothing queued for them runs after this.
CMainDlg::~CMainDlg()
{
    DestroyPicture();
    m_pView.reset();
}

QRect CMainDlg::ScreenRect() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

QRect CMainDlg::FitToScreen(const QRect& screen)
{
    return QRect(0, 0, screen.width(), std::max(screen.height() - kBottomStrip, 0));
}

void CMainDlg::resizeEvent(QResizeEvent* /*event*/)
{
    if (!m_pView) {
        return;
    }
    // The window always re-fits the screen, and the view fills it.
    const QRect place = FitToScreen(ScreenRect());
    if (geometry() != place) {
        setGeometry(place);
    }
    m_pView->setGeometry(0, 0, width(), height());
}

bool CMainDlg::SavePicture()
{
    CPicture* picture = GetPicture();
    CCanvasWnd* canvas = GetCanvas();
    if (!picture || !canvas) {
        return false;
    }
    const QString suggested = SuggestedPictureName(QDateTime::currentDateTime());
    const std::optional<QString> path =
        m_chooseSavePath ? m_chooseSavePath(suggested) : RunSaveDialog(suggested);
    if (!path || path->isEmpty()) {
        return false;
    }
    const SaveResult result = SavePictureToFile(*picture, canvas->size(), *path);
    if (result == SaveResult::Saved) {
        GetHistory().SetClean();
        return true;
    }
    if (m_reportSaveFailure) {
        m_reportSaveFailure(result, *path);
    } else {
        ShowSaveFailure(result, *path);
    }
    return false;
}

void CMainDlg::closeEvent(QCloseEvent* event)
{
    if (MayQuit()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool CMainDlg::MayQuit()
{
    if (m_bAskingToQuit) {
        return false;
    }
    // The strokes the user has drawn count, whether still under the pointer
    // or on the ink shaper's workers: all of them are in the picture (and in
    // its history) before the decision, and none comes in after it.
    if (CCanvasWnd* canvas = GetCanvas()) {
        canvas->SettleStrokes();
    } else if (m_finishDrag) {
        m_finishDrag();
    }
    if (IsSavedState()) {
        return true;
    }
    m_bAskingToQuit = true;
    const QuitAnswer answer = m_askSaveBeforeQuit ? m_askSaveBeforeQuit() : AskSaveBeforeQuit();
    bool quit = answer == QuitAnswer::DontSave;
    if (answer == QuitAnswer::Save) {
        // A save cancelled in its file dialog or one that failed (and was
        // reported) keeps the program open with the picture as it was.
        quit = SavePicture();
    }
    m_bAskingToQuit = false;
    return quit;
}

CMainDlg::QuitAnswer CMainDlg::AskSaveBeforeQuit()
{
    QMessageBox question(QMessageBox::Question, QStringLiteral("退出"),
                         QStringLiteral("图片的改动还没有保存。\n退出之前要保存图片吗？"),
                         QMessageBox::NoButton, this);
    QPushButton* save = question.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = question.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = question.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    question.setDefaultButton(save);
    // Esc and closing the question keep the program open.
    question.setEscapeButton(cancel);
    question.exec();
    const QAbstractButton* clicked = question.clickedButton();
    if (clicked == save) {
        return QuitAnswer::Save;
    }
    if (clicked == discard) {
        return QuitAnswer::DontSave;
    }
    return QuitAnswer::Cancel;
}

std::optional<QString> CMainDlg::RunSaveDialog(const QString& suggestedName)
{
    QFileDialog dialog(this, QStringLiteral("保存"), QString(),
                       QStringLiteral("JPEG图像(*.jpg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("jpg"));
    dialog.selectFile(suggestedName);
    // The overwrite question stays on (Qt asks unless told not to).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

void CMainDlg::ShowSaveFailure(SaveResult result, const QString& path)
{
    const QString why = result == SaveResult::NoEncoder
                            ? QStringLiteral("无法以这种文件类型保存图片（请使用 .jpg、.png 或 .bmp）：\n%1")
                            : QStringLiteral("图片没有保存：无法写入\n%1\n（文件夹不可写或磁盘已满）。");
    QMessageBox::warning(this, QStringLiteral("保存"), why.arg(path));
}

std::optional<SymbolChoice> CMainDlg::RunSymbolPicker(char16_t current)
{
    CSymbolDlg picker(current, this);
    if (picker.exec() != QDialog::Accepted || picker.m_strFont.isEmpty()) {
        return std::nullopt;
    }
    return SymbolChoice{picker.m_char, picker.m_strFont};
}

void CMainDlg::OpenSettings()
{
    CPicture* picture = GetPicture();
    if (!picture) {
        return;
    }
    // A user image in use opens the grid on background 0.
    const int preset = std::max(picture->GetBackground().index, 0);
    const std::optional<int> sel = m_runSetupDialog ? m_runSetupDialog(preset)
                                                    : RunSetupDialog(preset);
    if (!sel) {
        return;
    }
    CBackground choice;
    if (*sel < 0) {
        const std::optional<QString> path =
            m_chooseImageFile ? m_chooseImageFile() : RunImageFileDialog();
        if (!path || path->isEmpty()) {
            return;
        }
        BackgroundFileRead read = ReadBackgroundFile(*path);
        if (!read.Ok()) {
            if (m_reportBackgroundFailure) {
                m_reportBackgroundFailure(*path, read.reason);
            } else {
                QMessageBox::warning(
                    this, QStringLiteral("图像文件"),
                    QStringLiteral("这个图像文件不能用作背景，背景和图画都没有改变：\n%1\n\n%2")
                        .arg(*path, read.reason));
            }
            return;
        }
        choice = FileBackground(*path, std::move(read.image));
    } else {
        choice.index = std::min(*sel, CSetupDlg::kBackgroundCount - 1);
    }
    // One step of the history; the picture tells the canvas, which repaints.
    ApplyBackground(std::move(choice));
}

bool CMainDlg::ApplyBackground(CBackground choice)
{
    CPicture* picture = GetPicture();
    return picture && ApplyBackgroundChoice(*picture, GetHistory(), std::move(choice));
}

std::optional<int> CMainDlg::RunSetupDialog(int preset)
{
    CSetupDlg dialog(preset, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.m_nSel;
}

std::optional<QString> CMainDlg::RunImageFileDialog()
{
    QFileDialog dialog(this, QStringLiteral("图像文件"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt's open dialog has no read-only check box to hide. The list shows
    // the descriptions alone; the patterns follow each in parentheses.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters({
        QStringLiteral("所有文件(*.bmp,*.gif,*.emf,*.wmf,*.jpg,*.tif,*.png) (*.bmp *.gif *.emf *.wmf *.jpg *.tif *.png)"),
        QStringLiteral("Bitmaps文件(*.bmp) (*.bmp)"),
        QStringLiteral("GIF文件(*.gif) (*.gif)"),
        QStringLiteral("JPEG文件(*.jpg) (*.jpg)"),
        QStringLiteral("TIFF文件(*.tif) (*.tif)"),
        QStringLiteral("PNG文件(*.png) (*.png)"),
        QStringLiteral("Enhanced MetaFile (*.emf) (*.emf)"),
        QStringLiteral("Window MetaFile (*.wmf) (*.wmf)"),
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}
