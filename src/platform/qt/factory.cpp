#include "factory.h"

#include "../mui/group.h"
#include "../mui/peer.h"
#include "gadget_peers.h"
#include "group_peer.h"
#include "nlist_peer.h"
#include "tree_peer.h"

#include <QWidget>
#include <cstring>
#include <map>
#include <string>

using PeerMaker = QWidget *(*)(Object *, QWidget *);

QWidget *BuildPeerWidget(Object *obj, QWidget *parent)
{
    static const std::map<std::string, PeerMaker> makers = {
        {"Group.mui", MakeGroupPeer},         {"Popstring.mui", MakeGroupPeer},     {"Popobject.mui", MakeGroupPeer},
        {"Register.mui", MakeRegisterPeer},   {"NListview.mcc", MakeNListviewPeer}, {"NList.mcc", MakeNListPeer},
        {"NListtree.mcc", MakeTreePeer},      {"Text.mui", MakeTextPeer},           {"String.mui", MakeStringPeer},
        {"Cycle.mui", MakeCyclePeer},         {"Numeric.mui", MakeNumericPeer},     {"Image.mui", MakeImagePeer},
        {"Rectangle.mui", MakeRectanglePeer}, {"Area.mui", MakeAreaPeer},
    };
    auto it = makers.find(BuiltinClassName(obj));
    if (it == makers.end())
        return new QWidget(parent);   // an object with nothing to show (a balance bar outside a row)
    return it->second(obj, parent);
}
