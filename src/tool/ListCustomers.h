#pragma once
// list DIR customers [--company CODE] [--addresses] [--csv]: the customer list of one company, by
// name, as the Customer Manager's list report or as comma-separated values.

#include "tool/Commands.h"

namespace tool {

// `args` are the words after "list": the data folder, "customers" and the options.
int ListCustomers(const Args& args);

}  // namespace tool
