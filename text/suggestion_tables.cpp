#include "text/suggestion_tables.h"

namespace mirelta {

RecordTable makeLettersTable() {
    return RecordTable({{"N", FieldType::Integer},
                        {"Nnast", FieldType::SmallInt},
                        {"Npred", FieldType::SmallInt},
                        {"Nzn", FieldType::SmallInt},
                        {"Nslov", FieldType::SmallInt},
                        {"Nbuk", FieldType::SmallInt},
                        {"Nalf", FieldType::SmallInt},
                        {"Bukv", FieldType::Text, 1},
                        {"Nspr", FieldType::SmallInt},
                        {"Nsprslov", FieldType::SmallInt},
                        {"Nstrok", FieldType::SmallInt}});
}

RecordTable makeScenarioTable() {
    return RecordTable({{"Nnast", FieldType::SmallInt},
                        {"Svet", FieldType::SmallInt},
                        {"Faileiz", FieldType::Text, kMediaPathLength},
                        {"Failezv", FieldType::Text, kMediaPathLength},
                        {"Vid", FieldType::SmallInt},
                        {"Zad", FieldType::SmallInt}});
}

} // namespace mirelta
