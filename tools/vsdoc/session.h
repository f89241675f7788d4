// The program's classes and window, made headless: vsdoc opens documents
// and bases through the same viewer, index panel and base panel as the
// window program. Requesters become lines on standard error; a question
// whether to save is answered yes (vsdoc is told what to write), any other
// question no.
#pragma once
#include "app/headless.h"
#include "platform/mui/requesters.h"

#include <memory>

struct Baza;

class StderrRequester : public RequesterBackend {
public:
    LONG Request(const std::string &title, const std::string &buttons, const std::string &text) override;
    bool FileRequest(const FileRequestSpec &, FileRequestResult &) override { return false; }
    void Notice(const std::string &text) override;
};

class Session {
public:
    explicit Session(const char *program);
    ~Session();
    bool Ready() const { return program_.Ready(); }
    // Opens a file in the viewer; false when no document type takes it.
    bool Open(const char *file);
    // A file's entries, read as a base reads them (the file is not shown);
    // null when no document type takes it. The session keeps the record.
    Baza *Index(const char *file);

private:
    struct FreeRecord {
        void operator()(Baza *baza) const;
    };
    StderrRequester requester_;
    HeadlessProgram program_;   // made after the requester: the start-up may ask
    // made after the program, so freed while its memory pool still stands
    std::unique_ptr<Baza, FreeRecord> indexed_;
};
