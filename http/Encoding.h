#pragma once

#include <string>

// Percent-encoding of form values: letters, digits and "_-.,:|" stay, a space
// becomes "+", every other byte "%XX" in upper-case hex.
std::string UrlEncode(std::string value);

// Base64 (RFC 4648 alphabet, "=" padding) with CR LF after every 76
// characters of full groups.
std::string Base64Encode(const std::string& data);
