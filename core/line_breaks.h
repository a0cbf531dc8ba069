#pragma once

#include <string>
#include <string_view>

// Every line break as CR LF: a lone CR or a lone LF becomes CR LF, so that a
// line break always takes the two positions the comparison engine expects.
std::u16string withCrLf(std::u16string_view text);

// A text as a lesson keeps it: every line break CR LF, a tab as one space, no
// spaces (ASCII or ideographic) at the end of a line and no empty lines at the
// end of the text, so that nothing invisible is left to type.
std::u16string tidyLessonText(std::u16string_view text);
