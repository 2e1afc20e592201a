// Cookie texts ("name=value; name=value") and the merge of the cookies a
// response set into the ones a caller keeps.
#pragma once

#include "runtime/text.h"

// Merges newCookies into cookies: the new items in their order, then the stored
// items whose names were not set again; items ending in "=deleted" and exact
// repeats left out, every space removed. cookies receives the merged text,
// newCookies its own text without spaces; the merged text is also returned.
Text MergeCookies(Text& cookies, Text& newCookies);
// The text before the item's first "=" (all of it without one), trimmed.
Text CookieName(const Text& item);
// Whether an item of the list has that name, byte for byte.
bool HasCookieNamed(const TextList& list, const Text& name);
// The pieces of text (cut at separator, or into characters when bySeparator
// is false) with later repeats removed, joined again with separator.
Text RemoveDuplicates(const Text& text, const Text& separator, bool bySeparator);
// The text cut into characters: a two-byte character and a CR LF pair are one
// unit each; a lead byte at the very end is a unit of its own.
TextList SplitChars(const Text& text);
// The 1-based index of the first item equal to text, or -1.
int FindInList(const TextList& list, const Text& text);
