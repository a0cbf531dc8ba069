#pragma once

// One sentence of a recording, in seconds from its beginning.
struct Sentence {
    double start = 0;
    double end = 0;
    friend bool operator==(const Sentence&, const Sentence&) = default;
};
