#include "tree_peer.h"

#include "../nlist/nlisttree.h"
#include "../nlist/textcodes.h"
#include "display_settings.h"
#include "peer_base.h"
#include "richtext.h"

#include <QAbstractItemModel>
#include <QDropEvent>
#include <QMimeData>
#include <QTreeView>
#include <algorithm>

namespace {
using Node = MUI_NListtree_TreeNode;
constexpr const char *kNodesMime = "application/x-vellumscanner-nodes";

class TreeModel : public QAbstractItemModel {
public:
    TreeModel(Object *tree, QObject *parent) : QAbstractItemModel(parent), tree_(tree) {}
    void Forget() { tree_ = nullptr; }
    // Shown false: the model holds no node until it is reloaded shown.
    void Reload(bool shown)
    {
        beginResetModel();
        shown_ = shown;
        endResetModel();
    }

    const std::vector<Node *> &Children(const Node *parent) const
    {
        static const std::vector<Node *> none;
        if (parent)
            return parent->tn_Children;
        const std::vector<Node *> *roots = tree_ && shown_ ? NListtreeRoots(tree_) : nullptr;
        return roots ? *roots : none;
    }
    static Node *NodeOf(const QModelIndex &i) { return static_cast<Node *>(i.internalPointer()); }
    QModelIndex IndexOf(Node *n) const
    {
        if (!n)
            return QModelIndex();
        const std::vector<Node *> &list = Children(n->tn_Parent);
        auto at = std::find(list.begin(), list.end(), n);
        return at == list.end() ? QModelIndex() : createIndex(int(at - list.begin()), 0, n);
    }

    QModelIndex index(int row, int column, const QModelIndex &parent) const override
    {
        const std::vector<Node *> &list = Children(NodeOf(parent));
        if (column != 0 || row < 0 || size_t(row) >= list.size())
            return QModelIndex();
        return createIndex(row, 0, list[size_t(row)]);
    }
    QModelIndex parent(const QModelIndex &child) const override
    {
        Node *n = NodeOf(child);
        return n ? IndexOf(n->tn_Parent) : QModelIndex();
    }
    int rowCount(const QModelIndex &parent) const override { return tree_ ? int(Children(NodeOf(parent)).size()) : 0; }
    int columnCount(const QModelIndex &) const override { return 1; }
    QVariant data(const QModelIndex &i, int role) const override
    {
        Node *n = NodeOf(i);
        if (!n || !tree_)
            return QVariant();
        const char *text = NListtreeNodeText(tree_, n);
        if (role == Qt::DisplayRole)
            return PlainUiText(text);
        if (role == Qt::ToolTipRole) {
            const char *help = NListtreeNodeHelp(tree_, n);
            return help ? QVariant(UiText(help)) : QVariant();
        }
        if (role == Qt::FontRole) {
            QFont f;
            f.setBold(text[0] == kEsc && text[1] == 'b');
            return f;
        }
        return QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex &i) const override
    {
        return QAbstractItemModel::flags(i) | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override { return {kNodesMime}; }
    QMimeData *mimeData(const QModelIndexList &) const override
    {
        auto *data = new QMimeData;
        data->setData(kNodesMime, QByteArray());
        return data;
    }

private:
    Object *tree_;
    bool shown_ = true;
};

class TreeView : public QTreeView {
public:
    explicit TreeView(QWidget *parent) : QTreeView(parent) {}
    Object *tree = nullptr;

protected:
    // The drop is the list's to carry out or refuse; the view moves nothing.
    void dropEvent(QDropEvent *e) override
    {
        Node *target = TreeModel::NodeOf(indexAt(e->position().toPoint()));
        LONG type = MUIV_NListtree_DropType_None;
        switch (dropIndicatorPosition()) {
        case AboveItem: type = MUIV_NListtree_DropType_Above; break;
        case BelowItem: type = MUIV_NListtree_DropType_Below; break;
        case OnItem: type = MUIV_NListtree_DropType_Onto; break;
        default: break;
        }
        e->setDropAction(Qt::IgnoreAction);
        e->accept();
        if (tree && e->mimeData()->hasFormat(kNodesMime))
            DoMethod(tree, MUIM_NListtree_Drop, type, target);
    }
};

class TreePeer : public PeerBase {
public:
    TreePeer(Object *obj, TreeView *view) : PeerBase(obj, view), view_(view)
    {
        model_ = new TreeModel(obj, view);
        view->tree = obj;
        view->setModel(model_);
        view->setHeaderHidden(true);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setDragDropMode(QAbstractItemView::InternalMove);
        view->setDragEnabled(true);
        view->setAcceptDrops(true);
        view->setDropIndicatorShown(true);
        view->setFont(DisplaySettings::Current().font);
        connect(view, &QTreeView::clicked, this, [this](const QModelIndex &i) { Clicked(i); });
        connect(view, &QTreeView::expanded, this, [this](const QModelIndex &i) { OpenClose(i, true); });
        connect(view, &QTreeView::collapsed, this, [this](const QModelIndex &i) { OpenClose(i, false); });
        Rebuild();
    }
    ~TreePeer() override { model_->Forget(); }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        if (syncing_)
            return;   // our own change coming back
        if (attr == MUIM_NListtree_Remove)
            LetGo();
        else if (attr == 0 || attr == MUIA_NListtree_Entries || attr == MUIA_NListtree_Quiet)
            Rebuild();
        else if (attr == MUIA_NListtree_Active)
            ShowActiveSelected();
    }
    void OnRelease() override { model_->Forget(); }

private:
    void Rebuild()
    {
        if (NListtreeQuiet(object()))
            return;
        syncing_ = true;
        connectSelection(false);
        model_->Reload(true);
        RestoreOpen(QModelIndex());
        RestoreSelection();
        connectSelection(true);
        syncing_ = false;
        ShowActive();
    }

    // Nodes are about to be freed: the view and its selection keep none of
    // them, and the tree shows again when the list is rebuilt.
    void LetGo()
    {
        syncing_ = true;
        connectSelection(false);
        model_->Reload(false);
        connectSelection(true);
        syncing_ = false;
    }

    void RestoreOpen(const QModelIndex &parent)
    {
        for (int r = 0; r < model_->rowCount(parent); ++r) {
            QModelIndex i = model_->index(r, 0, parent);
            Node *n = TreeModel::NodeOf(i);
            view_->setExpanded(i, (n->tn_Flags & TNF_OPEN) != 0);
            RestoreOpen(i);
        }
    }

    void RestoreSelection()
    {
        QItemSelection selection;
        std::vector<QModelIndex> stack = {QModelIndex()};
        while (!stack.empty()) {
            QModelIndex parent = stack.back();
            stack.pop_back();
            for (int r = 0; r < model_->rowCount(parent); ++r) {
                QModelIndex i = model_->index(r, 0, parent);
                if (TreeModel::NodeOf(i)->tn_Flags & TNF_SELECTED)
                    selection.select(i, i);
                stack.push_back(i);
            }
        }
        view_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }

    // The program moved the active node: the selection may have followed it.
    void ShowActiveSelected()
    {
        syncing_ = true;
        connectSelection(false);
        RestoreSelection();
        connectSelection(true);
        syncing_ = false;
        ShowActive();
    }

    void ShowActive()
    {
        auto *active = reinterpret_cast<Node *>(xget(object(), MUIA_NListtree_Active));
        QModelIndex i = model_->IndexOf(active);
        syncing_ = true;
        if (i.isValid()) {
            view_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
            view_->scrollTo(i);
        }
        syncing_ = false;
    }

    void Clicked(const QModelIndex &i)
    {
        Node *n = TreeModel::NodeOf(i);
        if (!n)
            return;
        Act(MUIA_NListtree_Active, n);
        Act(MUIA_NListtree_EntryClick, DoMethod(object(), MUIM_NListtree_GetNr, n, 0));
    }

    void OpenClose(const QModelIndex &i, bool open)
    {
        if (syncing_ || !object())
            return;
        syncing_ = true;
        DoMethod(object(), open ? MUIM_NListtree_Open : MUIM_NListtree_Close, 0, TreeModel::NodeOf(i), 0);
        syncing_ = false;
    }

    void SelectionChanged()
    {
        if (syncing_ || !object())
            return;
        DoMethod(object(), MUIM_NListtree_Select, MUIV_NListtree_Select_All, MUIV_NListtree_Select_Off, 0, nullptr);
        for (const QModelIndex &i : view_->selectionModel()->selectedIndexes())
            DoMethod(object(), MUIM_NListtree_Select, TreeModel::NodeOf(i), MUIV_NListtree_Select_On, 0, nullptr);
    }

    void connectSelection(bool on)
    {
        if (on)
            selection_ = connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                                 [this] { SelectionChanged(); });
        else
            disconnect(selection_);
    }

    TreeView *view_;
    TreeModel *model_;
    QMetaObject::Connection selection_;
    bool syncing_ = false;
};
}

QWidget *MakeTreePeer(Object *obj, QWidget *parent)
{
    auto *view = new TreeView(parent);
    new TreePeer(obj, view);
    return view;
}
