// Character classes of the C locale, which is what the program's number and count
// texts are read in, whatever locale the process has.
#ifndef PEMZ_CALC_CHARACTERCLASS_H
#define PEMZ_CALC_CHARACTERCLASS_H

namespace calc {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// What "%lf" and atoi skip.
constexpr bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace calc

#endif
