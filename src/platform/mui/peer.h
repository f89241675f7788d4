// What the toolkit needs of a renderer. Objects never draw: when a window
// opens, the renderer gives each object of it a peer, and an object tells its
// peer which attribute changed so that the peer can read the new state.
#pragma once
#include "../intuition/classes.h"

struct Peer {
    virtual ~Peer() = default;
    virtual void Changed(IPTR attr) = 0;
    virtual void Detach() = 0;   // the object is going away
};

struct Renderer {
    virtual ~Renderer() = default;
    virtual void OpenWindow(Object *win) = 0;
    virtual void CloseWindow(Object *win) = 0;
    virtual void ProcessEvents() = 0;   // handles what is pending, never sleeps
    virtual void OpenConfigWindow(Object *app) = 0;
    // The application went to sleep (long work) or woke: its windows show the
    // busy pointer and take no input meanwhile.
    virtual void Busy(bool on) = 0;
    // The open windows hidden (minimised) or shown again and raised.
    virtual void Iconify(bool hidden) = 0;
};

void SetRenderer(Renderer *renderer);
Renderer *CurrentRenderer();

Peer *GetPeer(Object *obj);
void SetPeer(Object *obj, Peer *peer);
// Tells the object's peer, if it has one, that shown state changed.
void PeerChanged(Object *obj, IPTR attr);

// The name of the nearest built-in class of an object ("Group.mui" for a
// program's own subclass of Group), which tells a renderer what to build.
const char *BuiltinClassName(const Object *obj);
