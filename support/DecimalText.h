#pragma once

// atoi's reading rules (leading C white space, optional sign, digits up to
// the first other unit, 0 without digits), saturating at the int range
// instead of overflowing. The same for bytes and UTF-16 text; 0 for null.
int AtoiSaturated(const char* text);
int AtoiSaturated(const char16_t* text);
