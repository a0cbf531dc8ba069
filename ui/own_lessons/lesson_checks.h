#pragma once

#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "explain/kanji_sources.h"

#include <QList>
#include <QString>
#include <QTextEdit>
#include <string>
#include <vector>

class QPlainTextEdit;

// A character Japanese writing does not use, such as the simplified 图.
struct ForeignCharacter {
    size_t offset; // in the checked text
    char16_t character;
    char16_t japaneseForm; // 図 for 图; 0 when none is known
};

// What the editor's live checks find in a text as it is being written.
struct LessonFindings {
    std::vector<UnencodableChar> outsideGbk; // Save refuses them
    std::vector<ForeignCharacter> foreign;   // a warning only
    size_t fileSize = 0;                     // of the file Save would write
    bool tidied = false;                     // Save changes tabs, line ends or spaces
    bool empty = false;                      // nothing left to type once tidied
};

// The checks of a text as the editor holds it (line breaks LF).
LessonFindings checkLesson(std::u16string_view text, CodePage& codePage, KanjiSources& kanji);

// Red wavy underlines under what Save refuses, orange ones under what
// Japanese does not use, for QPlainTextEdit::setExtraSelections.
QList<QTextEdit::ExtraSelection> markFindings(const LessonFindings& findings,
                                              QPlainTextEdit& editor);

// The tooltip of the mark at a text offset; empty where there is none.
QString findingAt(const LessonFindings& findings, size_t offset);

// The status line: every kind of finding counted.
QString findingsSummary(const LessonFindings& findings);

// Why Save refused, naming each character outside GBK by line and column.
QString refusalText(const LessonRefusal& refusal);
