#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace rt {

/// The value of the program's argument `name`: `--name=value` on the command line, `?name=value`
/// in the page's address. Empty when it is absent.
std::string argument(std::string_view name);

/// Sets the argument `name` to `value`; an empty value removes it. In the browser the address
/// follows, so that a bookmark opens the same lesson; elsewhere nothing else changes.
void setArgument(std::string_view name, std::string_view value);

/// Takes the arguments from a command line: `--name=value` each, the program's name first.
/// Anything else (no value, a single dash, an empty name) is left to others.
void setCommandLine(std::span<const std::string_view> args);

/// Takes the arguments from an address's query, "?a=1&b=x%20y", with or without the "?".
void setQuery(std::string_view query);

/// The query that holds the arguments: every parameter as it came, in its place, the ones set
/// since written anew; "" when there is none.
std::string query();

/// Called with query() after every change of an argument; nullptr stops it.
void setQueryWatcher(std::function<void(const std::string &)> watcher);

} // namespace rt
