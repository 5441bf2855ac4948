// TruncateDecimals: cuts a 32-bit float toward zero to 0 to 4 decimal places.
// Used by the converting step setters and by the program file writer.
#ifndef BENDPOST_RECORDS_TRUNCATE_DECIMALS_H_
#define BENDPOST_RECORDS_TRUNCATE_DECIMALS_H_

// For `decimals` 0 to 4: the decimal value `value` stands for, cut toward
// zero after that many decimals, as a whole number n of 10^-decimals units,
// returned as n x 0.1, 0.01, 0.001 or 0.0001 computed in double precision
// (for 0 decimals n itself). n saturates at the 32-bit limits (a NaN gives 0).
// Any other number of decimals returns `value` unchanged.
//
//   TruncateDecimals(10.27f, 1) == 102 * 0.1      (10.2)
//   TruncateDecimals(-10.27f, 1) == -102 * 0.1    (-10.2)
//   TruncateDecimals(3.7f, 0) == 3
//   TruncateDecimals(0.7f, 1) == 7 * 0.1          (0.7, not 0.6)
double TruncateDecimals(float value, int decimals);

#endif  // BENDPOST_RECORDS_TRUNCATE_DECIMALS_H_
