// A dataspace: what objects with an object id export when the application
// saves its state, keyed by that id.
#pragma once
#include "mui.h"

#include <map>
#include <string>

class Dataspace {
public:
    void Add(ULONG id, const std::string &value) { values_[id] = value; }
    const std::string *Find(ULONG id) const
    {
        auto it = values_.find(id);
        return it == values_.end() ? nullptr : &it->second;
    }
    const std::map<ULONG, std::string> &Values() const { return values_; }
    void Clear() { values_.clear(); }

private:
    std::map<ULONG, std::string> values_;
};

struct MUIP_Export {
    IPTR MethodID;
    Dataspace *dataspace;
};

inline Dataspace *DataspaceOf(Msg msg) { return reinterpret_cast<MUIP_Export *>(msg)->dataspace; }

// Numbers exported as decimal text, several separated by ",".
std::string JoinNumbers(std::initializer_list<LONG> numbers);
// Parses up to max numbers; returns how many were read.
int SplitNumbers(const std::string &text, LONG *out, int max);
