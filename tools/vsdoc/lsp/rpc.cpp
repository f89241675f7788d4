#include "rpc.h"

namespace {
bool ValidId(const Json &id) { return id.is_number_integer() || id.is_string(); }

Message Invalid(int code, const std::string &fault, const Json &id = nullptr)
{
    Message m;
    m.code = code;
    m.fault = fault;
    m.id = id;
    return m;
}
}

Message ReadMessage(const std::string &body)
{
    Json j = Json::parse(body, nullptr, false);
    if (j.is_discarded())
        return Invalid(rpc::kParseError, "the message is no JSON (or no UTF-8)");
    if (!j.is_object())
        return Invalid(rpc::kInvalidRequest, "the message is no JSON object");
    const Json *id = Member(j, "id");
    Json idValue = id && ValidId(*id) ? *id : Json();
    if (StringMember(j, "jsonrpc") != "2.0")
        return Invalid(rpc::kInvalidRequest, "the message is no JSON-RPC 2.0", idValue);
    const Json *method = Member(j, "method");
    if (!method) {
        Message m = Invalid(0, "");
        m.kind = (j.contains("result") || j.contains("error")) ? Message::Kind::Response : Message::Kind::Invalid;
        m.code = m.kind == Message::Kind::Invalid ? rpc::kInvalidRequest : 0;
        m.fault = "the message has no method";
        return m;
    }
    if (!method->is_string() || (id && !ValidId(*id)))
        return Invalid(rpc::kInvalidRequest, "the method or the id is of the wrong type", idValue);
    const Json *params = Member(j, "params");
    if (params && params->is_null())
        params = nullptr;   // as good as left out: clients send it so for shutdown and exit
    if (params && !params->is_object() && !params->is_array())
        return Invalid(rpc::kInvalidRequest, "the params are neither an object nor an array", idValue);
    Message m;
    m.kind = id ? Message::Kind::Request : Message::Kind::Notification;
    m.id = idValue;
    m.method = method->get<std::string>();
    m.params = params ? *params : Json::object();
    return m;
}

Json ErrorAnswer(const Json &id, int code, const std::string &message)
{
    return Json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

Json ResultAnswer(const Json &id, Json result)
{
    return Json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

Json NotificationMessage(const std::string &method, Json params)
{
    return Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

std::string Serialized(const Json &message) { return message.dump(-1, ' ', false, Json::error_handler_t::replace); }

const Json *Member(const Json &object, const char *key)
{
    if (!object.is_object())
        return nullptr;
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::string StringMember(const Json &object, const char *key, const std::string &fallback)
{
    const Json *m = Member(object, key);
    return m && m->is_string() ? m->get<std::string>() : fallback;
}

bool NumberMember(const Json &object, const char *key, long &value)
{
    const Json *m = Member(object, key);
    if (!m || !m->is_number_integer())
        return false;
    value = m->get<long>();
    return true;
}
