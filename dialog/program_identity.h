// Program identity: the daily serial counter in the user's settings store.
//
// The counter is three values under one key, each stored as exactly 3
// bytes: the decimal digits of the number, terminated and padded with zero
// bytes (7 is '7', 0, 0; 42 is '4', '2', 0):
//   "Serial Number"  the serial number for the next program of that day
//   "Serial Month"   month (1..12) of the day the number belongs to
//   "Serial Day"     day of the month (1..31) of that day
// Longer values are read as their first 3 bytes; only leading digits
// count, so a value that is not a number reads as 0.
//
// The naming itself (BuildProgramIdentity, program_header.h) is in
// program_identity.cc.
#ifndef BENDPOST_DIALOG_PROGRAM_IDENTITY_H_
#define BENDPOST_DIALOG_PROGRAM_IDENTITY_H_

#include <string>

#include "platform/serial_key.h"
#include "platform/settings_store.h"
#include "platform/ui.h"

namespace bendpost {

inline constexpr const char* kSerialNumberValue = "Serial Number";
inline constexpr const char* kSerialMonthValue = "Serial Month";
inline constexpr const char* kSerialDayValue = "Serial Day";
// Bytes of each stored value.
inline constexpr int kSerialValueBytes = 3;

// Reads the counter from `settings`. Returns false,
// leaving the outputs untouched, when the key cannot be opened. When
// "Serial Number" is missing or empty, all three outputs are 0.
bool ReadSerialCounter(SettingsStore& settings, UserInterface& ui, int& serial,
                       int& month, int& day);

// Stores the counter; false when the key cannot be opened for writing or a
// value could not be stored. Shows nothing.
bool WriteSerialCounter(SettingsStore& settings, UserInterface& ui, int serial,
                        int month, int day);

// The 3-byte stored form of a number: its decimal text cut to 3 bytes and
// padded with zero bytes.
std::string SerialValueBytes(int value);
// The number of a stored value: the leading digits of its first 3 bytes.
int SerialValueNumber(const std::string& bytes);

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_PROGRAM_IDENTITY_H_
