#include "runtime/core/arguments.h"

#include <vector>

namespace rt {

namespace {

struct Parameter {
    std::string name;
    std::string value;
    std::string raw; // as it stands in the query, kept so that others' parameters stay as written
};

std::vector<Parameter> parameters;
std::function<void(const std::string &)> queryWatcher;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A query's part as the browser would read it: "+" a space, "%XX" a byte; a broken escape as is.
std::string decoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '+') {
            out += ' ';
        } else if (s[i] == '%' && i + 2 < s.size() && hexDigit(s[i + 1]) >= 0 &&
                   hexDigit(s[i + 2]) >= 0) {
            out += char(hexDigit(s[i + 1]) * 16 + hexDigit(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string encoded(std::string_view s) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                           (c >= 'A' && c <= 'Z') || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 15];
        }
    }
    return out;
}

Parameter *find(std::string_view name) {
    for (Parameter &p : parameters)
        if (p.name == name) return &p;
    return nullptr;
}

// The last of a repeated name wins, as a later argument overrides an earlier one.
void put(std::string name, std::string value, std::string raw) {
    if (Parameter *p = find(name)) {
        p->value = std::move(value);
        p->raw = std::move(raw);
        return;
    }
    parameters.push_back({std::move(name), std::move(value), std::move(raw)});
}

} // namespace

std::string argument(std::string_view name) {
    const Parameter *p = find(name);
    return p ? p->value : std::string();
}

void setArgument(std::string_view name, std::string_view value) {
    if (name.empty()) return;
    Parameter *p = find(name);
    if (value.empty()) {
        if (!p) return;
        std::erase_if(parameters, [name](const Parameter &q) { return q.name == name; });
    } else {
        if (p && p->value == value) return;
        put(std::string(name), std::string(value), encoded(name) + "=" + encoded(value));
    }
    if (queryWatcher) queryWatcher(query());
}

void setCommandLine(std::span<const std::string_view> args) {
    parameters.clear();
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) continue;
        const std::size_t equals = arg.find('=');
        if (equals == std::string_view::npos || equals == 2) continue;
        const std::string_view name = arg.substr(2, equals - 2), value = arg.substr(equals + 1);
        if (value.empty()) {
            std::erase_if(parameters, [name](const Parameter &p) { return p.name == name; });
            continue;
        }
        put(std::string(name), std::string(value), encoded(name) + "=" + encoded(value));
    }
}

void setQuery(std::string_view q) {
    parameters.clear();
    if (q.starts_with('?')) q.remove_prefix(1);
    while (!q.empty()) {
        const std::size_t amp = q.find('&');
        const std::string_view part = q.substr(0, amp);
        q = amp == std::string_view::npos ? std::string_view() : q.substr(amp + 1);
        if (part.empty()) continue;
        const std::size_t equals = part.find('=');
        const std::string_view name = part.substr(0, equals);
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : part.substr(equals + 1);
        // Kept whatever it holds: setting another argument must not drop it from the address.
        parameters.push_back({decoded(name), decoded(value), std::string(part)});
    }
}

std::string query() {
    std::string q;
    for (const Parameter &p : parameters)
        q += (q.empty() ? "?" : "&") + p.raw;
    return q;
}

void setQueryWatcher(std::function<void(const std::string &)> watcher) {
    queryWatcher = std::move(watcher);
}

} // namespace rt
