// initialize: which bases to open, opening them through the base panel,
// and the server's capabilities.
#include "server.h"

#include "base/baseheader.h"
#include "base/baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "platform/mui/envstore.h"

namespace {
// The base the window had open when it last saved its state.
std::string LastBase()
{
    Dataspace state;
    if (!EnvStoreRead("Vellumscanner", "state", false, state))
        return {};
    const std::string *last = state.Find(OBJID_LastBase);
    return last && *last != BazaFileDir ? *last : std::string();
}

std::vector<std::string> ClientBases(const Json &params)
{
    std::vector<std::string> bases;
    const Json *options = Member(params, "initializationOptions");
    const Json *list = options ? Member(*options, "bases") : nullptr;
    if (list && list->is_array())
        for (const Json &b : *list)
            if (b.is_string())
                bases.push_back(b.get<std::string>());
    return bases;
}

bool OpenOneBase(const std::string &path)
{
    if (!IsBaseHeader(path.c_str()))
        return false;
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, path.c_str());
    return DoMethod(QMXObject.BazaObj, QMXM_BazaOpen) != 0;
}

void CollectDocuments(const TreeNode *node, std::vector<const Baza *> &out)
{
    if (NodeKind(node) == KIND_DOCUMENT)
        out.push_back(static_cast<const Baza *>(node->tn_User));
    for (const TreeNode *child : node->tn_Children)
        CollectDocuments(child, out);
}

Json Capabilities()
{
    return {
        {"textDocumentSync", {{"openClose", true}, {"change", 1}}},
        {"hoverProvider", true},
        {"definitionProvider", true},
        {"completionProvider", {{"resolveProvider", true}, {"triggerCharacters", Json::array()}}},
        {"signatureHelpProvider", {{"triggerCharacters", {"(", ","}}}},
        {"workspaceSymbolProvider", true},
    };
}
}

// Each base is added to the tree after those before it. A base whose records
// are damaged empties the whole tree when it fails, so the ones opened
// before it are opened again.
void LanguageServer::LoadBases(const std::vector<std::string> &paths)
{
    std::vector<std::string> opened, failed;
    for (const std::string &path : paths) {
        if (OpenOneBase(path)) {
            opened.push_back(path);
            continue;
        }
        failed.push_back(path);
        if (!opened.empty() && !NListtreeRoots(BazaGUI.Tree)->size())
            for (const std::string &again : opened)
                OpenOneBase(again);
    }
    konfig.Modified = 0;   // an old base brought up to date is not written back
    for (const TreeNode *root : *NListtreeRoots(BazaGUI.Tree))
        CollectDocuments(root, documents_);
    std::string text;
    for (const std::string &path : failed)
        text += "vsdoc lsp: the base " + path + " could not be opened. ";
    if (opened.empty())
        text += "vsdoc lsp: no document base is open; name one with --base BASE or initializationOptions.bases, "
                "or open one in Vellumscanner.";
    if (!text.empty())
        followUps_.push_back(
            NotificationMessage("window/showMessage", {{"type", opened.empty() ? 1 : 2}, {"message", text}}));
}

Json LanguageServer::Initialize(const Message &msg, int &code, std::string &fault)
{
    if (initialized_) {
        code = rpc::kInvalidRequest, fault = "initialize came twice";
        return nullptr;
    }
    initialized_ = true;
    std::vector<std::string> bases = commandLineBases_;
    if (bases.empty())
        bases = ClientBases(msg.params);
    if (bases.empty() && !LastBase().empty())
        bases.push_back(LastBase());
    LoadBases(bases);
    return {{"capabilities", Capabilities()}, {"serverInfo", {{"name", "vsdoc"}}}};
}
