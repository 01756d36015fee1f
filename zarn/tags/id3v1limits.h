#pragma once
// How many characters the ID3v1 artist and title boxes take. Optimized packing (id3v1.h)
// stores up to 59 characters of artist and title by borrowing from album and comment.

struct ID3v1BoxLimits {
    int artist = 30;
    int title = 30;
};

// With optimized packing: the artist 59 less the album's length (never below 0), the title 59
// less the comment's and 2 less with a track, never below 30. Without it: 30 each.
ID3v1BoxLimits ID3v1LengthLimits(bool optimized, int albumLength, int commentLength,
                                 bool hasTrack = false);
