// The requesters as Qt dialogs: a message box with the program's buttons,
// and a file dialog that filters with the program's shell pattern.
#pragma once
#include "../mui/requesters.h"

#include <QPointer>
#include <QWidget>
#include <string>
#include <utility>

class QtDialogs : public RequesterBackend {
public:
    LONG Request(const std::string &title, const std::string &buttons, const std::string &text) override;
    bool FileRequest(const FileRequestSpec &spec, FileRequestResult &result) override;
    // On the main window's status line; one that comes before the window is
    // shown there once it opens.
    void Notice(const std::string &text) override;

    void SetParentWindow(QWidget *w)
    {
        if (!w)
            return;
        parent_ = w;
        if (!pending_.empty())
            Notice(std::exchange(pending_, std::string()));
    }
    bool HasParent() const { return parent_ != nullptr; }
    QWidget *ParentWindow() const { return parent_; }
    void WindowGone(QWidget *w)
    {
        if (parent_ == w)
            parent_ = nullptr;
    }

private:
    QPointer<QWidget> parent_;
    std::string pending_;
};

// The filters the file dialog offers: the pattern's, named as the program
// names it ("Documents (*.doc *.h)"), and all files; the first is chosen.
QStringList FileRequestFilters(const FileRequestSpec &spec);

// What the file dialog's chosen paths (typed or picked) become: the drawer is
// the first one's folder; a file in another folder keeps its whole path.
void FillFileRequestResult(const QStringList &chosen, FileRequestResult &result);
