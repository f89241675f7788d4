#include "gadget_peers.h"

#include "../graphics/rastport.h"
#include "../mui/area.h"
#include "../mui/mui.h"
#include "peer_base.h"
#include "richtext.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>

namespace {
bool IsButton(Object *obj)
{
    const AreaState *a = AreaStateOf(obj);
    return a && a->inputMode == MUIV_InputMode_RelVerify;
}

// A released button arrives as MUIA_Pressed TRUE then FALSE, as a program
// pressing it would set them.
class ButtonPeer : public PeerBase {
public:
    ButtonPeer(Object *obj, QAbstractButton *button) : PeerBase(obj, button)
    {
        connect(button, &QAbstractButton::clicked, this, [this] { Act(MUIA_Pressed, TRUE), Act(MUIA_Pressed, FALSE); });
        Refresh();
    }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        auto *button = static_cast<QAbstractButton *>(widget());
        if ((attr == 0 || attr == MUIA_Text_Contents) && !qobject_cast<QToolButton *>(button))
            button->setText(ButtonText(reinterpret_cast<const char *>(xget(object(), MUIA_Text_Contents))));
    }
};

// A text that does not fit shows its end, where a path keeps its file name,
// and the whole of it as its tooltip.
class TextLabel : public QLabel {
public:
    using QLabel::QLabel;
    void SetText(const QString &html, const QString &plain)
    {
        plain_ = plain;
        setText(html);
    }
    bool Elided() const { return fontMetrics().horizontalAdvance(plain_) > Room().width(); }
    // What it shows does not change the room it asks for: a text shown anew
    // (a progress count, a file name) must not make the panes around it move.
    QSize sizeHint() const override { return {minimumWidth(), QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {minimumWidth(), QLabel::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        if (!Elided()) {
            QLabel::paintEvent(e);
            return;
        }
        QPainter p(this);
        drawFrame(&p);
        QRect r = Room();
        p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, fontMetrics().elidedText(plain_, Qt::ElideLeft, r.width()));
    }
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::ToolTip || !Elided())
            return QLabel::event(e);
        QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(), plain_, this);
        return true;
    }

private:
    QRect Room() const { return contentsRect().adjusted(3, 0, -3, 0); }
    QString plain_;
};

class TextPeer : public PeerBase {
public:
    TextPeer(Object *obj, TextLabel *label) : PeerBase(obj, label)
    {
        label->setTextFormat(Qt::RichText);
        label->setFrameShape(QFrame::StyledPanel);
        // A text takes the room its row has to spare, as the toolkit's texts
        // do, whatever the length of what it shows now.
        label->setSizePolicy(QSizePolicy::Policy(QSizePolicy::Ignored | QSizePolicy::ExpandFlag), QSizePolicy::Fixed);
        label->setMinimumWidth(40);
        Refresh();
    }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        if (attr != 0 && attr != MUIA_Text_Contents && attr != MUIA_Text_PreParse)
            return;
        auto *pre = reinterpret_cast<const char *>(xget(object(), MUIA_Text_PreParse));
        auto *text = reinterpret_cast<const char *>(xget(object(), MUIA_Text_Contents));
        static_cast<TextLabel *>(widget())->SetText(CodesToHtml(pre, text), PlainUiText(text));
    }
};

class StringPeer : public PeerBase {
public:
    StringPeer(Object *obj, QLineEdit *edit) : PeerBase(obj, edit)
    {
        connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString &t) {
            Act(MUIA_String_Contents, edit->text().toUtf8().constData());
            (void)t;
        });
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] {
            QByteArray text = edit->text().toUtf8();
            Act(MUIA_String_Contents, text.constData(), MUIA_NoNotify, TRUE);
            Act(MUIA_String_Acknowledge, text.constData());
        });
        Refresh();
    }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        auto *edit = static_cast<QLineEdit *>(widget());
        QString text = UiText(reinterpret_cast<const char *>(xget(object(), MUIA_String_Contents)));
        if ((attr == 0 || attr == MUIA_String_Contents) && edit->text() != text)
            edit->setText(text);
    }
};

class CyclePeer : public PeerBase {
public:
    CyclePeer(Object *obj, QComboBox *box) : PeerBase(obj, box)
    {
        auto *entries = reinterpret_cast<const char *const *>(xget(obj, MUIA_Cycle_Entries));
        for (int i = 0; entries && entries[i]; ++i)
            box->addItem(UiText(entries[i]));
        connect(box, &QComboBox::activated, this, [this](int i) { Act(MUIA_Cycle_Active, i); });
        Refresh();
    }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        if (attr == 0 || attr == MUIA_Cycle_Active)
            static_cast<QComboBox *>(widget())->setCurrentIndex(int(xget(object(), MUIA_Cycle_Active)));
    }
};

class NumericPeer : public PeerBase {
public:
    NumericPeer(Object *obj, QSpinBox *box) : PeerBase(obj, box)
    {
        box->setRange(int(LONG(xget(obj, MUIA_Numeric_Min))), int(LONG(xget(obj, MUIA_Numeric_Max))));
        connect(box, &QSpinBox::valueChanged, this, [this](int v) {
            if (LONG(xget(object(), MUIA_Numeric_Value)) != v)
                Act(MUIA_Numeric_Value, v);
        });
        Refresh();
    }

protected:
    void Update(IPTR attr) override
    {
        PeerBase::Update(attr);
        if (attr == 0 || attr == MUIA_Numeric_Value)
            static_cast<QSpinBox *>(widget())->setValue(int(LONG(xget(object(), MUIA_Numeric_Value))));
    }
};

QStyle::StandardPixmap ImageIcon(IPTR spec)
{
    switch (spec) {
    case MUII_PopFile: return QStyle::SP_DirOpenIcon;
    case MUII_PopDrawer: return QStyle::SP_FileDialogNewFolder;
    case MUII_TapePlay: return QStyle::SP_ArrowRight;
    case MUII_TapePlayBack: return QStyle::SP_ArrowLeft;
    case MUII_TapeStop: return QStyle::SP_BrowserStop;
    default: return QStyle::SP_ArrowDown;
    }
}

// An object that draws itself: it is given a bitmap of its size to draw into.
class AreaWidget : public QWidget {
public:
    explicit AreaWidget(QWidget *parent) : QWidget(parent) {}
    Object *obj = nullptr;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!obj || width() <= 0 || height() <= 0)
            return;
        RastPort rp;
        InitRastPort(&rp);
        rp.BitMap = AllocBitMap(ULONG(width()), ULONG(height()), 32, 0, nullptr);
        if (!rp.BitMap)
            return;
        MUIP_Draw draw = {MUIM_Draw, &rp, 0};
        DoMethodA(obj, reinterpret_cast<Msg>(&draw));
        QImage image(reinterpret_cast<const uchar *>(rp.BitMap->pixels.data()), width(), height(),
                     QImage::Format_ARGB32);
        QPainter(this).drawImage(0, 0, image);
        FreeBitMap(rp.BitMap);
    }
};

class AreaPeer : public PeerBase {
public:
    AreaPeer(Object *obj, AreaWidget *w) : PeerBase(obj, w)
    {
        w->obj = obj;
        setUp_ = DoMethod(obj, MUIM_Setup) != 0;
        MUI_MinMax mm = {0, 0, 0, 0, 0, 0};
        MUIP_AskMinMax ask = {MUIM_AskMinMax, &mm};
        DoMethodA(obj, reinterpret_cast<Msg>(&ask));
        if (mm.MinWidth > 0 && mm.MinHeight > 0)
            w->setFixedSize(mm.DefWidth, mm.DefHeight);
        if (!setUp_)
            w->obj = nullptr;
        Refresh();
    }
    ~AreaPeer() override { Release(); }

protected:
    void OnRelease() override
    {
        if (setUp_)
            DoMethod(object(), MUIM_Cleanup);
        if (auto *w = static_cast<AreaWidget *>(widget()))
            w->obj = nullptr;
    }

private:
    bool setUp_;
};
}

QWidget *MakeTextPeer(Object *obj, QWidget *parent)
{
    if (IsButton(obj)) {
        auto *button = new QPushButton(parent);
        new ButtonPeer(obj, button);
        return button;
    }
    auto *label = new TextLabel(parent);
    new TextPeer(obj, label);
    return label;
}

// A widget of type W with its peer of type P.
template <class W, class P> QWidget *WidgetWithPeer(Object *obj, QWidget *parent)
{
    auto *w = new W(parent);
    new P(obj, w);
    return w;
}

QWidget *MakeStringPeer(Object *obj, QWidget *parent) { return WidgetWithPeer<QLineEdit, StringPeer>(obj, parent); }
QWidget *MakeCyclePeer(Object *obj, QWidget *parent) { return WidgetWithPeer<QComboBox, CyclePeer>(obj, parent); }
QWidget *MakeNumericPeer(Object *obj, QWidget *parent) { return WidgetWithPeer<QSpinBox, NumericPeer>(obj, parent); }

QWidget *MakeImagePeer(Object *obj, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(button->style()->standardIcon(ImageIcon(xget(obj, MUIA_Image_Spec))));
    button->setAutoRaise(false);
    new ButtonPeer(obj, button);
    return button;
}

QWidget *MakeRectanglePeer(Object *obj, QWidget *parent)
{
    auto *w = new QWidget(parent);
    w->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    new PeerBase(obj, w);
    static_cast<PeerBase *>(GetPeer(obj))->Refresh();
    return w;
}

QWidget *MakeAreaPeer(Object *obj, QWidget *parent) { return WidgetWithPeer<AreaWidget, AreaPeer>(obj, parent); }
