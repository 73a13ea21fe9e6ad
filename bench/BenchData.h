// The standard benchmark dataset: ID, NAME, CITY, SALARY, PRICE, BIRTH, CREATED, ACTIVE, about
// 10% NULLs, non-ASCII and special characters in the texts. The same rows for the same count.
#pragma once

#include "sources/MemDataset.h"

namespace ostrel::bench {

void FillStandardDataset(TMemDataset& ds, int rows);

// The table of the Firebird copy, in the types of the dataset.
constexpr const char* kCreateTable =
    "CREATE TABLE BENCH (ID INTEGER, NAME VARCHAR(20), CITY VARCHAR(40), SALARY DOUBLE PRECISION, "
    "PRICE NUMERIC(18,4), BIRTH DATE, CREATED TIMESTAMP, ACTIVE BOOLEAN);";

}  // namespace ostrel::bench
