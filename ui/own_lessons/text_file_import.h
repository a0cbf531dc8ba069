#pragma once

#include "core/code_page.h"
#include "core/regular_file.h"
#include "core/text_import.h"

#include <QString>
#include <variant>

// Why a lesson or text file could not be read, in words for the teacher.
QString readProblemText(FileProblem problem);

// A text file read for a new lesson, or why it cannot be one.
std::variant<ImportedText, QString> importTextFile(const QString& path, CodePage& codePage);

// Which encoding the text was taken to be in, for the editor to say.
QString encodingNote(TextEncoding encoding, const QString& fileName);
