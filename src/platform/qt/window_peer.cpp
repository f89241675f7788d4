#include "window_peer.h"

#include "../icon/workbench.h"
#include "../mui/family.h"
#include "../mui/mui.h"
#include "factory.h"
#include "peer_base.h"
#include "richtext.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

namespace {
bool IsApplication(Object *obj) { return obj && std::strcmp(BuiltinClassName(obj), MUIC_Application) == 0; }

class MenuItemPeer : public PeerBase {
public:
    MenuItemPeer(Object *item, QAction *action, QWidget *owner) : PeerBase(item, owner), action_(action)
    {
        connect(action, &QAction::triggered, this, [this] { Act(MUIA_Menuitem_Trigger, TRUE); });
        Update(0);
    }

protected:
    void Update(IPTR attr) override
    {
        if (attr == 0 || attr == MUIA_Menuitem_Enabled)
            action_->setEnabled(xget(object(), MUIA_Menuitem_Enabled) != 0);
        if (attr == 0 || attr == MUIA_Menuitem_Checked || attr == MUIA_Menuitem_Checkit) {
            action_->setCheckable(xget(object(), MUIA_Menuitem_Checkit) != 0);
            action_->setChecked(xget(object(), MUIA_Menuitem_Checked) != 0);
        }
    }

private:
    QAction *action_;
};

void AddItems(QMenu *menu, Object *parent, QWidget *owner)
{
    for (Object *item : *FamilyChildren(parent)) {
        const char *title = reinterpret_cast<const char *>(xget(item, MUIA_Menuitem_Title));
        if (!title || !*title) {
            menu->addSeparator();
            continue;
        }
        QString label = UiText(title);
        const std::vector<Object *> *subs = FamilyChildren(item);
        if (subs && !subs->empty()) {
            AddItems(menu->addMenu(label), item, owner);
            continue;
        }
        QAction *action = menu->addAction(label);
        const char *key = reinterpret_cast<const char *>(xget(item, MUIA_Menuitem_Shortcut));
        if (key && *key)
            action->setShortcut(QKeySequence(QString("Ctrl+%1").arg(QChar(key[0]).toUpper())));
        new MenuItemPeer(item, action, owner);
    }
}

class WindowWidget : public QMainWindow {
public:
    Object *win = nullptr;

protected:
    void closeEvent(QCloseEvent *e) override
    {
        e->ignore();   // the program decides, through the close request
        if (win)
            SetAttrs(win, MUIA_Window_CloseRequest, TRUE);
    }

    void dragEnterEvent(QDragEnterEvent *e) override
    {
        if (e->mimeData()->hasUrls())
            e->acceptProposedAction();
    }

    void dropEvent(QDropEvent *e) override
    {
        std::vector<std::string> paths;
        for (const QUrl &url : e->mimeData()->urls())
            if (url.isLocalFile())
                paths.push_back(url.toLocalFile().toStdString());
        if (!win || paths.empty())
            return;
        std::vector<const char *> names;
        for (const std::string &p : paths)
            names.push_back(p.c_str());
        AppMessage msg = {LONG(names.size()), MakeWBArgs(names.data(), LONG(names.size()))};
        SetAttrs(win, MUIA_AppMessage, &msg);
        FreeWBArgs(msg.am_ArgList, msg.am_NumArgs);
    }

    void moveEvent(QMoveEvent *e) override
    {
        QMainWindow::moveEvent(e);
        StoreGeometry();
    }
    void resizeEvent(QResizeEvent *e) override
    {
        QMainWindow::resizeEvent(e);
        StoreGeometry();
    }

private:
    void StoreGeometry()
    {
        if (win && isVisible())
            SetAttrs(win, MUIA_Window_LeftEdge, x(), MUIA_Window_TopEdge, y(), MUIA_Window_Width, width(),
                     MUIA_Window_Height, height(), MUIA_NoNotify, TRUE);
    }
};

class WindowPeer : public PeerBase {
public:
    WindowPeer(Object *win, WindowWidget *w) : PeerBase(win, w)
    {
        w->win = win;
        w->setWindowTitle(UiText(reinterpret_cast<const char *>(xget(win, MUIA_Window_Title))));
        w->setAcceptDrops(xget(win, MUIA_Window_AppWindow) != 0);
        if (Object *strip = reinterpret_cast<Object *>(xget(win, MUIA_Window_Menustrip)))
            for (Object *menu : *FamilyChildren(strip))
                AddItems(w->menuBar()->addMenu(UiText(reinterpret_cast<const char *>(xget(menu, MUIA_Menu_Title)))),
                         menu, w);
        w->setCentralWidget(BuildPeerWidget(reinterpret_cast<Object *>(xget(win, MUIA_Window_RootObject)), w));
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), w);
        QObject::connect(escape, &QShortcut::activated, w, [this] { Act(MUIA_Window_InputEvent, "esc"); });
        LONG width = LONG(xget(win, MUIA_Window_Width)), height = LONG(xget(win, MUIA_Window_Height));
        if (width > 0 && height > 0) {
            w->resize(width, height);
            w->move(int(LONG(xget(win, MUIA_Window_LeftEdge))), int(LONG(xget(win, MUIA_Window_TopEdge))));
        } else if (xget(win, MUIA_Window_Menustrip)) {
            w->resize(960, 640);   // a main window starts roomy
        } else {
            w->resize(w->sizeHint().expandedTo(QSize(480, 360)));
        }
    }
};

// The pop-up of a Popobject, shown under it; closing it by a click elsewhere
// closes the Popobject.
class PopupWidget : public QWidget {
public:
    PopupWidget() : QWidget(nullptr, Qt::Popup) {}
    Object *owner = nullptr;

protected:
    void hideEvent(QHideEvent *) override
    {
        Object *pop = owner;
        if (pop)
            QTimer::singleShot(0, [pop] { DoMethod(pop, MUIM_Popstring_Close, 0); });
    }
};

QWidget *MakePopupPeer(Object *win, Object *owner)
{
    auto *w = new PopupWidget;
    w->owner = owner;
    auto *layout = new QVBoxLayout(w);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(BuildPeerWidget(reinterpret_cast<Object *>(xget(win, MUIA_Window_RootObject)), w));
    new PeerBase(win, w);
    if (PeerBase *anchor = QtPeerOf(owner)) {
        QWidget *a = anchor->widget();
        w->resize(std::max(a->width(), 320), 240);
        w->move(a->mapToGlobal(QPoint(0, a->height())));
    }
    return w;
}
}

QWidget *MakeWindowPeer(Object *win)
{
    Object *parent = reinterpret_cast<Object *>(xget(win, MUIA_Parent));
    if (parent && !IsApplication(parent))
        return MakePopupPeer(win, parent);
    auto *w = new WindowWidget;
    new WindowPeer(win, w);
    return w;
}

void ForgetPopupOwner(QWidget *window)
{
    if (auto *popup = dynamic_cast<PopupWidget *>(window))
        popup->owner = nullptr;
}
