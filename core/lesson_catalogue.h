#pragma once

#include <optional>
#include <string>
#include <string_view>

// The 96 entries of the lesson menu: lessons 1 to 48 of the course, each with a
// basic text A and an applied text B.
inline constexpr int kLessonCount = 48;

struct LessonEntry {
    std::string itemName;   // Jlesson1_A
    std::u16string caption; // 第一课 基本课文
    std::string path;       // ldata\J01A.ORV
    std::string name;       // J01A: how the journal and the features name it
};

// n from 1 to 48, letter 'A' or 'B'.
LessonEntry lessonEntry(int n, char letter);

// The entry of a catalogue name, J01A ... J48B; nothing for any other text.
std::optional<LessonEntry> catalogueEntry(std::string_view name);

// The lesson menu's path of a course lesson (J01A -> ldata/J01A.ORV), in the
// system's form; nothing for any other name.
std::optional<std::string> courseLessonPath(std::string_view lesson);

// 1 to 99 in ordinary Chinese numerals: 一, 十, 十一, 二十, 二十一.
std::u16string chineseNumeral(int n);
