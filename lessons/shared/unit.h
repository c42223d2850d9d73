#pragma once

/// The unit's lessons, in the order F2 goes through them.
enum class LessonId { Proportion, Inverse, Constant };

inline constexpr int LessonCount = 3;

constexpr LessonId nextLesson(LessonId lesson) {
    return static_cast<LessonId>((static_cast<int>(lesson) + 1) % LessonCount);
}
