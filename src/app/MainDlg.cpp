#include "app/MainDlg.h"

#include "app/MainView.h"
#include "canvas/CanvasWnd.h"
#include "canvas/Picture.h"
#include "panels/ColorDlg.h"
#include "canvas/PictureSteps.h"

#include <QAction>

#include <QDateTime>
#include <QFileDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
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

void CMainDlg::SavePicture()
{
    CPicture* picture = GetPicture();
    CCanvasWnd* canvas = GetCanvas();
    if (!picture || !canvas) {
        return;
    }
    const QString suggested = SuggestedPictureName(QDateTime::currentDateTime());
    const std::optional<QString> path =
        m_chooseSavePath ? m_chooseSavePath(suggested) : RunSaveDialog(suggested);
    if (!path || path->isEmpty()) {
        return;
    }
    const SaveResult result = SavePictureToFile(*picture, canvas->size(), *path);
    if (result == SaveResult::Saved) {
        GetHistory().SetClean();
        return;
    }
    if (m_reportSaveFailure) {
        m_reportSaveFailure(result, *path);
    } else {
        ShowSaveFailure(result, *path);
    }
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

void CMainDlg::OpenSettings()
{
    if (!m_chooseBackground || !GetPicture()) {
        return;
    }
    if (const std::optional<BackgroundChoice> choice = m_chooseBackground(GetPicture()->m_nBkgd)) {
        ApplyBackground(*choice);
    }
}

void CMainDlg::ApplyBackground(const BackgroundChoice& choice)
{
    CPicture* picture = GetPicture();
    if (!picture) {
        return;
    }
    const CBackground& before = picture->GetBackground();
    CBackground after = before;
    if (choice.index < 0) {
        after.index = -1;
        after.file = choice.file;
        after.image = QImage();
    } else if (choice.index != before.index) {
        // The file stays chosen for a later return to it.
        after.index = choice.index;
    } else {
        return;
    }
    // The picture tells the canvas, which repaints.
    GetHistory().Push(std::make_unique<CBackgroundStep>(*picture, before, std::move(after)));
}
