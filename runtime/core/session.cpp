#include "runtime/core/session.h"

namespace rt {

namespace {

std::string record;
std::function<void(const std::string &)> keeper;

} // namespace

const std::string &kept() {
    return record;
}

void keep(std::string_view r) {
    if (record == r) return;
    record = r;
    if (keeper) keeper(record);
}

void setKept(std::string_view r) {
    record = r;
}

bool keeping() {
    return bool(keeper);
}

void setKeeper(std::function<void(const std::string &)> k) {
    keeper = std::move(k);
}

} // namespace rt
