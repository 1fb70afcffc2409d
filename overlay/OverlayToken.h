#pragma once

#include <cstddef>
#include <string>

// The secret part of the overlay's address: 128 random bits as 32 lower-case
// hex digits. Whoever knows it can read the room's chat as the page does.
constexpr std::size_t kOverlayTokenBytes = 16;
constexpr std::size_t kOverlayTokenLength = 2 * kOverlayTokenBytes;

// A new token from the kernel's random source (getrandom); empty when that
// cannot be read.
std::string NewOverlayToken();

// Whether `text` is a token as NewOverlayToken makes them: exactly 32 digits
// 0-9 or a-f. Upper-case digits are refused, so a token has one spelling.
bool IsOverlayToken(const std::string& text);

// Whether `given` equals `token`, in a time that does not depend on where
// they differ (only on the token's length, which is public).
bool SameOverlayToken(const std::string& given, const std::string& token);
