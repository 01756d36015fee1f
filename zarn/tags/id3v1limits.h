#pragma once
// How many characters the ID3v1 artist and title boxes take. Optimized packing (id3v1.h)
// stores up to 59 characters of artist and title by borrowing from album and comment.

struct ID3v1BoxLimits {
    int artist = 30;
    int title = 30;
};

// With optimized packing: the artist 59 less the album's length, the title 59 less the
// comment's, never below 0. Without it: 30 each.
ID3v1BoxLimits ID3v1LengthLimits(bool optimized, int albumLength, int commentLength);
