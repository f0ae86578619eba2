#pragma once
// The two tables a parsed suggestion lives in: the letters table, one row per letter already
// placed on the sentence grid, and the scenario table, one row per thesis header.

#include "text/record_table.h"

namespace mirelta {

// Field numbers of the letters table, in the table's order; the comments give the fields' names,
// which the table and mirelta-check's dump show.
namespace letters_field {
enum Field : int {
    Serial,       // N: the letter's number in the whole version, from 1
    Thesis,       // Nnast
    Sentence,     // Npred: the sentence's number in its thesis
    Position,     // Nzn: the letter's position in its sentence, a gap between words counting one
    Word,         // Nslov: the word's number in its sentence
    LetterInWord, // Nbuk: the letter's number in its word
    Glyph,        // Nalf: the glyph index; unassigned for a character without a glyph
    Letter,       // Bukv: the character, upper-cased
    GridCell,     // Nspr: the cell of the sentence grid
    RowCell,      // Nsprslov: the cell of the word row
    GridRow,      // Nstrok: the row of the sentence grid
};
}

// Field numbers of the scenario table, in the table's order.
namespace scenario_field {
enum Field : int {
    Thesis,           // Nnast
    Colour,           // Svet: the scene's colour, 0 red, 1 green, 2 grey, any other all colours
    Picture,          // Faileiz: the picture file, relative to the Image folder
    Sound,            // Failezv: the sound file, relative to the Sound folder
    PictureFrequency, // Vid: the picture after the thesis (0), each sentence (1), each phrase (2)
    PicturePause,     // Zad: how long the picture is shown, ms
};
}

RecordTable makeLettersTable();
RecordTable makeScenarioTable();

// Paths in a header keep at most this many characters.
inline constexpr int kMediaPathLength = 80;

} // namespace mirelta
