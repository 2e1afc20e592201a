// Cutting text out around markers, and taking a URL apart as plain text: a
// scheme is recognised only as "https://" at the start or "http://" anywhere,
// and a URL without one counts as plain HTTP.
#pragma once

#include <optional>

#include "runtime/text.h"

// The text between the first leftMarker at or after start and the first
// rightMarker after it; empty when either is missing or they touch. In both
// markers "#引号" stands for a double quote.
Text TextBetween(const Text& text, const Text& leftMarker, const Text& rightMarker, int start = 1,
                 bool ignoreCase = false);
// The text before the first marker at or after start (not above 0: 1); empty
// when the marker is missing or stands at position 1.
Text TextBefore(const Text& text, const Text& marker, int start = 1, bool ignoreCase = false);

// The host, in lower case. Supplying levels, even 0, selects the domain mode:
// the last levels + 2 labels of the host (levels + 1 with rootDomain).
Text GetUrlHost(const Text& url, bool rootDomain = false, bool keepPort = false,
                std::optional<int> levels = std::nullopt);
// The port after the host's last ":", else 443 for a URL starting "https", else 80.
int GetUrlPort(const Text& url);
// The URL from the first "/" after the host to its end, or "/" when there is none.
Text GetUrlPath(const Text& url);
