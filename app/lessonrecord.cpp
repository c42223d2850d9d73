#include "app/lessonrecord.h"

#include <algorithm>
#include <vector>

using namespace design;
using namespace design::inverse;

namespace lessonrecord {

namespace {

constexpr std::string_view Header = "water-lessons 2";

constexpr std::array<std::string_view, LessonCount> LessonNames = {"proportion", "inverse",
                                                                   "constant"};

char flag(bool on) {
    return on ? '1' : '0';
}

std::string flags(const Options &o) {
    return {flag(o.hint), ' ', flag(o.table), ' ', flag(o.graph)};
}

// The record's lines, split at each '\n'; the text must end with one.
std::optional<std::vector<std::string_view>> lines(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt; // cut short
        out.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return out;
}

// "name=value": the value when the line names `name`.
std::optional<std::string_view> field(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || !line.starts_with(name) || line[name.size()] != '=')
        return std::nullopt;
    return line.substr(name.size() + 1);
}

// The words of a value, separated by single spaces.
std::vector<std::string_view> words(std::string_view value) {
    std::vector<std::string_view> out;
    for (;;) {
        const std::size_t space = value.find(' ');
        out.push_back(value.substr(0, space));
        if (space == std::string_view::npos) return out;
        value.remove_prefix(space + 1);
    }
}

// A small whole number as written: digits only, no sign, no leading zero, at most three.
std::optional<int> number(std::string_view word);

// The same with a leading "-" for a negative one; no "-0".
std::optional<int> signedNumber(std::string_view word) {
    if (!word.starts_with('-')) return number(word);
    const auto n = number(word.substr(1));
    if (!n || *n == 0) return std::nullopt;
    return -*n;
}

std::optional<int> number(std::string_view word) {
    if (word.empty() || word.size() > 3 || (word.size() > 1 && word[0] == '0')) return std::nullopt;
    int n = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::optional<bool> flagOf(std::string_view word) {
    if (word == "0") return false;
    if (word == "1") return true;
    return std::nullopt;
}

} // namespace

// Well-formed UTF-8 with no control character, C0, DEL or C1.
bool plainText(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F) return false;
            ++i;
            continue;
        }
        int more;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + std::size_t(more) >= s.size()) return false; // cut short
        for (int k = 1; k <= more; ++k) {
            const auto t = static_cast<unsigned char>(s[i + std::size_t(k)]);
            if ((t & 0xC0) != 0x80) return false;
            cp = cp << 6 | (t & 0x3F);
        }
        const char32_t least = more == 1 ? 0x80 : more == 2 ? 0x800 : 0x10000;
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        if (cp >= 0x80 && cp <= 0x9F) return false;
        i += std::size_t(more) + 1;
    }
    return true;
}

bool keepable(std::string_view delay) {
    return delay.size() <= MaxDelayBytes && plainText(delay);
}

namespace {

std::optional<Options> options(std::string_view flagsLine, std::string_view delayLine,
                               std::string_view lesson) {
    const auto f = field(flagsLine, std::string(lesson) + ".options");
    const auto d = field(delayLine, std::string(lesson) + ".delay");
    if (!f || !d) return std::nullopt;
    const std::vector<std::string_view> w = words(*f);
    if (w.size() != 3) return std::nullopt;
    const auto hint = flagOf(w[0]), table = flagOf(w[1]), graph = flagOf(w[2]);
    if (!hint || !table || !graph) return std::nullopt;
    if (!keepable(*d)) return std::nullopt;
    return Options{*hint, *table, *graph, std::string(*d)};
}

} // namespace

std::string compose(const Record &r) {
    std::string out(Header);
    out += "\nshown=";
    out += LessonNames[std::size_t(r.shown)];
    out += "\nproportion.progress=" + std::to_string(r.proportion.progress);
    out += "\nproportion.options=" + flags(r.proportion.options);
    out += "\nproportion.delay=" + r.proportion.options.delay;
    out += "\ninverse.rate=" + std::to_string(r.inverse.rate);
    out += "\ninverse.minutes=" + std::to_string(r.inverse.minutes);
    out += "\ninverse.recorded=";
    for (const bool recorded : r.inverse.recorded)
        out += flag(recorded);
    out += "\ninverse.options=" + flags(r.inverse.options);
    out += "\ninverse.delay=" + r.inverse.options.delay;
    out += "\nconstant.rate=" + std::to_string(r.constant.rate);
    out += "\nconstant.minutes=" + std::to_string(r.constant.minute) + ' ' +
           std::to_string(r.constant.from) + ' ' + std::to_string(r.constant.to);
    out += "\nconstant.lines=";
    for (const bool drawn : r.constant.lines)
        out += flag(drawn);
    out += "\nconstant.options=" + flags(r.constant.options);
    out += "\nconstant.delay=" + r.constant.options.delay;
    out += '\n';
    return out;
}

std::optional<Record> parse(std::string_view text) {
    // Fifteen short lines: anything much longer is not ours, whatever it holds.
    if (text.size() > 768) return std::nullopt;
    const auto l = lines(text);
    if (!l || l->size() != 15 || (*l)[0] != Header) return std::nullopt;
    Record r;
    const auto shown = field((*l)[1], "shown");
    const auto named =
        shown ? std::find(LessonNames.begin(), LessonNames.end(), *shown) : LessonNames.end();
    if (named == LessonNames.end()) return std::nullopt;
    r.shown = static_cast<LessonId>(named - LessonNames.begin());

    const auto progressField = field((*l)[2], "proportion.progress");
    const auto progress = progressField ? number(*progressField) : std::nullopt;
    if (!progress || *progress % 2 != 0 || *progress > FullProgress) return std::nullopt;
    r.proportion.progress = *progress;
    const auto first = options((*l)[3], (*l)[4], "proportion");
    if (!first) return std::nullopt;
    r.proportion.options = *first;

    const auto rateField = field((*l)[5], "inverse.rate");
    const auto rate = rateField ? number(*rateField) : std::nullopt;
    if (!rate || index(*rate) < 0) return std::nullopt;
    r.inverse.rate = *rate;
    const auto minutesField = field((*l)[6], "inverse.minutes");
    const auto minutes = minutesField ? number(*minutesField) : std::nullopt;
    if (!minutes || *minutes > Capacity / *rate) return std::nullopt;
    r.inverse.minutes = *minutes;
    const auto recorded = field((*l)[7], "inverse.recorded");
    if (!recorded || recorded->size() != RateCount) return std::nullopt;
    for (std::size_t i = 0; i < RateCount; ++i) {
        const auto on = flagOf(recorded->substr(i, 1));
        if (!on) return std::nullopt;
        r.inverse.recorded[i] = *on;
    }
    // A full container is in the table the moment it is full.
    if (*minutes == Capacity / *rate && !r.inverse.recorded[std::size_t(index(*rate))])
        return std::nullopt;
    const auto second = options((*l)[8], (*l)[9], "inverse");
    if (!second) return std::nullopt;
    r.inverse.options = *second;

    namespace constant = layout::constant;
    const auto constantRateField = field((*l)[10], "constant.rate");
    const auto constantRate = constantRateField ? signedNumber(*constantRateField) : std::nullopt;
    if (!constantRate || constant::index(*constantRate) < 0) return std::nullopt;
    r.constant.rate = *constantRate;
    // The minute shown lies in the run of minutes reached, which holds now.
    const auto shownMinutes = field((*l)[11], "constant.minutes");
    const auto m = shownMinutes ? words(*shownMinutes) : std::vector<std::string_view>{};
    if (m.size() != 3) return std::nullopt;
    const auto minute = signedNumber(m[0]), from = signedNumber(m[1]), to = signedNumber(m[2]);
    if (!minute || !from || !to || *from < constant::MinMinute || *from > 0 || *to < 0 ||
        *to > constant::MaxMinute || *minute < *from || *minute > *to)
        return std::nullopt;
    r.constant.minute = *minute;
    r.constant.from = *from;
    r.constant.to = *to;
    const auto drawn = field((*l)[12], "constant.lines");
    if (!drawn || drawn->size() != constant::RateCount) return std::nullopt;
    for (std::size_t i = 0; i < constant::RateCount; ++i) {
        const auto on = flagOf(drawn->substr(i, 1));
        if (!on) return std::nullopt;
        r.constant.lines[i] = *on;
    }
    // Every minute of a rate reached draws its line the moment it is.
    if (*from == constant::MinMinute && *to == constant::MaxMinute &&
        !r.constant.lines[std::size_t(constant::index(*constantRate))])
        return std::nullopt;
    const auto third = options((*l)[13], (*l)[14], "constant");
    if (!third) return std::nullopt;
    r.constant.options = *third;
    return r;
}

} // namespace lessonrecord
