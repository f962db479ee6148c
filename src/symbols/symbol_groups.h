// The rows of the library, one function per group of symbols; symbol_table.cpp puts them in order.
#pragma once

#include <vector>

#include "symbols/symbol.h"

namespace symbols::groups {

std::vector<Symbol> lampsAndFans();
std::vector<Symbol> wiringDevices();  // switches, sockets and push buttons
std::vector<Symbol> boxesAndMeters();
std::vector<Symbol> switchgear();  // switchgear, protection, instrument transformer, transformers
std::vector<Symbol> marks();       // riser marks, north arrow, earthing, cable, signature

}  // namespace symbols::groups
