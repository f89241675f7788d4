#include "basejob.h"

#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "core/requesters.h"
#include "platform/dos/paths.h"
#include "platform/intuition/tags.h"
#include "platform/mui/requesters.h"
#include "scanqueue.h"

#include <atomic>
#include <chrono>
#include <memory>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kProgressEvery = std::chrono::milliseconds(50);   // at most 20 times a second
constexpr auto kStepAtMost = std::chrono::milliseconds(10);      // then the window's events come first

void Quiet(bool on) { SetAttrs(BazaGUI.Tree, MUIA_NListtree_Quiet, on); }

// One adding or rescanning: the files in the queue, put in place from the
// first on by Place, each only once the ones before it are.
class BaseJob {
public:
    BaseJob(std::vector<ScanJob> jobs, bool background, ULONG serial)
        : serial_(serial),
          queue_(std::move(jobs), !background, background ? std::function<void()>([this] { Tell(); }) : nullptr)
    {
    }
    virtual ~BaseJob() = default;
    ULONG Serial() const { return serial_; }
    enum Pace { WAITING, SCANNED, A_STEP };   // for each file; those scanned; those scanned for a short while
    // Puts files in place in order; true when none is left.
    bool Advance(Pace pace)
    {
        pending_ = false;
        Clock::time_point until = Clock::now() + kStepAtMost;
        Quiet(true);
        for (; !ended_ && next_ < queue_.Size() && (pace == WAITING || queue_.Ready(next_)); ++next_) {
            if (pace == A_STEP && Clock::now() > until) {
                Tell();   // the rest in the next step
                break;
            }
            Progress();
            ended_ = !Place(next_, queue_.Wait(next_));
        }
        Quiet(false);
        return ended_ || next_ == queue_.Size() || stopped_;
    }
    void Stop()
    {
        queue_.Stop();
        stopped_ = true;
    }

protected:
    virtual std::string Name(size_t i) = 0;
    virtual bool Place(size_t i, ScannedFile &file) = 0;   // false: the job ends here

private:
    void Tell()
    {
        if (!pending_.exchange(true))
            DoMethod(QMXObject.App, MUIM_Application_PushMethod, QMXObject.BazaObj, 2, QMXM_Baza_JobStep,
                     IPTR(serial_));
    }
    void Progress()
    {
        if (next_ > 0 && Clock::now() - shown_ < kProgressEvery)
            return;
        BazaProgress(LONG(next_ + 1), LONG(queue_.Size()), Name(next_).c_str());
        // counted from when the report was taken in, so that whoever reads the
        // reports sees them at least that far apart
        shown_ = Clock::now();
    }

    ULONG serial_;
    std::atomic<bool> pending_{false};   // a step is pushed and not yet taken
    size_t next_ = 0;
    bool ended_ = false, stopped_ = false;
    Clock::time_point shown_;
    ScanQueue queue_;   // last: its threads start at once and use what is above
};

class AddJob : public BaseJob {
public:
    AddJob(const std::vector<std::string> &names, bool (*admit)(const std::string &), bool background, ULONG serial)
        : BaseJob(Jobs(names), background, serial), names_(names), admit_(admit), group_(BazaActiveGroup())
    {
    }
    LONG Added() const { return added_; }

private:
    static std::vector<ScanJob> Jobs(const std::vector<std::string> &names)
    {
        std::vector<ScanJob> jobs;
        for (const std::string &name : names)
            jobs.push_back({HostPath(name.c_str()), std::nullopt});
        return jobs;
    }
    std::string Name(size_t i) override { return FilePart(names_[i].c_str()); }
    bool Place(size_t i, ScannedFile &file) override
    {
        if (file.Outcome != ScannedFile::SCANNED) {   // the admitting check tells why, if it can
            if (!admit_ || admit_(names_[i]))
                ViewCannotOpen(names_[i].c_str());
            return false;
        }
        BazaAdd2Tree(group_, KIND_DOCUMENT, TakeScanned(file));
        ++added_;
        return true;
    }

    std::vector<std::string> names_;
    bool (*admit_)(const std::string &);
    TreeNode *group_;
    LONG added_ = 0;
};

class RescanJob : public BaseJob {
public:
    RescanJob(std::vector<TreeNode *> nodes, bool background, ULONG serial)
        : BaseJob(Jobs(nodes), background, serial), nodes_(std::move(nodes))
    {
    }

private:
    static std::vector<ScanJob> Jobs(const std::vector<TreeNode *> &nodes)
    {
        std::vector<ScanJob> jobs;
        for (const TreeNode *n : nodes) {
            auto *baza = static_cast<const Baza *>(n->tn_User);
            std::optional<std::string> library;
            if (baza->Library)
                library = baza->Library;
            jobs.push_back({HostPath(SetFilePath(nullptr, baza->Dir, baza->Name)), library});
        }
        return jobs;
    }
    std::string Name(size_t i) override { return static_cast<const Baza *>(nodes_[i]->tn_User)->Name; }
    // A document whose file is gone goes when the user says so.
    bool Place(size_t i, ScannedFile &file) override
    {
        auto *baza = static_cast<Baza *>(nodes_[i]->tn_User);
        if (PutRescanned(baza, file))
            return true;
        LONG answer = MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(0), GetLoc(136), GetLoc(135),
                                  SetFilePath(nullptr, baza->Dir, baza->Name));
        if (answer)
            DoMethod(BazaGUI.Tree, MUIM_NListtree_Remove, 0, nodes_[i], 0);
        return true;
    }

    std::vector<TreeNode *> nodes_;
};

std::vector<TreeNode *> DocumentNodes()
{
    std::vector<TreeNode *> nodes;
    for (LONG n = 0;; ++n) {
        auto *node = reinterpret_cast<TreeNode *>(DoMethod(BazaGUI.Tree, MUIM_NListtree_GetEntry, 0, n, 0));
        if (!node)
            return nodes;
        if (NodeKind(node) == KIND_DOCUMENT)
            nodes.push_back(node);
    }
}

// The job that goes on while the window answers, and whether its steps are
// being taken (a requester it shows lets the window's events in).
std::unique_ptr<BaseJob> running;
ULONG serials = 0;
bool stepping = false, stopAsked = false;

void Working(bool on)
{
    SetAttrs(BazaGUI.Tree, MUIA_Disabled, on);
    SetAttrs(BazaGUI.LoadButton, MUIA_Disabled, on);
    SetAttrs(BazaGUI.StopButton, MUIA_Disabled, !on);
}

void EndRunning()
{
    running.reset();   // the threads are done or stop after their file
    BazaProgress(0, 0, nullptr);
    Working(false);
    konfig.Modified = 1;
}

void StartRunning(std::unique_ptr<BaseJob> job)
{
    running = std::move(job);
    Working(true);
    BazaJobStep(running->Serial());   // files already scanned, or none at all
}

// Without a window's loop the job is done before the call returns; the
// window sleeps meanwhile.
void RunToEnd(BaseJob &job)
{
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, TRUE);
    job.Advance(BaseJob::WAITING);
    BazaProgress(0, 0, nullptr);
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
}
}

LONG BazaAddFiles(const std::vector<std::string> &names, bool (*admit)(const std::string &))
{
    BazaJobStop();
    AddJob job(names, admit, false, 0);
    RunToEnd(job);
    return job.Added();
}

void BazaJobAdd(const std::vector<std::string> &names)
{
    BazaJobStop();
    StartRunning(std::make_unique<AddJob>(names, nullptr, true, ++serials));
}

IPTR clBaza_QMXM_BazaUpdate()
{
    BazaJobStop();
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 2);
    if (!xget(BazaGUI.Tree, MUIA_NListtree_Entries))
        return 0;
    RescanJob job(DocumentNodes(), false, 0);
    RunToEnd(job);
    konfig.Modified = 1;
    return 0;
}

void BazaJobRescan()
{
    BazaJobStop();
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 2);
    if (xget(BazaGUI.Tree, MUIA_NListtree_Entries))
        StartRunning(std::make_unique<RescanJob>(DocumentNodes(), true, ++serials));
}

bool BazaJobRunning() { return running != nullptr; }

void BazaJobStep(ULONG serial)
{
    if (!running || running->Serial() != serial || stepping)
        return;
    stepping = true;
    bool done = running->Advance(BaseJob::A_STEP);
    stepping = false;
    if (done || stopAsked) {
        stopAsked = false;
        EndRunning();
    }
}

void BazaJobStop()
{
    if (!running)
        return;
    running->Stop();
    if (stepping) {
        stopAsked = true;   // the step that runs ends the job
        return;
    }
    stepping = true;
    running->Advance(BaseJob::SCANNED);
    stepping = false;
    EndRunning();
}

void BazaJobFinish()
{
    if (!running || stepping)
        return;
    stepping = true;
    running->Advance(BaseJob::WAITING);
    stepping = false;
    EndRunning();
}

bool BazaJobEndsFor(Msg msg)
{
    switch (msg->MethodID) {
    case OM_DISPOSE:
    case QMXM_BazaOpenASL:
    case QMXM_BazaOpen:
    case QMXM_BazaSaveASL:
    case QMXM_BazaSave:
    case QMXM_BazaClose:
    case QMXM_BazaReplace:
    case QMXM_BazaUpdate:
    case QMXM_BazaRefresh:
    case QMXM_BazaFindKey:
    case QMXM_BazaLookUp:
    case QMXM_BazaFindLink:
    case QMXM_Baza_EdTree: return true;
    case OM_SET:
        for (TagItem *walk = reinterpret_cast<opSet *>(msg)->ops_AttrList; TagItem *t = NextTagItem(&walk);)
            if (t->ti_Tag == QMXA_Baza_File || t->ti_Tag == QMXA_Baza_ActiveNr || t->ti_Tag == QMXA_Baza_ActiveNode ||
                t->ti_Tag == QMXA_Baza_ShowActive || t->ti_Tag == QMXA_Baza_FindKey)
                return true;
        return false;
    default: return false;
    }
}
