// Peers of groups: rows and columns, pages, tab rows (Register), and rows
// with balance bars, which become splitters whose shares are the children's
// weights.
#include "group_peer.h"
#include "../mui/area.h"
#include "../mui/family.h"
#include "../mui/group.h"
#include "factory.h"
#include "peer_base.h"
#include "richtext.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGroupBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <cstring>

namespace {
bool IsBalance(Object *obj)
{
    const char *name = BuiltinClassName(obj);
    return std::strcmp(name, "Balance.mui") == 0 || std::strcmp(name, "BetterBalance.mcc") == 0;
}

bool HasBalance(Object *group)
{
    for (Object *c : *GroupChildren(group))
        if (IsBalance(c))
            return true;
    return false;
}

LONG WeightOf(Object *obj, bool horizontal)
{
    const AreaState *a = AreaStateOf(obj);
    return a ? (horizontal ? a->horizWeight : a->vertWeight) : 100;
}

class GroupPeer : public PeerBase {
public:
    GroupPeer(Object *obj, QWidget *w) : PeerBase(obj, w) { Build(); }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        if (attr == MUIA_Group_ChildCount)
            Build();
        else if (attr == MUIA_Group_ActivePage && stack_)
            stack_->setCurrentIndex(int(xget(object(), MUIA_Group_ActivePage)));
        else if ((attr == MUIA_HorizWeight || attr == MUIA_VertWeight) && splitter_)
            SplitterSizes();
    }

private:
    void Clear()
    {
        delete widget()->layout();
        for (QObject *child : widget()->children())
            if (child->isWidgetType())
                delete child;
        stack_ = nullptr;
        splitter_ = nullptr;
    }

    void Build()
    {
        Clear();
        Object *obj = object();
        bool horizontal = xget(obj, MUIA_Group_Horiz) != 0;
        auto *layout = new QBoxLayout(horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, widget());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        if (xget(obj, MUIA_Group_PageMode)) {
            stack_ = new QStackedWidget(widget());
            for (Object *c : *GroupChildren(obj))
                stack_->addWidget(BuildPeerWidget(c, stack_));
            stack_->setCurrentIndex(int(xget(obj, MUIA_Group_ActivePage)));
            stack_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            layout->addWidget(stack_);
        } else if (HasBalance(obj)) {
            splitter_ = new QSplitter(horizontal ? Qt::Horizontal : Qt::Vertical, widget());
            splitter_->setChildrenCollapsible(false);
            for (Object *c : *GroupChildren(obj))
                if (!IsBalance(c))
                    splitter_->addWidget(BuildPeerWidget(c, splitter_));
            WatchPanes();
            connect(splitter_, &QSplitter::splitterMoved, this, [this] { StoreWeights(); });
            splitter_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            layout->addWidget(splitter_);
            SplitterSizes();
        } else {
            for (Object *c : *GroupChildren(obj)) {
                QWidget *child = BuildPeerWidget(c, widget());
                if (std::strcmp(BuiltinClassName(c), "Rectangle.mui") == 0)   // an empty filler grows along its row
                    child->setSizePolicy(horizontal ? QSizePolicy::Expanding : QSizePolicy::Preferred,
                                         horizontal ? QSizePolicy::Preferred : QSizePolicy::Expanding);
                layout->addWidget(child, Grows(child, horizontal) ? int(WeightOf(c, horizontal)) : 0);
            }
        }
        FollowChildren();
    }

    // Weights share out room among the children that can grow, as in the
    // toolkit: a label or a button keeps its height whatever its weight.
    static bool Grows(QWidget *w, bool horizontal)
    {
        QSizePolicy p = w->sizePolicy();
        return (horizontal ? p.horizontalPolicy() : p.verticalPolicy()) & QSizePolicy::ExpandFlag;
    }

    // A group grows in a direction when one of its children does.
    void FollowChildren()
    {
        bool h = false, v = false;
        for (QObject *child : widget()->children())
            if (auto *w = qobject_cast<QWidget *>(child)) {
                h = h || Grows(w, true);
                v = v || Grows(w, false);
            }
        widget()->setSizePolicy(h ? QSizePolicy::Expanding : QSizePolicy::Preferred,
                                v ? QSizePolicy::Expanding : QSizePolicy::Preferred);
    }

    std::vector<Object *> SplitterObjects()
    {
        std::vector<Object *> out;
        for (Object *c : *GroupChildren(object()))
            if (!IsBalance(c))
                out.push_back(c);
        return out;
    }

    // A pane whose contents come to want more room (a panel shown in it)
    // borrows the room from its neighbour instead of squeezing its own
    // contents, and gives back what it borrowed when they want less again.
    // Borrowed room is not the person's split: the weights leave it out, so
    // a panel shown in every run does not move the bar a little further
    // each time.
    void WatchPanes()
    {
        wanted_.clear();
        lent_.assign(size_t(splitter_->count()), 0);
        for (int i = 0; i < splitter_->count(); ++i) {
            splitter_->widget(i)->installEventFilter(this);
            wanted_.push_back(Along(splitter_->widget(i)->sizeHint()));
        }
    }

    int Along(QSize s) const { return splitter_->orientation() == Qt::Horizontal ? s.width() : s.height(); }

    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::LayoutRequest && splitter_) {
            int i = splitter_->indexOf(qobject_cast<QWidget *>(watched));
            if (i >= 0 && size_t(i) < wanted_.size())
                PaneWantsChanged(i);
        }
        return PeerBase::eventFilter(watched, e);
    }

    void PaneWantsChanged(int i)
    {
        int now = Along(splitter_->widget(i)->sizeHint()), delta = now - wanted_[size_t(i)];
        wanted_[size_t(i)] = now;
        int j = i + 1 < splitter_->count() ? i + 1 : i - 1;
        if (delta == 0 || j < 0)
            return;
        QList<int> sizes = splitter_->sizes();
        int spare = sizes[j] - Along(splitter_->widget(j)->minimumSizeHint());
        int move = delta > 0 ? std::min(delta, std::max(0, spare)) : -std::min(-delta, std::max(0, lent_[size_t(i)]));
        sizes[i] += move;
        sizes[j] -= move;
        lent_[size_t(i)] += move;
        lent_[size_t(j)] -= move;
        splitter_->setSizes(sizes);
    }

    void SplitterSizes()
    {
        bool horizontal = splitter_->orientation() == Qt::Horizontal;
        QList<int> sizes;
        for (Object *c : SplitterObjects())
            sizes << int(std::max<LONG>(1, WeightOf(c, horizontal)) * 10);
        splitter_->setSizes(sizes);
        std::fill(lent_.begin(), lent_.end(), 0);
    }

    // What a person's drag gives each side, less the room borrowed for the
    // moment, becomes its weight, which the balance bar keeps between runs.
    void StoreWeights()
    {
        bool horizontal = splitter_->orientation() == Qt::Horizontal;
        QList<int> sizes = splitter_->sizes();
        std::vector<Object *> objs = SplitterObjects();
        for (size_t i = 0; i < objs.size() && i < size_t(sizes.size()); ++i) {
            int lent = i < lent_.size() ? lent_[i] : 0;
            SetAttrs(objs[i], horizontal ? MUIA_HorizWeight : MUIA_VertWeight, std::max(1, sizes[int(i)] - lent),
                     MUIA_NoNotify, TRUE);
        }
    }

    QStackedWidget *stack_ = nullptr;
    QSplitter *splitter_ = nullptr;
    std::vector<int> wanted_;   // what each pane's contents asked for last
    std::vector<int> lent_;     // room each pane holds from its neighbour (less when it lent)
};

// A Register: a tab row over its pages. Pages that are only placeholders
// (hidden) leave the tab row alone, as the viewer uses it.
class RegisterPeer : public PeerBase {
public:
    RegisterPeer(Object *obj, QWidget *w) : PeerBase(obj, w)
    {
        auto *layout = new QVBoxLayout(w);
        layout->setContentsMargins(0, 0, 0, 0);
        tabs_ = new QTabBar(w);
        if (const std::vector<std::string> *titles = RegisterTitles(obj))
            for (const std::string &t : *titles)
                tabs_->addTab(UiText(t.c_str()));
        layout->addWidget(tabs_);
        stack_ = new QStackedWidget(w);
        bool anyShown = false;
        for (Object *c : *GroupChildren(obj)) {
            stack_->addWidget(BuildPeerWidget(c, stack_));
            const AreaState *a = AreaStateOf(c);
            anyShown = anyShown || (a && a->showMe);
        }
        stack_->setVisible(anyShown);
        layout->addWidget(stack_);
        w->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        connect(tabs_, &QTabBar::currentChanged, this, [this](int i) { Act(MUIA_Group_ActivePage, i); });
        Refresh();
    }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        if (attr == 0 || attr == MUIA_Group_ActivePage) {
            int page = int(xget(object(), MUIA_Group_ActivePage));
            QSignalBlocker block(tabs_);
            tabs_->setCurrentIndex(page);
            stack_->setCurrentIndex(page);
        }
    }

private:
    QTabBar *tabs_;
    QStackedWidget *stack_;
};
}

QWidget *MakeGroupPeer(Object *obj, QWidget *parent)
{
    const AreaState *a = AreaStateOf(obj);
    QWidget *w = a && !a->frameTitle->empty() ? new QGroupBox(UiText(a->frameTitle->c_str()), parent)
                                              : new QWidget(parent);
    auto *peer = new GroupPeer(obj, w);
    peer->Refresh();
    return w;
}

QWidget *MakeRegisterPeer(Object *obj, QWidget *parent)
{
    auto *w = new QWidget(parent);
    new RegisterPeer(obj, w);
    return w;
}
