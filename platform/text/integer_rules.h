// How text becomes an integer, in each of the four places that read one. The
// rules differ on purpose: each follows the reader it is named for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kvn {

// The profile functions' rule (GetPrivateProfileIntA): blanks and control
// characters skipped, one sign, then a lower-case prefix for the base ("0x"
// hexadecimal, "0o" octal, "0b" binary; "0X" is a zero followed by other
// text), digits up to the first other character, wrapping in 32 bits.
std::uint32_t ParseProfileInteger(const char* text);

// How many characters of an edit's text the dialog's integer exchange reads.
inline constexpr std::size_t kIntegerTextLimit = 31;

// The dialog exchange's rule: at most 31 characters; leading blanks and tabs
// skipped; one optional sign and decimal digits, clamped to the 32-bit range;
// only blanks and tabs may follow. A result of 0 counts only when the first
// non-blank character is '0' (so "", "-0" and "+" fail).
std::optional<std::int32_t> ParseExchangeInteger(std::string_view text);

// The settings' decimal rule, for a stored memory size: leading white space
// skipped, one optional sign, decimal digits up to the first other
// character, wrapping in 32 bits; no digits give 0.
std::int32_t ParseSettingsDecimal(const char* text);

// The up-down control's rule for its buddy's text: blanks and tabs around
// it, one optional '-', then one to ten decimal digits and nothing else.
// None for any other text.
std::optional<std::int64_t> ParseUpDownInteger(std::string_view text);

} // namespace kvn
