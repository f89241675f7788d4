#include "readargs.h"

#include "files.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <strings.h>

namespace {
struct Item {
    std::vector<std::string> names;
    bool required = false, keyword = false, sw = false, number = false, multi = false, rest = false;
};

struct Token {
    std::string text;
    size_t start;   // where the token starts in the line
    bool quoted;
};

std::vector<Item> ParseTemplate(const std::string &templ)
{
    std::vector<Item> items;
    if (templ.find_first_not_of(" \t\n") == std::string::npos)
        return items;   // a command without arguments: any word is one too many
    size_t pos = 0;
    while (pos <= templ.size()) {
        size_t comma = templ.find(',', pos);
        std::string part = templ.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        Item item;
        size_t slash = part.find('/');
        std::string names = part.substr(0, slash);
        for (size_t i = slash; i != std::string::npos && i + 1 < part.size(); i = part.find('/', i + 1)) {
            switch (toupper(static_cast<unsigned char>(part[i + 1]))) {
            case 'A': item.required = true; break;
            case 'K': item.keyword = true; break;
            case 'S': item.sw = true; break;
            case 'N': item.number = true; break;
            case 'M': item.multi = true; break;
            case 'F': item.rest = true; break;
            }
        }
        size_t from = 0;
        for (size_t eq; (eq = names.find('=', from)) != std::string::npos; from = eq + 1)
            item.names.push_back(names.substr(from, eq - from));
        item.names.push_back(names.substr(from));
        for (std::string &n : item.names) {
            size_t b = n.find_first_not_of(" \t\n"), e = n.find_last_not_of(" \t\n");
            n = b == std::string::npos ? std::string() : n.substr(b, e - b + 1);
        }
        items.push_back(item);
        if (comma == std::string::npos)
            break;
        pos = comma + 1;
    }
    return items;
}

std::vector<Token> Tokenize(const std::string &line)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\n'))
            ++i;
        if (i >= line.size())
            break;
        Token t{std::string(), i, line[i] == '"'};
        if (t.quoted) {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '*' && i + 1 < line.size()) {
                    char n = line[++i];
                    t.text += n == 'N' || n == 'n' ? '\n' : n == 'E' || n == 'e' ? '\33' : n;
                } else {
                    t.text += line[i];
                }
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\n')
                t.text += line[i++];
        }
        tokens.push_back(t);
    }
    return tokens;
}

int FindKeyword(const std::vector<Item> &items, const std::string &word)
{
    for (size_t i = 0; i < items.size(); ++i)
        for (const std::string &n : items[i].names)
            if (!n.empty() && n.find('\n') == std::string::npos && strcasecmp(n.c_str(), word.c_str()) == 0)
                return int(i);
    return -1;
}

std::string Trim(const std::string &s)
{
    size_t b = s.find_first_not_of(" \t\n"), e = s.find_last_not_of(" \t\n");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// The rest of the line from a token on, unquoted when it is one quoted word.
std::string RestOfLine(const std::string &line, const std::vector<Token> &tokens, size_t from)
{
    std::string rest = Trim(line.substr(tokens[from].start));
    if (from + 1 == tokens.size() && tokens[from].quoted)
        return tokens[from].text;
    return rest;
}
}

struct RDArgs {
    std::deque<std::string> strings;
    std::deque<LONG> numbers;
    std::deque<std::vector<char *>> lists;
};

namespace {
class Parser {
public:
    Parser(const std::vector<Item> &items, RDArgs *out, std::vector<ArgPlace> *places = nullptr)
        : items_(items), out_(out), places_(places), given_(items.size(), false), multi_(items.size())
    {
    }

    bool Run(const std::string &line, const std::vector<Token> &tokens, IPTR *array);

private:
    bool Keyword(size_t key, size_t &t, size_t eq, IPTR *array);
    bool Store(size_t item, const std::string &value, IPTR *array);
    int NextPositional() const;
    bool Finish(IPTR *array);
    // The tokens from..to give a value to item, starting at 'at' in the first.
    void Place(size_t from, size_t to, int item, size_t at)
    {
        for (size_t t = from; places_ && t < to; ++t)
            (*places_)[t] = {item, t == from ? at : 0};
    }

    const std::vector<Item> &items_;
    RDArgs *out_;
    std::vector<ArgPlace> *places_;   // where each token went, when asked
    const std::string *line_ = nullptr;
    const std::vector<Token> *tokens_ = nullptr;
    std::vector<bool> given_;
    std::vector<std::vector<std::string>> multi_;
};

bool Parser::Store(size_t item, const std::string &value, IPTR *array)
{
    const Item &it = items_[item];
    if (it.multi) {
        multi_[item].push_back(value);
        given_[item] = true;
        return true;
    }
    if (it.number) {
        LONG v;
        if (StrToLong(value.c_str(), &v) != LONG(value.size()))
            return false;
        out_->numbers.push_back(v);
        array[item] = ToIPTR(&out_->numbers.back());
    } else {
        out_->strings.push_back(value);
        array[item] = ToIPTR(out_->strings.back().data());
    }
    given_[item] = true;
    return true;
}

int Parser::NextPositional() const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].keyword && !items_[i].sw && (!given_[i] || items_[i].multi))
            return int(i);
    return -1;
}

// A keyword's name at token t: a switch, NAME=value, or the name followed by
// its value (the rest of the line for /F).
bool Parser::Keyword(size_t key, size_t &t, size_t eq, IPTR *array)
{
    const std::vector<Token> &tokens = *tokens_;
    const std::string &word = tokens[t].text;
    Place(t, t + 1, -1, 0);
    if (items_[key].sw) {
        array[key] = TRUE;
        given_[key] = true;
        return true;
    }
    std::string value;
    if (eq != std::string::npos) {
        value = word.substr(eq + 1);
        Place(t, t + 1, int(key), eq + 1);
    } else if (items_[key].rest && t + 1 < tokens.size()) {
        value = RestOfLine(*line_, tokens, t + 1);
        Place(t + 1, tokens.size(), int(key), 0);
        t = tokens.size();
    } else if (t + 1 < tokens.size()) {
        value = tokens[++t].text;
        Place(t, t + 1, int(key), 0);
    } else {
        return false;
    }
    return Store(key, value, array);
}

bool Parser::Run(const std::string &line, const std::vector<Token> &tokens, IPTR *array)
{
    line_ = &line;
    tokens_ = &tokens;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const std::string &word = tokens[t].text;
        size_t eq = tokens[t].quoted ? std::string::npos : word.find('=');
        int key = FindKeyword(items_, eq == std::string::npos ? word : word.substr(0, eq));
        if (key >= 0 && !tokens[t].quoted) {
            if (!Keyword(size_t(key), t, eq, array))
                return false;
            continue;
        }
        int pos = NextPositional();
        if (pos < 0)
            return false;
        if (items_[size_t(pos)].rest) {
            Place(t, tokens.size(), pos, 0);
            return Store(size_t(pos), RestOfLine(line, tokens, t), array) && Finish(array);
        }
        Place(t, t + 1, pos, 0);
        if (!Store(size_t(pos), word, array))
            return false;
    }
    return Finish(array);
}

// Every required item given; the lists of /M items made.
bool Parser::Finish(IPTR *array)
{
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].required && !given_[i])
            return false;
        if (items_[i].multi && given_[i]) {
            std::vector<char *> &list = out_->lists.emplace_back();
            for (const std::string &s : multi_[i]) {
                out_->strings.push_back(s);
                list.push_back(out_->strings.back().data());
            }
            list.push_back(nullptr);
            array[i] = ToIPTR(list.data());
        }
    }
    return true;
}
}

RDArgs *ReadArgs(CONST_STRPTR templ, IPTR *array, CONST_STRPTR line)
{
    std::string input = Trim(line ? line : "");
    if (input == "?") {
        FPuts(Output(), templ);
        FPuts(Output(), ": ");
        Flush(Output());
        char buf[1024];
        input = FGets(Input(), buf, sizeof buf) ? Trim(buf) : std::string();
    }
    std::vector<Item> items = ParseTemplate(templ);
    auto *args = new RDArgs;
    std::vector<IPTR> scratch(array, array + items.size());   // the caller's array changes only on success
    if (!Parser(items, args).Run(input, Tokenize(input), scratch.data())) {
        delete args;
        return nullptr;
    }
    std::copy(scratch.begin(), scratch.end(), array);
    return args;
}

void FreeArgs(RDArgs *args) { delete args; }

std::vector<ArgPlace> PlaceArguments(CONST_STRPTR templ, const std::vector<std::string> &words)
{
    std::vector<Item> items = ParseTemplate(templ ? templ : "");
    std::string line;
    std::vector<Token> tokens;
    for (const std::string &w : words) {
        line += line.empty() ? "" : " ";
        tokens.push_back({w, line.size(), false});
        line += w;
    }
    RDArgs scratch;
    std::vector<IPTR> array(items.size() + 1, 0);
    std::vector<ArgPlace> places(words.size(), ArgPlace{-1, 0});
    if (!Parser(items, &scratch, &places).Run(line, tokens, array.data()))
        places.clear();
    return places;
}

std::string TemplateItemName(CONST_STRPTR templ, int item)
{
    std::vector<Item> items = ParseTemplate(templ ? templ : "");
    return item >= 0 && size_t(item) < items.size() ? items[size_t(item)].names.front() : std::string();
}

std::string CommandLineFromArgv(int argc, char **argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (!line.empty())
            line += ' ';
        if (!a.empty() && a.find_first_of(" \t\n\"*=") == std::string::npos) {
            line += a;
            continue;
        }
        line += '"';
        for (char c : a) {
            if (c == '"' || c == '*')
                line += '*';
            line += c == '\n' ? 'N' : c;
            if (c == '\n')
                line.insert(line.size() - 1, 1, '*');
        }
        line += '"';
    }
    return line;
}

LONG StrToLong(CONST_STRPTR text, LONG *value)
{
    const char *p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return -1;
    long long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        v = std::min(v * 10 + (*p - '0'), 0x7FFFFFFFLL + 1);
    v = negative ? -v : std::min(v, 0x7FFFFFFFLL);
    *value = LONG(std::max(v, -0x80000000LL));
    return LONG(p - text);
}
