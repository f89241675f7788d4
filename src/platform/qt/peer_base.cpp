#include "peer_base.h"

#include "../mui/area.h"
#include "../nlist/textcodes.h"
#include "richtext.h"

PeerBase::PeerBase(Object *obj, QWidget *widget) : QObject(widget), obj_(obj), widget_(widget) { SetPeer(obj, this); }

PeerBase::~PeerBase() { Release(); }

void PeerBase::Release()
{
    if (!obj_)
        return;
    OnRelease();
    if (GetPeer(obj_) == this)
        SetPeer(obj_, nullptr);
    obj_ = nullptr;
}

PeerBase *QtPeerOf(Object *obj) { return dynamic_cast<PeerBase *>(GetPeer(obj)); }

void PeerBase::Changed(IPTR attr)
{
    if (obj_ && widget_)
        Update(attr);
}

void PeerBase::Refresh() { Update(0); }

void PeerBase::UpdateArea()
{
    const AreaState *a = AreaStateOf(obj_);
    if (!a)
        return;
    widget_->setEnabled(!a->disabled);
    if (!widget_->isWindow())
        widget_->setVisible(a->showMe);
    widget_->setToolTip(PlainUiText(a->shortHelp->c_str()));
}

void PeerBase::Update(IPTR attr)
{
    if (attr == 0 || attr == MUIA_Disabled || attr == MUIA_ShowMe || attr == MUIA_ShortHelp)
        UpdateArea();
}
