#include "qt_renderer.h"
#include "platform/intuition/beep.h"
#include "platform/locale/catalog.h"

#include "../mui/requesters.h"
#include "dialogs.h"
#include "peer_base.h"
#include "settings_dialog.h"
#include "window_peer.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QPixmap>
#include <QSocketNotifier>
#include <QTranslator>
#include <QWidget>

namespace {
// The program's icon block (width, height, depth, 0, ARGB pixels).
void ShowIcon(QWidget *w, const ULONG *block)
{
    if (!block)
        return;
    QImage image(reinterpret_cast<const uchar *>(block + 4), int(block[0]), int(block[1]), int(block[0]) * 4,
                 QImage::Format_ARGB32);
    w->setWindowIcon(QIcon(QPixmap::fromImage(image.copy())));
}

// Qt's own dialogs (the file requester's labels and buttons) speak the
// language of the program's catalog, not the first one the user lists: with
// no French catalog "fr:de" gives a German window, and its requesters are
// German too. English needs no translation. Sizes, dates and the names of
// file types follow the same language.
void LoadQtTranslations(const std::string &code)
{
    QLocale::setDefault(QLocale(QString::fromStdString(code)));
    static QTranslator *installed = nullptr;
    if (installed) {
        QApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    auto *qt = new QTranslator(qApp);
    if (code != "en" &&
        qt->load("qtbase_" + QString::fromStdString(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qt);
        installed = qt;
    } else {
        delete qt;
    }
}
}

QtRenderer::QtRenderer(int &argc, char **argv)
    : app_(std::make_unique<QApplication>(argc, argv)), dialogs_(std::make_unique<QtDialogs>())
{
    QApplication::setApplicationName("Vellumscanner");
    QApplication::setQuitOnLastWindowClosed(false);
    SetLanguageHook(LoadQtTranslations);
    SetRenderer(this);
    SetEventSource(this);
    SetRequesterBackend(dialogs_.get());
    SetBeepHandler([] { QApplication::beep(); });
}

QtRenderer::~QtRenderer()
{
    for (auto &w : windows_)
        delete w.second;
    windows_.clear();
    SetRequesterBackend(nullptr);
    SetLanguageHook(nullptr);
    SetBeepHandler(nullptr);
    SetEventSource(nullptr);
    SetRenderer(nullptr);
}

void QtRenderer::OpenWindow(Object *win)
{
    if (windows_.count(win)) {
        windows_[win]->show();
        windows_[win]->raise();
        return;
    }
    QWidget *w = MakeWindowPeer(win);
    windows_[win] = w;
    ShowIcon(w, ApplicationIconData(reinterpret_cast<Object *>(xget(win, MUIA_ApplicationObject))));
    w->show();
    // Qt::Popup holds the bit of every window: a popup is told by its type
    dialogs_->SetParentWindow(w->isWindow() && w->windowType() != Qt::Popup && !dialogs_->HasParent() ? w : nullptr);
}

void QtRenderer::CloseWindow(Object *win)
{
    auto it = windows_.find(win);
    if (it == windows_.end())
        return;
    QWidget *w = it->second;
    windows_.erase(it);
    ForgetPopupOwner(w);
    dialogs_->WindowGone(w);
    // The objects may go before the widgets do: every peer lets go of its
    // object now, and the widgets go when the event loop next comes round.
    for (PeerBase *peer : w->findChildren<PeerBase *>())
        peer->Release();
    w->hide();
    w->deleteLater();
}

// While the program sleeps, the windows are redrawn but take no input: work
// in progress is not to be disturbed by a click that starts other work.
void QtRenderer::ProcessEvents()
{
    QCoreApplication::processEvents(busy_ ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}

// The program's own windows show the busy pointer; a file dialog opened in
// the meantime keeps its own.
void QtRenderer::Busy(bool on)
{
    busy_ = on;
    for (auto &w : windows_) {
        if (on)
            w.second->setCursor(Qt::WaitCursor);
        else
            w.second->unsetCursor();
    }
    ProcessEvents();
}

void QtRenderer::Iconify(bool hidden)
{
    for (auto &w : windows_) {
        if (hidden) {
            w.second->showMinimized();
        } else {
            w.second->showNormal();
            w.second->raise();
            w.second->activateWindow();
        }
    }
}

bool QtRenderer::WaitForEvents(int wakeFd)
{
    if (!wake_) {
        wake_ = new QSocketNotifier(wakeFd, QSocketNotifier::Read, app_.get());
        QObject::connect(wake_, &QSocketNotifier::activated, [] {});
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return true;
}

RequesterBackend *QtRenderer::Dialogs() const { return dialogs_.get(); }

void QtRenderer::OpenConfigWindow(Object *app) { ShowSettingsDialog(dialogs_->ParentWindow(), app); }

QWidget *QtRenderer::WindowWidget(Object *win) const
{
    auto it = windows_.find(win);
    return it == windows_.end() ? nullptr : it->second;
}
