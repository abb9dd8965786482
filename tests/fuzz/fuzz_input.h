// The fuzz input read as a stream of choices: the structured parts of the targets take their
// sizes, characters and numbers from it byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plz::fuzz {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    // The next byte; past the end, zeros.
    uint8_t Next() { return at < size ? data[at++] : 0; }
    bool Done() const { return at >= size; }
    // A word of 0 to `most` characters of the alphabet.
    std::string Word(std::string_view alphabet, size_t most) {
        std::string w;
        for (size_t n = Next() % (most + 1); n > 0; --n) w += alphabet[Next() % alphabet.size()];
        return w;
    }
};

}  // namespace plz::fuzz
