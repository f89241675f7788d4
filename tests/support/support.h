// Shared by the tests: a private scratch directory with the environment store
// and the scratch assign inside it, a requester that records every question
// and answers from a script, and the program's window built headless.
#pragma once
#include "app/headless.h"
#include "platform/mui/requesters.h"

#include <deque>
#include <string>
#include <vector>

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    const std::string &Dir() const { return dir_; }
    std::string Path(const std::string &name) const { return dir_ + "/" + name; }
    // Writes bytes to a file below the sandbox and returns its path.
    std::string Write(const std::string &name, const std::string &bytes) const;

private:
    std::string dir_;
};

std::string ReadAll(const std::string &path);

struct Question {
    std::string title, buttons, text;
};

class ScriptedRequester : public RequesterBackend {
public:
    ScriptedRequester();
    ~ScriptedRequester() override;
    LONG Request(const std::string &title, const std::string &buttons, const std::string &text) override;
    bool FileRequest(const FileRequestSpec &spec, FileRequestResult &result) override;
    void Notice(const std::string &text) override { notices.push_back(text); }

    std::vector<Question> questions;
    std::vector<std::string> notices;
    std::deque<LONG> answers;              // empty: the last button (0)
    std::deque<FileRequestResult> files;   // empty: cancelled
    std::vector<FileRequestSpec> fileRequests;
};

// The program's classes and window as the start-up makes them, without a
// display. fullGUI picks the window layout.
class TestApp {
public:
    explicit TestApp(bool fullGUI = false, bool port = false) : program_("vellumscanner", fullGUI, port) {}
    bool Ready() const { return program_.Ready(); }
    ScriptedRequester requester;   // made first: the start-up may ask

private:
    HeadlessProgram program_;
};

// The viewer and its index as the tests drive them.
struct Baza;
class ViewerDriver {
protected:
    void Open(const std::string &path);
    Baza *Shown();
    std::string ShownName();
    void Pick(LONG n);
    LONG Active();
};

// Runs the input loop as the window does until the search panel's search has
// ended (its worker's last report taken in); false when it did not end.
bool FinishSearch();
// The same until the base panel's adding or rescanning has ended.
bool FinishBaseJob();

// The text lines of a text list, as stored.
std::vector<std::string> ListLines(Object *list);
