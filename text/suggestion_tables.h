#pragma once
// The two tables a parsed suggestion lives in: the letters table, one row per letter already
// placed on the sentence grid, and the scenario table, one row per thesis header.

#include "text/record_table.h"

namespace mirelta {

// Field numbers of the letters table, in the table's order.
namespace tslovo {
enum Field : int { N, Nnast, Npred, Nzn, Nslov, Nbuk, Nalf, Bukv, Nspr, Nsprslov, Nstrok };
}

// Field numbers of the scenario table, in the table's order.
namespace tschenar {
enum Field : int { Nnast, Svet, Faileiz, Failezv, Vid, Zad };
}

RecordTable makeLettersTable();
RecordTable makeScenarioTable();

// Paths in a header keep at most this many characters.
inline constexpr int kMediaPathLength = 80;

} // namespace mirelta
