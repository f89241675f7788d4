// The text list peer: a list view with uniform rows, painted by a delegate
// from the list's own lines, so a million lines cost no widgets and no copies.
// Clicks become the list's click line and column; the list maps the column
// to a character.
#include "nlist_peer.h"

#include "../mui/area.h"
#include "../mui/group.h"
#include "../nlist/nlist.h"
#include "display_settings.h"
#include "factory.h"
#include "peer_base.h"
#include "richtext.h"

#include <QAbstractListModel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

namespace {
constexpr int kMargin = 4;

class LineModel : public QAbstractListModel {
public:
    explicit LineModel(Object *list, QObject *parent) : QAbstractListModel(parent), list_(list) {}
    int rowCount(const QModelIndex &parent) const override { return parent.isValid() || !list_ ? 0 : rows_; }
    QVariant data(const QModelIndex &i, int role) const override
    {
        const char *help = role == Qt::ToolTipRole && list_ ? NListLineHelp(list_, i.row()) : nullptr;
        return help ? QVariant(UiText(help)) : QVariant();
    }
    void Reload()
    {
        focusRow = -1;   // the lines changed: no button keeps the focus
        beginResetModel();
        rows_ = list_ ? int(NListLineCount(list_)) : 0;
        widest_ = list_ ? NListWidestLine(list_) : 0;
        endResetModel();
    }
    LONG Widest() const { return widest_; }
    // The embedded button that Tab moved to: its line and its number there.
    int focusRow = -1;
    LONG focusButton = 0;
    void Forget() { list_ = nullptr; }
    Object *List() const { return list_; }

private:
    Object *list_;
    int rows_ = 0;
    LONG widest_ = 0;
};

// Columns are this wide on screen; fixed-width fonts may have a fractional advance.
qreal CharWidth() { return QFontMetricsF(DisplaySettings::Current().font).horizontalAdvance(QLatin1Char('M')); }

// The run's characters with tabs spread to their stops; line ends are not drawn.
QString RunText(const char *text, const TextRun &run, bool utf8)
{
    QString out;
    LONG col = run.column;
    for (size_t j = run.first; j < run.last;) {
        LONG next = NextColumn(text, j, col, utf8);
        if (text[j] == '\t') {
            out += QString(int(next - col), QLatin1Char(' '));
            ++j;
        } else if (text[j] == '\n' || text[j] == '\r') {
            ++j;
        } else if (utf8 && UBYTE(text[j]) >= 0x80) {
            size_t n = 1;
            while (j + n < run.last && (UBYTE(text[j + n]) & 0xC0) == 0x80)
                ++n;
            out += QString::fromUtf8(text + j, qsizetype(n));
            j += n;
        } else {
            out += QChar(static_cast<unsigned char>(text[j]));
            ++j;
        }
        col = next;
    }
    return out;
}

class LineDelegate : public QStyledItemDelegate {
public:
    explicit LineDelegate(LineModel *model, QObject *parent) : QStyledItemDelegate(parent), model_(model) {}

    // Every row is as wide as the longest, so the view scrolls sideways over
    // long lines instead of cutting them off.
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        int width = int(qreal(model_->Widest()) * CharWidth()) + 2 * kMargin;
        return QSize(width, QFontMetrics(DisplaySettings::Current().font).lineSpacing() + 1);
    }

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        Object *list = model_->List();
        if (!list)
            return;
        const DisplaySettings &s = DisplaySettings::Current();
        LONG row = index.row();
        bool marked = NListIsSelected(list, row) || LONG(xget(list, MUIA_NList_Active)) == row;
        if (marked)
            p->fillRect(option.rect, option.palette.highlight());
        size_t pos, len;
        const char *text = NListLineText(list, row, &pos, &len);
        qreal cw = CharWidth();
        bool utf8 = NListLineIsUTF8(list, text);
        index_ = row;
        for (const TextRun &run :
             LayoutLine(text, pos, len, NListColumns(list), utf8, [list](LONG n) { return NListButtonLabel(list, n); }))
            PaintRun(p, option, text, run, cw, marked, utf8, s);
    }

private:
    void PaintRun(QPainter *p, const QStyleOptionViewItem &option, const char *text, const TextRun &run, qreal cw,
                  bool marked, bool utf8, const DisplaySettings &s) const
    {
        QRect r = option.rect;
        qreal x = r.left() + kMargin + qreal(run.column) * cw;
        if (run.kind == RunKind::Separator) {
            p->setPen(s.Pen(4));
            p->drawLine(r.left() + kMargin, r.center().y(), r.right() - kMargin, r.center().y());
            return;
        }
        QFont f = s.font;
        f.setBold(run.style.bold);
        f.setItalic(run.style.italic);
        f.setUnderline(run.style.underline);
        p->setFont(f);
        QRectF box(x, r.top(), qreal(run.columns) * cw, r.height());
        if (run.kind == RunKind::Button) {
            bool focused = model_->focusRow == index_ && model_->focusButton == run.button;
            if (focused)
                p->fillRect(box.adjusted(0, 1, -1, -2), option.palette.highlight());
            p->setPen(s.Pen(4));
            p->drawRect(box.adjusted(0, 1, -1, -2));
            p->setPen(s.Pen(2));
            p->drawText(box, Qt::AlignCenter, UiText(NListButtonLabel(model_->List(), run.button).c_str()));
            return;
        }
        p->setPen(marked ? option.palette.highlightedText().color()
                         : s.TextPen(run.style.pen < 0 ? 2 : run.style.pen, option.palette.base().color()));
        QFontMetricsF fm(f);
        qreal baseline = r.top() + (r.height() - fm.height()) / 2 + fm.ascent();
        p->drawText(QPointF(x, baseline), RunText(text, run, utf8));
    }

    LineModel *model_;
    mutable int index_ = -1;   // the row being painted
};

// The embedded buttons of a line, in order: their numbers and reported values.
std::vector<std::pair<LONG, LONG>> ButtonsOf(Object *list, int row)
{
    std::vector<std::pair<LONG, LONG>> buttons;
    size_t pos, len;
    const char *text = NListLineText(list, row, &pos, &len);
    for (const TextRun &run : LayoutLine(text, pos, len, NListColumns(list), NListLineIsUTF8(list, text),
                                         [list](LONG n) { return NListButtonLabel(list, n); }))
        if (run.kind == RunKind::Button)
            buttons.emplace_back(run.button, run.value);
    return buttons;
}

class LineView : public QListView {
public:
    LineView(QWidget *parent) : QListView(parent) {}
    Object *list = nullptr;

protected:
    std::pair<int, int> Where(const QPoint &p) const
    {
        QModelIndex i = indexAt(p);
        return {i.isValid() ? i.row() : -1, std::max(0, int((p.x() - kMargin + horizontalOffset()) / CharWidth()))};
    }

    void ReportClick(const QPoint &p)
    {
        auto [row, col] = Where(p);
        if (list)
            SetAttrs(list, MUIA_NList_ClickLine, row, MUIA_NList_ClickColumn, col, MUIA_NoNotify, TRUE);
    }

    void mousePressEvent(QMouseEvent *e) override
    {
        ReportClick(e->pos());
        auto [row, col] = Where(e->pos());
        if (!list || row < 0)
            return;
        if (ButtonAt(row, col))
            return;
        if (xget(list, MUIA_NList_Input))
            SetAttrs(list, MUIA_NList_Active, row);
    }

    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        ReportClick(e->pos());
        auto [row, col] = Where(e->pos());
        if (list && row >= 0)
            SetAttrs(list, MUIA_NList_DoubleClick, row);
        (void)col;
    }

    void keyPressEvent(QKeyEvent *e) override
    {
        if (!list)
            return;
        LONG active = LONG(xget(list, MUIA_NList_Active));
        LONG page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)));
        LONG target;
        switch (e->key()) {
        case Qt::Key_Up: target = active - 1; break;
        case Qt::Key_Down: target = active + 1; break;
        case Qt::Key_PageUp: target = active - page; break;
        case Qt::Key_PageDown: target = active + page; break;
        case Qt::Key_Home: target = 0; break;
        case Qt::Key_End: target = MUIV_NList_Active_Bottom; break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!PressFocusedButton())
                SetAttrs(list, MUIA_NList_DoubleClick, active);
            return;
        default: QListView::keyPressEvent(e); return;
        }
        SetAttrs(list, MUIA_NList_Active, target < 0 && target != MUIV_NList_Active_Bottom ? 0 : target);
    }

    void resizeEvent(QResizeEvent *e) override
    {
        QListView::resizeEvent(e);
        if (!list)
            return;
        LONG columns = std::max(8, int((viewport()->width() - 2 * kMargin) / CharWidth()));
        LONG rows = viewport()->height() / std::max(1, sizeHintForRow(0) > 0 ? sizeHintForRow(0) : 16);
        bool rewrap = columns != NListColumns(list);
        SetAttrs(list, MUIA_NList_Columns, columns, MUIA_NList_Visible, rows, MUIA_NoNotify, TRUE);
        if (rewrap)
            static_cast<LineModel *>(model())->Reload();
    }

    // Tab and Shift+Tab go from button to button of the lines shown, round
    // from the last to the first; without buttons they leave the list.
    bool focusNextPrevChild(bool next) override
    {
        if (list && MoveButtonFocus(next))
            return true;
        return QListView::focusNextPrevChild(next);
    }

private:
    LineModel *Lines() const { return static_cast<LineModel *>(model()); }

    bool MoveButtonFocus(bool next)
    {
        int rows = int(NListLineCount(list));
        LineModel *m = Lines();
        bool focused = m->focusRow >= 0 && m->focusRow < rows;
        int start = focused ? m->focusRow : (next ? 0 : rows - 1);
        for (int step = 0; step <= rows && rows > 0; ++step) {
            int row = ((next ? start + step : start - step) % rows + rows) % rows;
            std::vector<std::pair<LONG, LONG>> buttons = ButtonsOf(list, row);
            if (!next)
                std::reverse(buttons.begin(), buttons.end());
            bool pastFocus = !focused || step > 0;
            for (auto [button, value] : buttons) {
                if (!pastFocus) {   // on the focused line: the buttons after (or before) the focused one
                    pastFocus = button == m->focusButton;
                    continue;
                }
                m->focusRow = row;
                m->focusButton = button;
                scrollTo(m->index(row, 0));
                viewport()->update();
                return true;
            }
        }
        return false;
    }

    bool PressFocusedButton()
    {
        LineModel *m = Lines();
        if (m->focusRow < 0 || m->focusRow >= int(NListLineCount(list)))
            return false;
        for (auto [button, value] : ButtonsOf(list, m->focusRow))
            if (button == m->focusButton) {
                SetAttrs(list, MUIA_NList_ButtonClick, value);
                return true;
            }
        return false;
    }

    // A click on an embedded button reports the button's value.
    bool ButtonAt(int row, int col)
    {
        size_t pos, len;
        const char *text = NListLineText(list, row, &pos, &len);
        for (const TextRun &run : LayoutLine(text, pos, len, NListColumns(list), NListLineIsUTF8(list, text),
                                             [this](LONG n) { return NListButtonLabel(list, n); }))
            if (run.kind == RunKind::Button && col >= run.column && col < run.column + run.columns) {
                SetAttrs(list, MUIA_NList_ButtonClick, run.value);
                return true;
            }
        return false;
    }
};

class NListPeer : public PeerBase {
public:
    NListPeer(Object *obj, LineView *view) : PeerBase(obj, view), view_(view)
    {
        model_ = new LineModel(obj, view);
        view->list = obj;
        view->setModel(model_);
        view->setItemDelegate(new LineDelegate(model_, view));
        view->setUniformItemSizes(true);
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setFont(DisplaySettings::Current().font);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        model_->Reload();
        Refresh();
    }

    ~NListPeer() override { model_->Forget(); }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        switch (attr) {
        case 0:
        case MUIA_NList_Entries:
        case MUIA_NList_Quiet:
            if (!NListQuiet(object()))
                model_->Reload();
            ShowActive();
            break;
        case MUIA_NList_Active:
        case MUIA_Selected:
            view_->viewport()->update();
            ShowActive();
            break;
        case MUIA_NList_First: ShowFirst(); break;
        }
    }

private:
    void ShowFirst()
    {
        LONG line = LONG(xget(object(), MUIA_NList_First));
        QModelIndex first = model_->index(int(line), 0);
        if (line > 0 && first.isValid())
            view_->scrollTo(first, QAbstractItemView::PositionAtTop);
        else
            view_->scrollToTop();
    }

    // Brings the active line into view up and down; without one, the list's
    // first line stands at the top (a document scrolled to an entry's line
    // stays there when the list is filled anew). Where the view stands
    // sideways is the person's to choose.
    void ShowActive()
    {
        LONG active = LONG(xget(object(), MUIA_NList_Active));
        int sideways = view_->horizontalScrollBar()->value();
        if (active >= 0 && active < model_->rowCount(QModelIndex()))
            view_->scrollTo(model_->index(int(active), 0));
        else if (active < 0)
            ShowFirst();
        view_->horizontalScrollBar()->setValue(sideways);
    }

    LineView *view_;
    LineModel *model_;
};
}

QWidget *MakeNListPeer(Object *obj, QWidget *parent)
{
    auto *view = new LineView(parent);
    new NListPeer(obj, view);
    return view;
}

// The list view scrolls by itself: the frame around it adds nothing.
QWidget *MakeNListviewPeer(Object *obj, QWidget *parent)
{
    Object *list = GroupChild(obj, 0);
    QWidget *w = BuildPeerWidget(list, parent);
    return w;
}
