#pragma once

#include <cstddef>
#include <string_view>

// How many characters `a` and `b` share from their start. A typed text of a
// long lesson is compared after every key, so whole blocks are compared as
// memory first.
std::size_t commonPrefix(std::u16string_view a, std::u16string_view b);
