#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace rt {

/// A record the program keeps for the session, so that the same session started again (the
/// page reloaded in its tab) finds it. The front end that can keep one hands in what it found
/// at start-up and writes each new record; elsewhere nothing is kept beyond the process.
/// What comes back is input: whoever reads it checks it.

/// The record kept last: at start-up, what the front end found ("" for none).
const std::string &kept();

/// Keeps `record` in place of the one kept before; the keeper, if any, writes it.
void keep(std::string_view record);

/// What the front end found kept at start-up; no keeper is called.
void setKept(std::string_view record);

/// Whether a front end keeps the records: without one there is nothing to make them for.
bool keeping();

/// Called with each record kept from now on; nullptr stops it.
void setKeeper(std::function<void(const std::string &)> keeper);

} // namespace rt
