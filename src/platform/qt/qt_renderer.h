// The renderer: Qt windows for the toolkit's window objects, the event loop
// that the program's Wait sleeps in, and the dialogs behind the requesters.
#pragma once
#include "../exec/signals.h"
#include "../mui/peer.h"

#include <map>
#include <memory>

class QApplication;
class QSocketNotifier;
class QWidget;
class QtDialogs;
struct RequesterBackend;

class QtRenderer : public Renderer, public EventSource {
public:
    QtRenderer(int &argc, char **argv);
    ~QtRenderer() override;

    void OpenWindow(Object *win) override;
    void CloseWindow(Object *win) override;
    void ProcessEvents() override;
    void OpenConfigWindow(Object *app) override;
    void Busy(bool on) override;
    void Iconify(bool hidden) override;
    bool WaitForEvents(int wakeFd) override;

    // The widget shown for a window object (tests and screenshots).
    QWidget *WindowWidget(Object *win) const;
    // The requesters and notices in Qt dialogs (tests).
    RequesterBackend *Dialogs() const;

private:
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QtDialogs> dialogs_;
    QSocketNotifier *wake_ = nullptr;
    std::map<Object *, QWidget *> windows_;
    bool busy_ = false;
};
