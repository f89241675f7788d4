// JSON-RPC 2.0 as the language server speaks it: a body read as a request, a
// notification or something else, and the answers and notifications it sends.
#pragma once
#include <nlohmann/json.hpp>

#include <string>

using Json = nlohmann::json;

namespace rpc {
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestCancelled = -32800;
}

struct Message {
    enum class Kind { Request, Notification, Response, Invalid } kind = Kind::Invalid;
    Json id;   // a request's: a number or a string
    std::string method;
    Json params;         // an object, an array or null
    int code = 0;        // Invalid: the error to answer with
    std::string fault;   // Invalid: why
};

// Reads one body. Bytes that are no JSON give kParseError, JSON that is no
// request, notification or response kInvalidRequest (with the id when one
// can be told).
Message ReadMessage(const std::string &body);

Json ErrorAnswer(const Json &id, int code, const std::string &message);
Json ResultAnswer(const Json &id, Json result);
Json NotificationMessage(const std::string &method, Json params);
// The text of a message; a string that is no UTF-8 has the bad bytes replaced.
std::string Serialized(const Json &message);

// What a handler reads of its params without trusting their shape: a member
// of the type asked for, or the fallback.
const Json *Member(const Json &object, const char *key);
std::string StringMember(const Json &object, const char *key, const std::string &fallback = "");
bool NumberMember(const Json &object, const char *key, long &value);
