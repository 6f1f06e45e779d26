// The sample customer data moved to the public headers (include/orvo/sample_database.h);
// this path keeps the library's includes.
#pragma once
#include "db/keyset/sample_customers.h"
#include "orvo/sample_database.h"
