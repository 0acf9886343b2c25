#pragma once
#include <cstdint>
#include <string>

// Decimal text with ',' between groups of three digits from the right.
std::string GroupThousands(std::int64_t number);
