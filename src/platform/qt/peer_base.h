// The Qt side of one object: a widget that mirrors the object's state. A
// peer belongs to its widget; when the object goes first, the peer forgets it.
#pragma once
#include "../mui/peer.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class PeerBase : public QObject, public Peer {
    Q_OBJECT
public:
    PeerBase(Object *obj, QWidget *widget);
    ~PeerBase() override;

    void Changed(IPTR attr) final;
    void Detach() final { obj_ = nullptr; }
    Object *object() const { return obj_; }
    QWidget *widget() const { return widget_; }

    // Reads every part of the state the widget shows.
    void Refresh();
    // Lets go of the object before the widget goes (its window closed).
    void Release();

protected:
    virtual void Update(IPTR attr);
    virtual void OnRelease() {}
    // Sets attributes on the object as a person's action would.
    template <class... A> void Act(A... tags)
    {
        if (obj_)
            SetAttrs(obj_, tags...);
    }

private:
    void UpdateArea();
    Object *obj_;
    QPointer<QWidget> widget_;
};

// The peer of an object, if it has a Qt one.
PeerBase *QtPeerOf(Object *obj);
