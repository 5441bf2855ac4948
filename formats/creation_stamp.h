// Reading a control file's CreationStamp back. The stamp is the decimal
// digits YYMMDD (two-digit year, month, day) followed by four more digits,
// HHMM, which the driver always writes as 1122: (YYMMDD x 10000 + 1122)
// modulo 2^32. From year 43 on the value no longer fits 32 bits and wraps,
// so a stored stamp is read as the first of stamp, stamp + 2^32 and
// stamp + 2 x 2^32 whose last four digits are 1122; a stamp for which none
// is holds no date.
#ifndef BENDPOST_FORMATS_CREATION_STAMP_H_
#define BENDPOST_FORMATS_CREATION_STAMP_H_

#include <cstdint>
#include <optional>
#include <string>

namespace bendpost {

// The stamp before it was cut to 32 bits (YYMMDD1122 as a number), which
// orders stamps by date; nullopt for a stamp that holds no date.
std::optional<uint64_t> UnwrappedCreationStamp(uint32_t stamp);

// The date as "yy-mm-dd"; "" for a stamp that holds no date.
std::string CreationDate(uint32_t stamp);

// The date and the time digits as "yy-mm-dd hh:mm"; "" for no date.
std::string CreationDateTime(uint32_t stamp);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_CREATION_STAMP_H_
