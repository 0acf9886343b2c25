#include "numbers_text.h"

std::string GroupThousands(std::int64_t number) {
  // The magnitude is taken unsigned so that the most negative number has one.
  std::uint64_t magnitude = number < 0 ? 0 - static_cast<std::uint64_t>(number)
                                       : static_cast<std::uint64_t>(number);
  std::string reversed;
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) reversed.push_back(',');
    reversed.push_back(static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
    ++digits;
  } while (magnitude != 0);
  if (number < 0) reversed.push_back('-');
  return std::string(reversed.rbegin(), reversed.rend());
}
