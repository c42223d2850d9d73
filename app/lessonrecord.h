#pragma once

#include "lessons/constant/constantlayout.h"
#include "lessons/shared/design.h"
#include "lessons/shared/unit.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

/// What the three lessons keep for the session, so that a reloaded page comes back to the lesson
/// as it was: which lesson is shown, and for each what follows from the pupil's steps, fills
/// and options. The record is text; reading it back trusts nothing.
namespace lessonrecord {

/// The options both lessons have: Hint, 表, グラフ and the delay box's text.
struct Options {
    bool hint = false;
    bool table = false;
    bool graph = false;
    std::string delay = "20";
    friend bool operator==(const Options &, const Options &) = default;
};

/// The first lesson: twice the minutes shown, even, 0 to design::FullProgress.
struct Proportion {
    int progress = 0;
    Options options;
    friend bool operator==(const Proportion &, const Proportion &) = default;
};

/// The second lesson: the rate chosen, the whole minutes poured at it, and the rates whose
/// full container is in the table, in the order of design::inverse::Rates.
struct Inverse {
    int rate = design::inverse::StartRate;
    int minutes = 0;
    std::array<bool, design::inverse::RateCount> recorded = {};
    Options options;
    friend bool operator==(const Inverse &, const Inverse &) = default;
};

/// The third lesson: the rate chosen, the minute shown, the run of minutes reached at that rate
/// (from `from` to `to`, holding 0), and the rates whose line is drawn, in the order of
/// layout::constant::Rates.
struct Constant {
    int rate = layout::constant::StartRate;
    int minute = 0;
    int from = 0;
    int to = 0;
    std::array<bool, layout::constant::RateCount> lines = {};
    Options options;
    friend bool operator==(const Constant &, const Constant &) = default;
};

struct Record {
    LessonId shown = LessonId::Proportion;
    Proportion proportion;
    Inverse inverse;
    Constant constant;
    friend bool operator==(const Record &, const Record &) = default;
};

/// The longest delay text kept, in bytes: room for any delay a pupil means.
inline constexpr std::size_t MaxDelayBytes = 64;

/// Whether a delay box's text can stand in a record as it is.
bool keepable(std::string_view delay);

/// The record as text, one line a field, headed by its version.
std::string compose(const Record &record);

/// The record `text` holds, or nothing when it is not one this program wrote: another
/// version, a field missing, out of order or malformed, a number out of range, a rate that
/// does not exist, more minutes than the container holds, a full container not in the table,
/// a delay text too long, not UTF-8 or holding control characters. Never part of one.
std::optional<Record> parse(std::string_view text);

} // namespace lessonrecord
